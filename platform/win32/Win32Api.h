#pragma once

// The system's API beside the core's own Win32-like names. The core declares COLORREF,
// LOGFONT, SCROLLINFO, the DT_/SB_/VK_ constants and a few more with the values the
// system uses; the system's declarations of the same names are renamed while its
// headers are read (Sys... in this room), and its macros of the same names are dropped
// afterwards, so that one file can use both. Include this after our own headers.

#include "platform/ColorRef.h"
#include "platform/DrawContext.h"
#include "platform/LogFont.h"
#include "platform/MessageBox.h"
#include "platform/SystemMetrics.h"
#include "platform/TextFormat.h"
#include "platform/WindowInput.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#define COLORREF SysCOLORREF
#define LPARAM SysLPARAM
#define LOGFONT SysLOGFONT
#define SysLOGFONTA LOGFONTA
#define SysLOGFONTW LOGFONTW
#define TEXTMETRIC SysTEXTMETRIC
#define SysTEXTMETRICA TEXTMETRICA
#define SysTEXTMETRICW TEXTMETRICW
#define NMHDR SysNMHDR
#define SCROLLINFO SysSCROLLINFO
#define PFNLVCOMPARE SysPFNLVCOMPARE
#define GetSystemMetrics SysGetSystemMetricsUnused
#define GetSysColor SysGetSysColorUnused
// windows.h first: the others build on it.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>
#undef COLORREF
#undef LPARAM
#undef LOGFONT
#undef SysLOGFONTA
#undef SysLOGFONTW
#undef TEXTMETRIC
#undef SysTEXTMETRICA
#undef SysTEXTMETRICW
#undef NMHDR
#undef SCROLLINFO
#undef PFNLVCOMPARE
#undef GetSystemMetrics
#undef GetSysColor
// The system's own two, under names that do not meet the core's.
extern "C" __declspec(dllimport) int WINAPI SysGetSystemMetrics(int nIndex) __asm__("GetSystemMetrics");
extern "C" __declspec(dllimport) DWORD WINAPI SysGetSysColor(int nIndex) __asm__("GetSysColor");
#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
// Ansi/wide switches that share a name with the core's members; this room calls the
// wide functions by their own names.
#undef CreateFontIndirect
#undef DrawText
#undef GetOpenFileName
#undef GetSaveFileName
#undef GetTextMetrics
#undef MessageBox
#undef GetClassName
#undef GetWindowText
#undef SetWindowText
#undef GetObject
#undef LoadCursor
// The core's constants, not the system's macros of the same names.
#undef BDR_SUNKENINNER
#undef BF_RECT
#undef CLR_DEFAULT
#undef COLOR_3DDKSHADOW
#undef COLOR_3DFACE
#undef COLOR_BTNFACE
#undef COLOR_BTNHIGHLIGHT
#undef COLOR_BTNSHADOW
#undef COLOR_HIGHLIGHT
#undef COLOR_HIGHLIGHTTEXT
#undef COLOR_INFOBK
#undef COLOR_INFOTEXT
#undef COLOR_WINDOW
#undef COLOR_WINDOWTEXT
#undef DFCS_INACTIVE
#undef DFCS_PUSHED
#undef DFCS_SCROLLDOWN
#undef DFC_SCROLL
#undef DLGC_WANTARROWS
#undef DLGC_WANTCHARS
#undef DLGC_WANTTAB
#undef DT_BOTTOM
#undef DT_CALCRECT
#undef DT_CENTER
#undef DT_EDITCONTROL
#undef DT_END_ELLIPSIS
#undef DT_EXPANDTABS
#undef DT_EXTERNALLEADING
#undef DT_INTERNAL
#undef DT_LEFT
#undef DT_MODIFYSTRING
#undef DT_NOCLIP
#undef DT_NOPREFIX
#undef DT_PATH_ELLIPSIS
#undef DT_RIGHT
#undef DT_RTLREADING
#undef DT_SINGLELINE
#undef DT_TABSTOP
#undef DT_TOP
#undef DT_VCENTER
#undef DT_WORDBREAK
#undef DT_WORD_ELLIPSIS
#undef FW_BOLD
#undef FW_NORMAL
#undef IDC_ARROW
#undef IDC_SIZENS
#undef IDC_SIZEWE
#undef MK_CONTROL
#undef MK_LBUTTON
#undef MK_RBUTTON
#undef MK_SHIFT
#undef NUMCOLORS
#undef OPAQUE
#undef PS_NULL
#undef PS_SOLID
#undef SB_BOTH
#undef SB_BOTTOM
#undef SB_ENDSCROLL
#undef SB_HORZ
#undef SB_LEFT
#undef SB_LINEDOWN
#undef SB_LINELEFT
#undef SB_LINERIGHT
#undef SB_LINEUP
#undef SB_PAGEDOWN
#undef SB_PAGELEFT
#undef SB_PAGERIGHT
#undef SB_PAGEUP
#undef SB_RIGHT
#undef SB_THUMBPOSITION
#undef SB_THUMBTRACK
#undef SB_TOP
#undef SB_VERT
#undef SIF_ALL
#undef SIF_DISABLENOSCROLL
#undef SIF_PAGE
#undef SIF_POS
#undef SIF_RANGE
#undef SIF_TRACKPOS
#undef SM_CXBORDER
#undef SM_CXDRAG
#undef SM_CXVSCROLL
#undef SM_CYBORDER
#undef SM_CYDRAG
#undef SM_CYHSCROLL
#undef TRANSPARENT
#undef VK_BACK
#undef VK_CONTROL
#undef VK_DELETE
#undef VK_DOWN
#undef VK_END
#undef VK_ESCAPE
#undef VK_F2
#undef VK_HOME
#undef VK_INSERT
#undef VK_LBUTTON
#undef VK_LEFT
#undef VK_NEXT
#undef VK_PRIOR
#undef VK_RETURN
#undef VK_RIGHT
#undef VK_SHIFT
#undef VK_SPACE
#undef VK_TAB
#undef VK_UP
