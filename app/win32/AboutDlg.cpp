#include "app/win32/AboutDlg.h"

#include "app/win32/MyCPropertyPage.h"
#include "app/win32/resource.h"

#include "platform/win32/Win32Api.h"

namespace {
INT_PTR CALLBACK AboutProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM /*lParam*/) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

INT_PTR CAboutDlg::DoModal(HWND hParent) {
    return ::DialogBoxParamW(AppInstance(), MAKEINTRESOURCEW(IDD_ABOUTBOX), hParent, &AboutProc, 0);
}
