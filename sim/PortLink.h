#pragma once

#include <string>

// A symbolic link to the simulated drive's pseudo-terminal, e.g. a COMn port link in the
// per-user "ports" folder, so the program can open the drive by a COM name. An existing
// symbolic link is replaced; anything else at the path is left alone and refused. The
// link is removed again when this object goes, if it still points at our terminal.
class CPortLink {
public:
    CPortLink() = default;
    ~CPortLink();
    CPortLink(const CPortLink&) = delete;
    CPortLink& operator=(const CPortLink&) = delete;

    // Creates missing parent folders. Returns false with a reason in `error`.
    bool Create(const std::string& path, const std::string& target, std::string& error);
    // Removes the link now if it still points at our terminal (an unplugged adapter's
    // stable name disappears with it).
    void Remove();

private:
    std::string m_strPath;
    std::string m_strTarget;
};
