#include "app/win32/ResourceText.h"

#include "app/win32/MyCPropertyPage.h"

#include "platform/win32/Win32Api.h"

std::wstring ResourceText(int nStringId) {
    // With no buffer size the call answers where the text lies in the loaded resources.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(AppInstance(), static_cast<UINT>(nStringId), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}
