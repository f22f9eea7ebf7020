#pragma once

#include <QDialog>

class CHardware;
class CSettingsStore;
class QComboBox;
class QLabel;
class QPushButton;

// The port dialog, the program's main window: choose COM1..COM32 and Connect. Connect
// opens the port, runs the sheet until the user closes it, stops the reader, stores
// the port number and closes this dialog; every other path closes it at once.
class CTovamoDlg : public QDialog {
    Q_OBJECT
public:
    CTovamoDlg(CHardware& hardware, CSettingsStore& settings, QWidget* parent = nullptr);

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

    CHardware& m_Hardware;
    CSettingsStore& m_Settings;
    QComboBox* m_pCombo = nullptr;  // 1001
    QLabel* m_pDevice = nullptr;    // where the selected COMn leads
    QPushButton* m_pConnect = nullptr;
};
