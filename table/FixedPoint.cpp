#include "table/FixedPoint.h"

#include <cmath>
#include <limits>

namespace {
constexpr std::int64_t kScale = 10000;
constexpr std::uint64_t kDecimalWeight[5] = {0, 1000, 100, 10, 1};

// The count's arithmetic wraps: it is done on the unsigned representation, where
// overflow is defined, and converted back (modulo 2^64 since C++20).
std::int64_t Wrap(std::uint64_t value) {
    return static_cast<std::int64_t>(value);
}
std::uint64_t Bits(std::int64_t value) {
    return static_cast<std::uint64_t>(value);
}

// Truncating division without the one overflowing case (the most negative count by -1),
// which wraps like the other operations instead of trapping.
std::int64_t DivideTruncating(std::int64_t dividend, std::int64_t divisor) {
    if (divisor == 0)
        return 0;
    if (divisor == -1)
        return Wrap(0 - Bits(dividend));
    return dividend / divisor;
}
}  // namespace

void CFixedPoint::Parse(std::string strText) {
    std::uint64_t count = 0;
    bool bNegative = false;
    int nDecimal = 0;  // 0: integer part; 1 to 4: the next digit is that decimal
    for (std::size_t j = 0; j < strText.size(); ++j) {
        const signed char c = static_cast<signed char>(strText[j]);
        if (j == 0 && c == '-') {
            bNegative = true;
            continue;
        }
        if (j == 0 && c == '+')
            continue;
        if (c == '.') {
            if (nDecimal != 0)
                break;
            nDecimal = 1;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (nDecimal == 0) {
            count = count * 10 + digit * kScale;
        } else {
            count += digit * kDecimalWeight[nDecimal];
            if (++nDecimal == 5)
                break;
        }
    }
    m_nRaw = Wrap(bNegative ? 0 - count : count);
}

double CFixedPoint::ToDouble() const {
    return static_cast<double>(m_nRaw) * 0.0001;
}

CFixedPoint CFixedPoint::operator-() const {
    return CFixedPoint(Wrap(0 - Bits(m_nRaw)));
}

CFixedPoint CFixedPoint::Abs() const {
    return m_nRaw < 0 ? -*this : *this;
}

CFixedPoint& CFixedPoint::operator+=(const CFixedPoint& other) {
    m_nRaw = Wrap(Bits(m_nRaw) + Bits(other.m_nRaw));
    return *this;
}

CFixedPoint& CFixedPoint::operator-=(const CFixedPoint& other) {
    m_nRaw = Wrap(Bits(m_nRaw) - Bits(other.m_nRaw));
    return *this;
}

CFixedPoint& CFixedPoint::operator*=(const CFixedPoint& other) {
    m_nRaw = Wrap(Bits(m_nRaw) * Bits(other.m_nRaw)) / kScale;
    return *this;
}

CFixedPoint& CFixedPoint::operator/=(const CFixedPoint& other) {
    m_nRaw = DivideTruncating(Wrap(Bits(m_nRaw) * Bits(kScale)), other.m_nRaw);
    return *this;
}

std::int64_t RoundHalfAwayFromZero(double x) {
    if (std::isnan(x))
        return 0;
    const double rounded = std::trunc(x >= 0.0 ? x + 0.5 : x - 0.5);
    // 2^63 is exactly representable; every double below it converts without overflow.
    constexpr double kLimit = 9223372036854775808.0;
    if (rounded >= kLimit)
        return std::numeric_limits<std::int64_t>::max();
    if (rounded < -kLimit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}
