#include "app/win32/Globals.h"
#include "app/win32/TovamoApp.h"

#include "platform/win32/Win32Api.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
    CTovamoApp theApp(g_Hardware);
    theApp.InitInstance();
    return theApp.ExitInstance();
}
