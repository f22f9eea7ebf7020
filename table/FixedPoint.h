#pragma once

#include <cstdint>
#include <string>

// An exact decimal value with four decimal places, held as a signed 64-bit count of
// ten-thousandths (1.5 is 15000). The Table page compares drive values with file values
// through it, so parsing and comparing never touch floating point. Arithmetic wraps in
// two's complement like the raw count it is; there is no invalid state.
class CFixedPoint {
public:
    CFixedPoint() = default;
    explicit CFixedPoint(std::int64_t nRaw) : m_nRaw(nRaw) {}
    explicit CFixedPoint(const std::string& strText) { Parse(strText); }

    CFixedPoint& operator=(std::int64_t nRaw) {
        m_nRaw = nRaw;
        return *this;
    }
    CFixedPoint& operator=(std::string strText) {
        Parse(std::move(strText));
        return *this;
    }

    // Longest valid prefix of the text: an optional leading sign, integer digits, one
    // point and up to four decimals (further decimals are cut, not rounded). Leading
    // blanks are not skipped; anything after the number is ignored; no number gives 0.
    void Parse(std::string strText);

    std::int64_t GetRaw() const { return m_nRaw; }
    double ToDouble() const;

    bool operator==(const CFixedPoint& other) const { return m_nRaw == other.m_nRaw; }
    bool operator!=(const CFixedPoint& other) const { return m_nRaw != other.m_nRaw; }
    bool operator<(const CFixedPoint& other) const { return m_nRaw < other.m_nRaw; }
    bool operator<=(const CFixedPoint& other) const { return m_nRaw <= other.m_nRaw; }
    bool operator>(const CFixedPoint& other) const { return m_nRaw > other.m_nRaw; }
    bool operator>=(const CFixedPoint& other) const { return m_nRaw >= other.m_nRaw; }

    CFixedPoint operator-() const;
    CFixedPoint Abs() const;

    CFixedPoint& operator+=(const CFixedPoint& other);
    CFixedPoint& operator-=(const CFixedPoint& other);
    CFixedPoint& operator*=(const CFixedPoint& other);
    // Division by a zero value gives 0 instead of trapping.
    CFixedPoint& operator/=(const CFixedPoint& other);

    CFixedPoint operator+(const CFixedPoint& other) const { return CFixedPoint(*this) += other; }
    CFixedPoint operator-(const CFixedPoint& other) const { return CFixedPoint(*this) -= other; }
    CFixedPoint operator*(const CFixedPoint& other) const { return CFixedPoint(*this) *= other; }
    CFixedPoint operator/(const CFixedPoint& other) const { return CFixedPoint(*this) /= other; }

private:
    std::int64_t m_nRaw = 0;
};

inline CFixedPoint Abs(const CFixedPoint& value) {
    return value.Abs();
}

// x + 0.5 (x - 0.5 below zero) truncated toward zero. NaN gives 0; values beyond the
// 64-bit range are clamped to its ends instead of being undefined.
std::int64_t RoundHalfAwayFromZero(double x);
