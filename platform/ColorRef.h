#pragma once

#include <cstdint>

// A colour reference: red in the low byte, then green, then blue. The top byte
// 0xFF marks "no colour of its own": take the default one.
using COLORREF = std::uint32_t;

inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF clr) {
    return static_cast<std::uint8_t>(clr & 0xFF);
}
constexpr std::uint8_t GetGValue(COLORREF clr) {
    return static_cast<std::uint8_t>((clr >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(COLORREF clr) {
    return static_cast<std::uint8_t>((clr >> 16) & 0xFF);
}
