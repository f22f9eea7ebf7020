#pragma once

#include "platform/win32/Win32Api.h"

// Include after the core's headers (it reads the system's).
// One OLE interface with its reference count: the object starts with one reference (its
// maker's) and deletes itself at the last Release.
template <class TInterface, const IID& kInterfaceId>
class CComObject : public TInterface {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kInterfaceId)) {
            *ppv = static_cast<TInterface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG nRefs = InterlockedDecrement(&m_nRefs);
        if (nRefs == 0) {
            delete this;
        }
        return static_cast<ULONG>(nRefs);
    }

protected:
    CComObject() = default;
    virtual ~CComObject() = default;

private:
    LONG m_nRefs = 1;
};
