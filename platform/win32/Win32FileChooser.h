#pragma once

#include "platform/FileChooser.h"
#include "platform/win32/Win32Handles.h"

#include <cstdint>
#include <functional>

// The Table page's file dialogs on the common dialogs. The filter "Name (*.a)|*.a|...||"
// becomes the dialog's NUL-separated pairs; saving offers the initial name, adds the
// default extension to a name without one and asks before replacing a file; opening
// accepts a name that does not exist (the read then reports it). The folder must exist
// in both. Names are UTF-8 inside the program and UTF-16 for the system. Each dialog
// starts in the folder of the name chosen last.
//
// A test installs a hook that gets the dialog's request and answers in place of the
// dialog (a UTF-8 path, or nullopt to cancel), so no test has to drive a dialog.
class CWin32FileChooser final : public IFileChooser {
public:
    struct SRequest {
        bool bSave = false;
        std::wstring filter;  // as the dialog gets it: pairs separated and ended by NULs
        std::wstring initialName;
        std::wstring defaultExtension;
        std::wstring initialFolder;
        std::uint32_t dwFlags = 0;  // the OFN_* flags the dialog is run with
    };
    using Hook = std::function<std::optional<std::string>(const SRequest& request)>;

    explicit CWin32FileChooser(HWND hOwner = nullptr) : m_hOwner(hOwner) {}

    std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& initialName,
                                               const std::string& defaultExtension) override;
    std::optional<std::string> GetOpenFileName(const std::string& filter,
                                               const std::string& initialName) override;

    // The name chosen last in either dialog (UTF-8); empty before the first.
    const std::string& LastPath() const { return m_strLastPath; }

    static std::wstring DialogFilter(const std::string& filter);
    static Hook SetTestHook(Hook hook);

private:
    std::optional<std::string> Run(SRequest request);

    HWND m_hOwner = nullptr;
    std::string m_strLastPath;
};
