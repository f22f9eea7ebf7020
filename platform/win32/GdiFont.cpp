#include "platform/win32/GdiFont.h"

#include "platform/win32/WideCp1252.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32Api.h"

HFONT CreateGdiFont(const LOGFONT& lf, int nDpi) {
    LOGFONTW wide{};
    wide.lfHeight = ::MulDiv(lf.lfHeight, nDpi, 96);
    wide.lfWidth = ::MulDiv(lf.lfWidth, nDpi, 96);
    wide.lfEscapement = lf.lfEscapement;
    wide.lfOrientation = lf.lfOrientation;
    wide.lfWeight = lf.lfWeight;
    wide.lfItalic = lf.lfItalic;
    wide.lfUnderline = lf.lfUnderline;
    wide.lfStrikeOut = lf.lfStrikeOut;
    wide.lfCharSet = lf.lfCharSet;
    wide.lfOutPrecision = lf.lfOutPrecision;
    wide.lfClipPrecision = lf.lfClipPrecision;
    wide.lfQuality = lf.lfQuality;
    wide.lfPitchAndFamily = lf.lfPitchAndFamily;
    const std::wstring face =
        WideFromCp1252(std::string_view(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName))));
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), wide.lfFaceName);
    return ::CreateFontIndirectW(&wide);
}

LOGFONT LogFontOfGdiFont(HFONT hFont, int nDpi) {
    LOGFONTW wide{};
    if (hFont == nullptr || ::GetObjectW(hFont, sizeof(wide), &wide) != sizeof(wide))
        return LOGFONT{};
    return LogFontFromWide(wide, nDpi);
}

LOGFONT LogFontFromWide(const LOGFONTW& wide, int nDpi) {
    LOGFONT lf;
    lf.lfHeight = ::MulDiv(wide.lfHeight, 96, nDpi);
    lf.lfWidth = ::MulDiv(wide.lfWidth, 96, nDpi);
    lf.lfEscapement = wide.lfEscapement;
    lf.lfOrientation = wide.lfOrientation;
    lf.lfWeight = wide.lfWeight;
    lf.lfItalic = wide.lfItalic;
    lf.lfUnderline = wide.lfUnderline;
    lf.lfStrikeOut = wide.lfStrikeOut;
    lf.lfCharSet = wide.lfCharSet;
    lf.lfOutPrecision = wide.lfOutPrecision;
    lf.lfClipPrecision = wide.lfClipPrecision;
    lf.lfQuality = wide.lfQuality;
    lf.lfPitchAndFamily = wide.lfPitchAndFamily;
    SetFaceName(
        lf,
        Cp1252FromWide(std::wstring_view(wide.lfFaceName, wcsnlen(wide.lfFaceName, LF_FACESIZE))).c_str());
    return lf;
}
