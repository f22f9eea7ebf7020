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
    g_nNumCom = ReadRegistryNumCom();

    CTovamoDlg dlg(m_Hardware);
    dlg.DoModal();
    return false;
}

int CTovamoApp::ExitInstance() {
    return 0;
}
