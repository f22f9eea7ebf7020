#include "app/win32/Globals.h"

#include <cwchar>

CHardware g_Hardware;
int g_nNumCom = 1;
CWin32SystemMetrics* g_pSystemMetrics = nullptr;

LOGFONTW BoldFontAttributes(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = ::MulDiv(18, static_cast<int>(dpi), 96);  // positive: the cell height
    font.lfWeight = 700;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_STRING_PRECIS;
    font.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    std::wcsncpy(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE - 1);
    return font;
}
