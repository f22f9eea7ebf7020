// A bare modal dialog from the port dialog's template: no settings, no port list, no
// font, no icon. Closing it ends the program.
#include "platform/win32/Win32Api.h"

namespace {
INT_PTR CALLBACK BareDialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, SysLPARAM) {
    if (nMsg == WM_INITDIALOG)
        return TRUE;
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    InitCommonControls();
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(102), nullptr, BareDialogProc, 0);
    return 0;
}
