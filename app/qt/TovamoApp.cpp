#include "app/qt/TovamoApp.h"

#include "app/Resources.h"
#include "app/qt/Globals.h"
#include "app/qt/TovamoDlg.h"
#include "link/Hardware.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtSystemMetrics.h"
#include "platform/qt/SettingsStore.h"

CTovamoApp::CTovamoApp(CHardware& hardware, QString settingsName)
    : m_Hardware(hardware), m_strSettingsName(std::move(settingsName)) {}

bool CTovamoApp::InitInstance() {
    // Grids take their colours, fonts and wheel setting from the desktop; installed
    // before any page makes one, for the whole run of the dialog.
    CQtSystemMetrics metrics;
    SetSystemMetrics(&metrics);
    m_strProductName = QString::fromLatin1(res::kProductName);
    CSettingsStore settings(SettingsOrganisation(), m_strSettingsName);
    g_nNumCom = settings.GetProfileInt(QString::fromLatin1(res::kSettingsSection),
                                       QString::fromLatin1(res::kNumComEntry), res::kNumComDefault);
    g_BoldFont = MakeBoldFont();

    CTovamoDlg dlg(m_Hardware, settings, m_AdapterFolders);
    CQtMessageBox messages(&dlg);
    m_Hardware.SetMessageBox(&messages);
    dlg.exec();
    m_Hardware.SetMessageBox(nullptr);
    SetSystemMetrics(nullptr);
    return false;
}

int CTovamoApp::ExitInstance() {
    g_BoldFont.reset();  // fonts go before the application object does
    return 0;
}
