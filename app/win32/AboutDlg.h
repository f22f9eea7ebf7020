#pragma once

#include "platform/win32/Win32Api.h"

// The about box, reached only from the port dialog's system menu. Modal; OK or Cancel
// closes it.
class CAboutDlg {
public:
    INT_PTR DoModal(HWND hParent);
};
