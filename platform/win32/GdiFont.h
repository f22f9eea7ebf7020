#pragma once

#include "platform/LogFont.h"
#include "platform/win32/Win32Handles.h"

// The core's font descriptions as GDI fonts and back. A LOGFONT's height and width are
// taken at 96 DPI and scaled to the DPI given (the window's), so that one description
// draws at the same physical size on every screen; the face name is Windows-1252 in the
// description and UTF-16 for the system.
struct tagLOGFONTW;

// A new font the caller deletes (DeleteObject); nullptr when it cannot be made.
HFONT CreateGdiFont(const LOGFONT& lf, int nDpi = 96);
// The description of a GDI font, its height brought back from nDpi to 96 DPI; a
// default description when the handle is no font.
LOGFONT LogFontOfGdiFont(HFONT hFont, int nDpi = 96);
// The system's description (LOGFONTW) as the core's, its height from nDpi to 96 DPI.
LOGFONT LogFontFromWide(const tagLOGFONTW& wide, int nDpi = 96);
