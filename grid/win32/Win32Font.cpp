#include "grid/win32/Win32Font.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/win32/WideCp1252.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32SystemMetrics.h"

LOGFONTW LogFontWFromLogFont(const LOGFONT& lf, int nDpi) {
    LOGFONTW lfw{};
    lfw.lfHeight = MulDiv(lf.lfHeight, nDpi, 96);
    lfw.lfWidth = MulDiv(lf.lfWidth, nDpi, 96);
    lfw.lfEscapement = lf.lfEscapement;
    lfw.lfOrientation = lf.lfOrientation;
    lfw.lfWeight = lf.lfWeight;
    lfw.lfItalic = lf.lfItalic;
    lfw.lfUnderline = lf.lfUnderline;
    lfw.lfStrikeOut = lf.lfStrikeOut;
    lfw.lfCharSet = lf.lfCharSet;
    lfw.lfOutPrecision = lf.lfOutPrecision;
    lfw.lfClipPrecision = lf.lfClipPrecision;
    lfw.lfQuality = lf.lfQuality;
    lfw.lfPitchAndFamily = lf.lfPitchAndFamily;
    const std::wstring face =
        WideFromCp1252(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lfw.lfFaceName);
    return lfw;
}

HFONT HfontFromLogFont(const LOGFONT& lf, int nDpi) {
    const LOGFONTW lfw = LogFontWFromLogFont(lf, nDpi);
    return CreateFontIndirectW(&lfw);
}

std::optional<LOGFONT> LogFontFromHfont(HFONT hFont, int nDpi) {
    LOGFONTW lfw{};
    if (hFont == nullptr || GetObjectW(hFont, sizeof(lfw), &lfw) != sizeof(lfw) || nDpi <= 0) {
        return std::nullopt;
    }
    LOGFONT lf;
    lf.lfHeight = MulDiv(lfw.lfHeight, 96, nDpi);
    lf.lfWidth = MulDiv(lfw.lfWidth, 96, nDpi);
    lf.lfEscapement = lfw.lfEscapement;
    lf.lfOrientation = lfw.lfOrientation;
    lf.lfWeight = lfw.lfWeight;
    lf.lfItalic = lfw.lfItalic;
    lf.lfUnderline = lfw.lfUnderline;
    lf.lfStrikeOut = lfw.lfStrikeOut;
    lf.lfCharSet = lfw.lfCharSet;
    lf.lfOutPrecision = lfw.lfOutPrecision;
    lf.lfClipPrecision = lfw.lfClipPrecision;
    lf.lfQuality = lfw.lfQuality;
    lf.lfPitchAndFamily = lfw.lfPitchAndFamily;
    const std::string face =
        Cp1252FromWide(std::wstring_view(lfw.lfFaceName, wcsnlen(lfw.lfFaceName, LF_FACESIZE)));
    SetFaceName(lf, face.c_str());
    return lf;
}

int WindowDpi(HWND hWnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto pGetDpiForWindow = [] {
        const HMODULE hUser = GetModuleHandleW(L"user32.dll");
        return hUser != nullptr ? reinterpret_cast<GetDpiForWindowFn>(
                                      reinterpret_cast<void*>(GetProcAddress(hUser, "GetDpiForWindow")))
                                : nullptr;
    }();
    const int nDpi =
        pGetDpiForWindow != nullptr && hWnd != nullptr ? static_cast<int>(pGetDpiForWindow(hWnd)) : 0;
    return nDpi > 0 ? nDpi : CWin32SystemMetrics::GetSystemDpi();
}
