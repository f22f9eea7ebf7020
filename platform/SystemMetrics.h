#pragma once

#include <memory>

#include "platform/ColorRef.h"
#include "platform/DrawContext.h"
#include "platform/LogFont.h"

// System colour indexes (the values the drawing code passes around).
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;

// System metric indexes.
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
// How far the pointer may move from where a button went down before a drag starts,
// horizontally and vertically.
inline constexpr int SM_CXDRAG = 68;
inline constexpr int SM_CYDRAG = 69;

// What the desktop offers the core: system colours, metrics, the message font and a
// screen context for measuring. The core uses CFixedSystemMetrics (fixed values, no
// screen context); the desktop program installs its own with SetSystemMetrics.
class ISystemMetrics {
public:
    virtual ~ISystemMetrics() = default;
    virtual COLORREF GetSysColor(int nIndex) const = 0;
    virtual int GetSystemMetrics(int nIndex) const = 0;
    virtual LOGFONT GetMessageFont() const = 0;
    virtual int GetWheelScrollLines() const = 0;
    // A context on the screen for measuring, or nullptr when there is no screen.
    virtual std::unique_ptr<IDrawContext> GetScreenDC() const = 0;
};

class CFixedSystemMetrics : public ISystemMetrics {
public:
    COLORREF GetSysColor(int nIndex) const override {
        switch (nIndex) {
            case COLOR_WINDOW:
                return RGB(0xFF, 0xFF, 0xFF);
            case COLOR_BTNFACE:
                return RGB(0xF0, 0xF0, 0xF0);
            case COLOR_BTNSHADOW:
                return RGB(0xA0, 0xA0, 0xA0);
            case COLOR_HIGHLIGHT:
                return RGB(0x00, 0x78, 0xD7);
            case COLOR_HIGHLIGHTTEXT:
                return RGB(0xFF, 0xFF, 0xFF);
            case COLOR_BTNHIGHLIGHT:
                return RGB(0xFF, 0xFF, 0xFF);
            case COLOR_3DDKSHADOW:
                return RGB(0x69, 0x69, 0x69);
            case COLOR_INFOBK:
                return RGB(0xFF, 0xFF, 0xE1);
            default:
                return RGB(0, 0, 0);  // window text, info text and the rest
        }
    }
    int GetSystemMetrics(int nIndex) const override {
        switch (nIndex) {
            case SM_CXVSCROLL:
            case SM_CYHSCROLL:
                return 17;
            case SM_CXDRAG:
            case SM_CYDRAG:
                return 4;
            default:
                return 0;
        }
    }
    LOGFONT GetMessageFont() const override {
        LOGFONT lf;
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        SetFaceName(lf, "Sans Serif");
        return lf;
    }
    int GetWheelScrollLines() const override { return 3; }
    std::unique_ptr<IDrawContext> GetScreenDC() const override { return nullptr; }
};

namespace tovamo_detail {
inline ISystemMetrics*& InstalledSystemMetrics() {
    static ISystemMetrics* s_pMetrics = nullptr;
    return s_pMetrics;
}
}  // namespace tovamo_detail

// The metrics in force. Install before creating grids; nullptr goes back to the fixed ones.
inline void SetSystemMetrics(ISystemMetrics* pMetrics) {
    tovamo_detail::InstalledSystemMetrics() = pMetrics;
}
inline const ISystemMetrics& SystemMetrics() {
    static const CFixedSystemMetrics s_fixed;
    const ISystemMetrics* p = tovamo_detail::InstalledSystemMetrics();
    return p != nullptr ? *p : s_fixed;
}
inline COLORREF GetSysColor(int nIndex) {
    return SystemMetrics().GetSysColor(nIndex);
}
inline int GetSystemMetrics(int nIndex) {
    return SystemMetrics().GetSystemMetrics(nIndex);
}
