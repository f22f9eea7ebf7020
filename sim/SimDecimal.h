#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A number of the simulated drive's menu, kept exact: a count of millionths in 64 bits.
// The menu's values, steps and limits are decimals written in a text file; stepping them
// in binary floating point would drift away from what a real panel shows.
class CSimDecimal {
public:
    static constexpr int kMaxDecimals = 6;
    static constexpr std::int64_t kScale = 1000000;
    // Largest magnitude: 12 integer digits. The sum of two such values still fits 64 bits.
    static constexpr std::int64_t kMaxUnits = 1000000000000 * kScale - 1;

    constexpr CSimDecimal() = default;
    static constexpr CSimDecimal FromUnits(std::int64_t units) { return CSimDecimal(units); }

    // "-12.345": optional sign, at most 12 integer digits, at most kMaxDecimals digits
    // after the '.'. `fractionDigits` receives the number of digits after the point.
    static std::optional<CSimDecimal> Parse(const std::string& text, int* fractionDigits = nullptr);

    // With exactly `decimals` places (0..kMaxDecimals), '.' or ',' as separator. Digits
    // beyond `decimals` are cut off (the menu parser refuses such values).
    std::string Format(int decimals, bool comma) const;

    // Whether the value has no digits beyond `decimals` places.
    bool FitsDecimals(int decimals) const;
    bool InRange() const { return m_nUnits >= -kMaxUnits && m_nUnits <= kMaxUnits; }

    std::int64_t Units() const { return m_nUnits; }
    friend constexpr auto operator<=>(CSimDecimal, CSimDecimal) = default;
    friend CSimDecimal operator+(CSimDecimal a, CSimDecimal b) {
        return CSimDecimal(a.m_nUnits + b.m_nUnits);
    }
    friend CSimDecimal operator-(CSimDecimal a, CSimDecimal b) {
        return CSimDecimal(a.m_nUnits - b.m_nUnits);
    }

private:
    constexpr explicit CSimDecimal(std::int64_t units) : m_nUnits(units) {}

    std::int64_t m_nUnits = 0;
};
