#pragma once

#include "platform/MessageBox.h"
#include "platform/win32/Win32Handles.h"

#include <functional>
#include <string>

// Message boxes of the desktop program: modal to the owner window, an OK button only, no
// icon, the detail on its own paragraph under the text. The texts are the program's own
// (UTF-8) with file and device names as the file system gives them; a text that is not
// valid UTF-8 (a name in a legacy encoding) is read as Windows-1252, so every byte still
// shows as something. A test installs a hook that receives the box's texts instead of
// the box being shown, so no test ever blocks.
class CWin32MessageBox final : public IMessageBox {
public:
    using Hook = std::function<void(HWND hOwner, const std::wstring& text, const std::wstring& caption)>;

    explicit CWin32MessageBox(HWND hOwner = nullptr) : m_hOwner(hOwner) {}

    void ShowMessage(const std::string& text, const std::string& detail = {}) override;

    // Replaces showing the box (an empty hook restores it); returns the previous hook.
    static Hook SetTestHook(Hook hook);
    // The box's text for a message and its detail.
    static std::wstring BoxText(const std::string& text, const std::string& detail);

    static constexpr const wchar_t* kTitle = L"Tovamo";

private:
    HWND m_hOwner = nullptr;
};
