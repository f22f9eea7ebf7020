#include "app/qt/Globals.h"
#include "app/qt/TovamoApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CTovamoApp theApp(g_Hardware);
    theApp.InitInstance();
    return theApp.ExitInstance();
}
