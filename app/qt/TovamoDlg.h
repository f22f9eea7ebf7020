#pragma once

#include <QDialog>

#include "app/PortList.h"

class CHardware;
class CSettingsStore;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The port dialog, the program's main window: choose COM1..COM32 and Connect. Connect
// opens the port, runs the sheet until the user closes it, stops the reader, stores
// the port number and closes this dialog; every other path closes it at once. USB serial
// adapters are shown at the number they are offered under ("COM5: FT232R USB UART
// (ttyUSB0)"), the list following adapters plugged in or out; Connect on one first makes
// its port link.
class CTovamoDlg : public QDialog {
    Q_OBJECT
public:
    // adapterFolders: where adapters are looked for (the system's folders by default).
    CTovamoDlg(CHardware& hardware, CSettingsStore& settings, SAdapterFolders adapterFolders = {},
               QWidget* parent = nullptr);

    QComboBox* PortCombo() const { return m_pCombo; }
    QLabel* DeviceLabel() const { return m_pDevice; }
    QPushButton* ConnectButton() const { return m_pConnect; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnInitDialog();
    void OnOK();
    void OnAbout();
    void ShowResolvedDevice();
    void OnAdapterTimer();
    void ShowAdapters();
    void ShowLineFromItsStart();
    bool LinkAdapter(int nIndex);

    CHardware& m_Hardware;
    CSettingsStore& m_Settings;
    QComboBox* m_pCombo = nullptr;  // 1001
    QLabel* m_pDevice = nullptr;    // where the selected COMn leads
    QPushButton* m_pConnect = nullptr;
    CPortList m_Ports;  // the lines, the adapters and where each port leads
    QTimer* m_pAdapterTimer = nullptr;
};
