#pragma once

// The core's headers before the system's (Win32Api.h renames what they share).
#include <optional>
#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridEditWnd.h"

#include "platform/LogFont.h"
#include "platform/win32/Win32Api.h"

// The cells' font descriptions as the system's fonts, as the GDI drawing context makes
// them: heights are given at 96 dots per inch and scaled to the window's DPI, the face
// name is Windows-1252 in the core's record and UTF-16 in the system's.
LOGFONTW LogFontWFromLogFont(const LOGFONT& lf, int nDpi);
// A font the caller deletes (DeleteObject); nullptr when none can be made.
HFONT HfontFromLogFont(const LOGFONT& lf, int nDpi);
// The description of a system font made for the DPI; nullopt for a handle that is no font.
std::optional<LOGFONT> LogFontFromHfont(HFONT hFont, int nDpi);
// The window's DPI where the system tells it per window, else the system's.
int WindowDpi(HWND hWnd);
