#pragma once

#include <QString>

#include "link/UsbAdapters.h"

class CHardware;

// The application object: reads the stored port number, makes the bold font and runs
// the port dialog as the main window. One start serves one connection.
class CTovamoApp {
public:
    // settingsName: the settings file's base name; empty = the program file's base name.
    explicit CTovamoApp(CHardware& hardware, QString settingsName = {});

    CTovamoApp(const CTovamoApp&) = delete;
    CTovamoApp& operator=(const CTovamoApp&) = delete;

    // Runs the program up to the end of the port dialog. Returns false: there is no
    // message loop to run afterwards.
    bool InitInstance();
    // Releases what start-up made; returns the process exit status.
    int ExitInstance();

    // Where the port dialog looks for USB adapters (the system's folders by default).
    void SetAdapterFolders(SAdapterFolders folders) { m_AdapterFolders = std::move(folders); }

    QString SettingsOrganisation() const { return m_strProductName + QStringLiteral(" Dispenser"); }

private:
    CHardware& m_Hardware;
    QString m_strSettingsName;
    QString m_strProductName;
    SAdapterFolders m_AdapterFolders;
};
