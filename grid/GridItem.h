#pragma once

#include <cstdint>
#include <string>

#include "platform/ColorRef.h"
#include "platform/LogFont.h"

// A cell's user value. It is 32 bits wide, as cells store it; callers who need to
// attach an object keep an index to it rather than a pointer.
using LPARAM = std::uint32_t;

// Which fields of a GRID_ITEM are meant.
inline constexpr std::uint32_t GIF_TEXT = 0x001;
inline constexpr std::uint32_t GIF_IMAGE = 0x002;
inline constexpr std::uint32_t GIF_PARAM = 0x004;
inline constexpr std::uint32_t GIF_STATE = 0x008;
inline constexpr std::uint32_t GIF_BKCLR = 0x010;
inline constexpr std::uint32_t GIF_FGCLR = 0x020;
inline constexpr std::uint32_t GIF_FORMAT = 0x040;
inline constexpr std::uint32_t GIF_FONT = 0x080;
inline constexpr std::uint32_t GIF_MARGIN = 0x100;

// Cell state bits (the low byte of a cell's 32-bit state word).
inline constexpr std::uint32_t GIS_FOCUSED = 0x01;
inline constexpr std::uint32_t GIS_SELECTED = 0x02;
inline constexpr std::uint32_t GIS_DROPHILITED = 0x04;
inline constexpr std::uint32_t GIS_READONLY = 0x08;
inline constexpr std::uint32_t GIS_FIXED = 0x10;
inline constexpr std::uint32_t GIS_FIXEDROW = 0x20;
inline constexpr std::uint32_t GIS_FIXEDCOL = 0x40;
inline constexpr std::uint32_t GIS_MODIFIED = 0x80;

// Sets or reads several attributes of one cell at once (row -1: the column cell).
struct GRID_ITEM {
    int row = -1;
    int col = -1;
    std::uint32_t mask = 0;
    std::uint32_t nState = 0;
    std::uint32_t nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = CLR_DEFAULT;
    COLORREF crFgClr = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT lfFont{};
    std::uint32_t nMargin = 0;
    std::string strText;
};
