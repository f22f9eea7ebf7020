#include "app/win32/TovamoApp.h"

#include "app/win32/Globals.h"
#include "app/win32/TovamoDlg.h"
#include "link/Hardware.h"
#include "platform/RegistrySettings.h"

#include "platform/win32/Win32Api.h"

bool CTovamoApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    // Grids take their colours, fonts and wheel setting from the desktop; installed
    // before any page makes one, for the whole run of the dialog.
    CWin32SystemMetrics metrics;
    g_pSystemMetrics = &metrics;
    SetSystemMetrics(&metrics);
    g_nNumCom = ReadRegistryNumCom();

    CTovamoDlg dlg(m_Hardware);
    dlg.DoModal();
    SetSystemMetrics(nullptr);
    g_pSystemMetrics = nullptr;
    return false;
}

int CTovamoApp::ExitInstance() {
    return 0;
}
