#include "platform/win32/Win32FileChooser.h"

#include "platform/WideText.h"

#include "platform/win32/Win32Api.h"

namespace {

CWin32FileChooser::Hook& TestHook() {
    static CWin32FileChooser::Hook hook;
    return hook;
}

// Long enough for the longest path the system accepts.
constexpr std::size_t kPathBuffer = 32768;

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t nSlash = path.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : path.substr(0, nSlash);
}

}  // namespace

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||": the bars become the NULs that end
// each name and pattern, the double bar the list's end.
std::wstring CWin32FileChooser::DialogFilter(const std::string& filter) {
    std::wstring wide = WideFromUtf8(filter);
    for (wchar_t& c : wide)
        if (c == L'|')
            c = L'\0';
    if (wide.size() < 2 || wide[wide.size() - 1] != L'\0' || wide[wide.size() - 2] != L'\0')
        wide.append(2, L'\0');
    return wide;
}

CWin32FileChooser::Hook CWin32FileChooser::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}

std::optional<std::string> CWin32FileChooser::GetSaveFileName(const std::string& filter,
                                                              const std::string& initialName,
                                                              const std::string& defaultExtension) {
    SRequest request;
    request.bSave = true;
    request.filter = DialogFilter(filter);
    request.initialName = WideFromUtf8(initialName);
    request.defaultExtension = WideFromUtf8(defaultExtension);
    request.dwFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                      OFN_EXPLORER | OFN_ENABLESIZING;
    return Run(std::move(request));
}

std::optional<std::string> CWin32FileChooser::GetOpenFileName(const std::string& filter,
                                                              const std::string& initialName) {
    SRequest request;
    request.filter = DialogFilter(filter);
    request.initialName = WideFromUtf8(initialName);
    request.dwFlags =
        OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    return Run(std::move(request));
}

std::optional<std::string> CWin32FileChooser::Run(SRequest request) {
    request.initialFolder = FolderOf(WideFromUtf8(m_strLastPath));
    std::optional<std::string> chosen;
    if (TestHook()) {
        chosen = TestHook()(request);
    } else {
        std::wstring buffer = request.initialName.substr(0, kPathBuffer - 1);
        buffer.resize(kPathBuffer, L'\0');
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = m_hOwner;
        dialog.lpstrFilter = request.filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = buffer.data();
        dialog.nMaxFile = static_cast<DWORD>(buffer.size());
        dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
        dialog.Flags = request.dwFlags;
        const BOOL bChosen = request.bSave ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
        if (bChosen)
            chosen = Utf8FromWide(std::wstring(buffer.c_str()));
    }
    if (chosen && chosen->empty())
        chosen.reset();
    if (chosen)
        m_strLastPath = *chosen;
    return chosen;
}
