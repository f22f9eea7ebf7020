#pragma once

#include "grid/GridCtrl.h"
#include "grid/win32/GridWnd.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32SystemMetrics.h"

// The demo's window: the sample table on the left, an empty grid on the right to copy,
// paste and drag cells into (and back), and a Save and a Load button under them. Save
// writes the left grid to a text file, Load reads one into the right grid, cells
// separated by commas. The grids live as long as the window.
class CDemoWindow {
public:
    static HWND Create(HINSTANCE hInstance, CWin32SystemMetrics& metrics, int nDataRows);

private:
    CDemoWindow(HWND hWnd, CWin32SystemMetrics& metrics) : m_hWnd(hWnd), m_metrics(metrics) {}
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, SysLPARAM lParam);
    void Build(int nDataRows);
    void Layout();
    // Pixels at 96 dots per inch as many at the window's DPI.
    int Scaled(int nPixels) const;
    void SaveLeft();
    void LoadRight();

    HWND m_hWnd = nullptr;
    CWin32SystemMetrics& m_metrics;
    CGridCtrl m_left;
    CGridCtrl m_right;
    CWin32MessageBox m_messageBox{nullptr};
    HWND m_hLeft = nullptr;
    HWND m_hRight = nullptr;
    HWND m_hSave = nullptr;
    HWND m_hLoad = nullptr;
    HFONT m_hFont = nullptr;
};
