#pragma once

#include "app/PortList.h"
#include "platform/win32/Win32MessageBox.h"

#include "platform/win32/Win32Api.h"

class CHardware;

// The port dialog, the program's main window: choose COM1..COM32 and Connect. Connect
// opens the port, runs the sheet until the user closes it, stops the reader, stores
// the port number and closes this dialog; every other path closes it at once. Each
// port's line names the device the system has under that number ("COM5: USB Serial
// Port"), following ports plugged in or out; the line below the box says where the
// selected port leads. "About Tovamo..." is on the system menu.
class CTovamoDlg {
public:
    explicit CTovamoDlg(CHardware& hardware);
    ~CTovamoDlg();

    CTovamoDlg(const CTovamoDlg&) = delete;
    CTovamoDlg& operator=(const CTovamoDlg&) = delete;

    // Runs the dialog modally; returns its result (IDOK after Connect, IDCANCEL).
    INT_PTR DoModal(HWND hParent = nullptr);
    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, SysLPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, SysLPARAM lParam);
    void OnInitDialog();
    void OnOK();
    void OnSysCommand(WPARAM wParam);
    bool OnPaint();
    void OnAdapterTimer();
    void ShowAdapters();
    void ShowResolvedDevice();
    bool LinkAdapter(int nIndex);

    CHardware& m_Hardware;
    HWND m_hWnd = nullptr;
    HWND m_hCombo = nullptr;  // 1001
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    CWin32MessageBox m_Messages;  // the port's open failures, owned by this dialog
    CPortList m_Ports;            // the lines, the device line and what Connect opens
};
