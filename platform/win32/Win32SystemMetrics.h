#pragma once

#include "platform/SystemMetrics.h"

#include <array>

// The desktop's colours, metrics, message font and wheel setting as the system has them.
// Colours, the message font and the wheel setting are read once and kept, since the grid
// asks for colours for every cell it draws; Refresh reads them again (the owner calls it
// on WM_SETTINGCHANGE and WM_SYSCOLORCHANGE before the grid hears of the change).
//
// DPI: metrics in pixels (scroll-bar sizes, borders, the drag distance) are given for
// the DPI the owner sets, the DPI of the window the grid lives in (the system's DPI until
// then). The message font is described at 96 DPI, as every LOGFONT of the core is: a
// drawing context scales it to its own DPI, the screen context given here to this one.
class CWin32SystemMetrics final : public ISystemMetrics {
public:
    CWin32SystemMetrics();

    COLORREF GetSysColor(int nIndex) const override;
    int GetSystemMetrics(int nIndex) const override;
    LOGFONT GetMessageFont() const override;
    int GetWheelScrollLines() const override;
    std::unique_ptr<IDrawContext> GetScreenDC() const override;

    void Refresh();
    void SetDpi(int nDpi);
    int GetDpi() const { return m_nDpi; }
    // The DPI the system's own answers are given for (the primary screen's at start-up).
    static int GetSystemDpi();

private:
    static constexpr int kColourCount = 31;
    std::array<COLORREF, kColourCount> m_colours{};
    LOGFONT m_messageFont{};
    int m_nWheelScrollLines = 3;
    int m_nDpi = 96;
};
