#pragma once

#include <cstdint>

// Platform-neutral input for windows built on the core: virtual-key codes, the
// modifier and button flags that come with keys and mouse events, cursor shapes and
// scroll-bar requests. The values are the ones the drive tool's files and notifications
// carry (an editor reports the key that ended it as one of these codes).

// Virtual-key codes.
inline constexpr std::uint32_t VK_LBUTTON = 0x01;
inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_SHIFT = 0x10;
inline constexpr std::uint32_t VK_CONTROL = 0x11;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_PRIOR = 0x21;
inline constexpr std::uint32_t VK_NEXT = 0x22;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_INSERT = 0x2D;
inline constexpr std::uint32_t VK_DELETE = 0x2E;
inline constexpr std::uint32_t VK_F2 = 0x71;

// Modifier and button flags of key and mouse input.
inline constexpr std::uint32_t MK_LBUTTON = 0x0001;
inline constexpr std::uint32_t MK_RBUTTON = 0x0002;
inline constexpr std::uint32_t MK_SHIFT = 0x0004;
inline constexpr std::uint32_t MK_CONTROL = 0x0008;

// Cursor shapes.
inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEWE = 32644;

// Scroll bars and scroll requests.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_BOTH = 3;

inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

inline constexpr std::uint32_t SIF_RANGE = 0x0001;
inline constexpr std::uint32_t SIF_PAGE = 0x0002;
inline constexpr std::uint32_t SIF_POS = 0x0004;
inline constexpr std::uint32_t SIF_DISABLENOSCROLL = 0x0008;
inline constexpr std::uint32_t SIF_TRACKPOS = 0x0010;
inline constexpr std::uint32_t SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    std::uint32_t fMask = 0;
    int nMin = 0;
    int nMax = 0;
    unsigned nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Dialog codes: which keys a control wants for itself inside a dialog.
inline constexpr std::uint32_t DLGC_WANTARROWS = 0x0001;
inline constexpr std::uint32_t DLGC_WANTTAB = 0x0002;
inline constexpr std::uint32_t DLGC_WANTCHARS = 0x0080;
