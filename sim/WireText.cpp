#include "sim/WireText.h"

#include <array>
#include <cstdint>

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<char> CodePointTo1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at `pos`, advancing it; nullopt for malformed input.
std::optional<char32_t> NextCodePoint(const std::string& text, size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i, ++pos) {
        if (pos >= text.size() || (static_cast<std::uint8_t>(text[pos]) & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (static_cast<std::uint8_t>(text[pos]) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return cp;
}

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}
}  // namespace

std::optional<std::string> Utf8ToWindows1252(const std::string& utf8) {
    std::string result;
    for (size_t pos = 0; pos < utf8.size();) {
        const auto cp = NextCodePoint(utf8, pos);
        const auto byte = cp ? CodePointTo1252(*cp) : std::nullopt;
        if (!byte)
            return std::nullopt;
        result += *byte;
    }
    return result;
}

std::string InvertHighBytes(std::string text) {
    for (char& c : text) {
        if (static_cast<std::uint8_t>(c) >= 0x80)
            c = static_cast<char>(static_cast<std::uint8_t>(c) ^ 0x40);
    }
    return text;
}

std::string NameField(const std::string& name) {
    return "\n\n" + InvertHighBytes(PadRight(name, kNameFieldWidth)) + "\r\n";
}

std::string ValueField(const std::string& value) {
    const size_t pad = value.size() < kValueFieldWidth ? kValueFieldWidth - value.size() : 0;
    return std::string(pad, ' ') + InvertHighBytes(value) + "\r\n";
}

std::string ErrorField(const std::string& error) {
    return InvertHighBytes(PadRight(error, kErrorFieldWidth)) + "\r\n";
}
