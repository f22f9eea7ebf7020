#pragma once

#include "platform/win32/Win32Api.h"

// The DPI a window is shown at: GetDpiForWindow where the system has it (looked up at
// run time, so that the program still starts where it is missing), else the screen's.
// (Named apart from the grid room's WindowDpi, which the same program links.)
UINT DpiOfWindow(HWND hWnd);

// A length given for 96 DPI, at the window's DPI.
int ScaleForWindow(HWND hWnd, int n96);
