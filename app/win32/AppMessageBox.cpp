#include "app/win32/AppMessageBox.h"

#include "platform/WideText.h"

void CAppMessageBox::ShowMessage(const std::string& text, const std::string& detail) {
    std::wstring body = WideFromUtf8(text);
    if (!detail.empty())
        body += L"\n\n" + WideFromUtf8(detail);
    ::MessageBoxW(m_hOwner, body.c_str(), L"Tovamo", MB_OK);
}
