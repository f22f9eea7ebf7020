#include "sim/SimDecimal.h"

#include <cstdlib>

namespace {
constexpr int kMaxIntegerDigits = 12;

std::int64_t PowerOfTen(int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::optional<CSimDecimal> CSimDecimal::Parse(const std::string& text, int* fractionDigits) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    std::int64_t integer = 0;
    int integerDigits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++integerDigits)
        integer = integer * 10 + (text[pos] - '0');
    std::int64_t fraction = 0;
    int decimals = 0;
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, ++decimals)
            fraction = fraction * 10 + (text[pos] - '0');
        if (decimals == 0)
            return std::nullopt;
    }
    if (pos != text.size() || integerDigits == 0 || integerDigits > kMaxIntegerDigits ||
        decimals > kMaxDecimals)
        return std::nullopt;
    if (fractionDigits != nullptr)
        *fractionDigits = decimals;
    const std::int64_t units = integer * kScale + fraction * PowerOfTen(kMaxDecimals - decimals);
    return CSimDecimal(negative ? -units : units);
}

std::string CSimDecimal::Format(int decimals, bool comma) const {
    const std::int64_t magnitude = std::llabs(m_nUnits);
    const std::int64_t shown = magnitude / PowerOfTen(kMaxDecimals - decimals);
    const std::int64_t divisor = PowerOfTen(decimals);
    std::string text = (m_nUnits < 0 && shown != 0) ? "-" : "";
    text += std::to_string(shown / divisor);
    if (decimals > 0) {
        std::string fraction = std::to_string(shown % divisor);
        text += comma ? ',' : '.';
        text += std::string(decimals - fraction.size(), '0') + fraction;
    }
    return text;
}

bool CSimDecimal::FitsDecimals(int decimals) const {
    return m_nUnits % PowerOfTen(kMaxDecimals - decimals) == 0;
}
