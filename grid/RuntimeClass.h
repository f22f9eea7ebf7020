#pragma once

class CObject;

// Class descriptor for creating objects by class: the grid creates its cells from
// the descriptor it is given and refuses classes that do not derive from the cell base.
struct CRuntimeClass {
    const char* m_lpszClassName = nullptr;
    const CRuntimeClass* m_pBaseClass = nullptr;
    CObject* (*m_pfnCreateObject)() = nullptr;

    // True for this class itself and for every class it derives from.
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
        for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass) {
            if (p == pBaseClass) {
                return true;
            }
        }
        return false;
    }
    // A new object of the class, or nullptr for a class that cannot be created.
    // Lets std::bad_alloc through: the caller decides how to report it.
    CObject* CreateObject() const { return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr; }
};

// Root of the classes that carry a descriptor.
class CObject {
public:
    virtual ~CObject() = default;
    static const CRuntimeClass* GetThisClass() {
        static const CRuntimeClass s_class{"CObject", nullptr, nullptr};
        return &s_class;
    }
    virtual const CRuntimeClass* GetRuntimeClass() const { return GetThisClass(); }
    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// In the class body: the descriptor and a factory that creates the class by default construction.
#define DECLARE_DYNCREATE(class_name)                      \
public:                                                    \
    static const CRuntimeClass* GetThisClass();            \
    const CRuntimeClass* GetRuntimeClass() const override; \
    static CObject* CreateObject();

// In one source file.
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                \
    CObject* class_name::CreateObject() {                                               \
        return new class_name;                                                          \
    }                                                                                   \
    const CRuntimeClass* class_name::GetThisClass() {                                   \
        static const CRuntimeClass s_class{#class_name, RUNTIME_CLASS(base_class_name), \
                                           &class_name::CreateObject};                  \
        return &s_class;                                                                \
    }                                                                                   \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                          \
        return GetThisClass();                                                          \
    }
