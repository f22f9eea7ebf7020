#pragma once

#include "platform/MessageBox.h"

#include "platform/win32/Win32Api.h"

// The program's messages: a modal box with the program's title and an OK button only,
// the detail (device path, system reason) on a line of its own under the text.
class CAppMessageBox final : public IMessageBox {
public:
    explicit CAppMessageBox(HWND hOwner = nullptr) : m_hOwner(hOwner) {}
    void SetOwner(HWND hOwner) { m_hOwner = hOwner; }
    void ShowMessage(const std::string& text, const std::string& detail = {}) override;

private:
    HWND m_hOwner = nullptr;
};
