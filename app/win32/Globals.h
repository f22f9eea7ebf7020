#pragma once

#include "link/Hardware.h"
#include "platform/win32/Win32SystemMetrics.h"

#include "platform/win32/Win32Api.h"

// The one serial port object; it lives from before start-up to process end.
extern CHardware g_Hardware;
// n of the port named COMn, counted from 1; 0 when Connect found nothing selected.
extern int g_nNumCom;

// The desktop's colours and metrics for the grids, installed by start-up (null before);
// the sheet has them read again when the user changes them.
extern CWin32SystemMetrics* g_pSystemMetrics;

// The Edit page's bold font: 18 pixels of character cell height at 96 DPI, bold,
// "MS Sans Serif". Each page makes it at its own window's DPI.
LOGFONTW BoldFontAttributes(UINT dpi);
