#include "platform/win32/Win32MessageBox.h"

#include "platform/win32/WideCp1252.h"

#include "platform/win32/Win32Api.h"

namespace {

CWin32MessageBox::Hook& TestHook() {
    static CWin32MessageBox::Hook hook;
    return hook;
}

std::wstring WideMessageText(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int nSize = static_cast<int>(bytes.size());
    const int nCount = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nSize, nullptr, 0);
    if (nCount <= 0)
        return WideFromCp1252(bytes);
    std::wstring wide(static_cast<std::size_t>(nCount), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), nSize, wide.data(), nCount);
    return wide;
}

}  // namespace

std::wstring CWin32MessageBox::BoxText(const std::string& text, const std::string& detail) {
    std::wstring box = WideMessageText(text);
    if (!detail.empty())
        box += L"\n\n" + WideMessageText(detail);
    return box;
}

void CWin32MessageBox::ShowMessage(const std::string& text, const std::string& detail) {
    const std::wstring box = BoxText(text, detail);
    if (TestHook()) {
        TestHook()(m_hOwner, box, kTitle);
        return;
    }
    ::MessageBoxW(m_hOwner, box.c_str(), kTitle, MB_OK | (m_hOwner == nullptr ? MB_TASKMODAL : 0));
}

CWin32MessageBox::Hook CWin32MessageBox::SetTestHook(Hook hook) {
    Hook previous = std::move(TestHook());
    TestHook() = std::move(hook);
    return previous;
}
