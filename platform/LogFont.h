#pragma once

#include <cstdint>
#include <cstring>

// A logical font description, laid out as the 60-byte record that grid items and
// cells exchange: the font is chosen by these values when a context draws with it.
// An escapement of 900 or -900 (tenths of a degree) marks vertical text.
struct LOGFONT {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};

    friend bool operator==(const LOGFONT& a, const LOGFONT& b) {
        return std::memcmp(&a, &b, sizeof(LOGFONT)) == 0;
    }
};
static_assert(sizeof(LOGFONT) == 60, "the font record is exchanged as 60 bytes");

inline constexpr std::int32_t FW_NORMAL = 400;
inline constexpr std::int32_t FW_BOLD = 700;

// Copies a face name, always leaving the record NUL-terminated.
inline void SetFaceName(LOGFONT& lf, const char* pszFace) {
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    if (pszFace != nullptr) {
        std::strncpy(lf.lfFaceName, pszFace, sizeof(lf.lfFaceName) - 1);
    }
}
