// Sorting the non-fixed rows by one column.
#include <algorithm>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "grid/GridCtrl.h"
#include "platform/CLocaleNumber.h"

namespace {

const std::string& TextOf(const CGridCellBase* pCell) {
    static const std::string s_empty;
    const std::string* pText = pCell->GetText();
    return pText != nullptr ? *pText : s_empty;
}

// Letters compare as lower case; bytes from 0x80 on compare as they are.
int FoldCase(unsigned char ch) {
    return (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : ch;
}

bool IsCSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// Decimal integer as the C library's conversion reads it: leading blanks, a sign,
// digits up to the first other character; out-of-range values stop at the 32-bit limits.
long long ParseLong(const std::string& str) {
    std::size_t i = 0;
    while (i < str.size() && IsCSpace(str[i])) {
        ++i;
    }
    bool bNegative = false;
    if (i < str.size() && (str[i] == '+' || str[i] == '-')) {
        bNegative = str[i] == '-';
        ++i;
    }
    long long nValue = 0;
    for (; i < str.size() && str[i] >= '0' && str[i] <= '9'; ++i) {
        nValue = nValue * 10 + (str[i] - '0');
        if (nValue > static_cast<long long>(INT_MAX) + 1) {
            nValue = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (bNegative) {
        return -nValue;
    }
    return nValue > INT_MAX ? INT_MAX : nValue;
}

// A number too large for a double reads as infinity, one too small as 0, as the C
// library reads them (from_chars leaves the value untouched in both cases).
double OutOfRangeMagnitude(const char* pBegin, const char* pEnd) {
    try {
        const std::string number(pBegin, pEnd);
        return std::fabs(StrtodCLocale(number.c_str()));
    } catch (const std::bad_alloc&) {
        return HUGE_VAL;  // only a very long number needs the copy: take it as huge
    }
}

// Floating value as the C library reads it in the "C" locale, whatever locale the
// program runs in: leading blanks, a sign, then decimal or hexadecimal digits.
double ParseDouble(const std::string& str) {
    const char* p = str.data();
    const char* const pEnd = p + str.size();
    while (p < pEnd && IsCSpace(*p)) {
        ++p;
    }
    bool bNegative = false;
    if (p < pEnd && (*p == '+' || *p == '-')) {
        bNegative = *p == '-';
        ++p;
    }
    double dValue = 0.0;
    std::chars_format format = std::chars_format::general;
    if (pEnd - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        const auto hex = std::from_chars(p + 2, pEnd, dValue, std::chars_format::hex);
        if (hex.ec == std::errc::result_out_of_range) {
            dValue = OutOfRangeMagnitude(p, hex.ptr);
        }
        if (hex.ec == std::errc() || hex.ec == std::errc::result_out_of_range) {
            return bNegative ? -dValue : dValue;
        }
        format = std::chars_format::general;  // "0x" alone: the 0 is the number
    }
    if (p < pEnd && (*p == '+' || *p == '-')) {
        return 0.0;  // a second sign is not a number
    }
    const auto result = std::from_chars(p, pEnd, dValue, format);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0;
    }
    if (result.ec == std::errc::result_out_of_range) {
        dValue = OutOfRangeMagnitude(p, result.ptr);
    }
    return bNegative ? -dValue : dValue;
}

}  // namespace

int CGridCtrl::pfnCellTextCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2, std::intptr_t) {
    if (pCell1 == nullptr || pCell2 == nullptr) {
        return 0;
    }
    const std::string& s1 = TextOf(pCell1);
    const std::string& s2 = TextOf(pCell2);
    const std::size_t n = std::min(s1.size(), s2.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int c1 = FoldCase(static_cast<unsigned char>(s1[i]));
        const int c2 = FoldCase(static_cast<unsigned char>(s2[i]));
        if (c1 != c2) {
            return c1 < c2 ? -1 : 1;
        }
    }
    if (s1.size() == s2.size()) {
        return 0;
    }
    return s1.size() < s2.size() ? -1 : 1;
}

int CGridCtrl::pfnCellNumericCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2,
                                     std::intptr_t) {
    if (pCell1 == nullptr || pCell2 == nullptr) {
        return 0;
    }
    const long long n1 = ParseLong(TextOf(pCell1));
    const long long n2 = ParseLong(TextOf(pCell2));
    return n1 < n2 ? -1 : (n1 == n2 ? 0 : 1);
}

int CGridCtrl::pfnCellFloatCompare(const CGridCellBase* pCell1, const CGridCellBase* pCell2, std::intptr_t) {
    if (pCell1 == nullptr || pCell2 == nullptr) {
        return 0;
    }
    const double d1 = ParseDouble(TextOf(pCell1));
    const double d2 = ParseDouble(TextOf(pCell2));
    if (d1 < d2) {
        return -1;
    }
    return d1 > d2 ? 1 : 0;
}

void CGridCtrl::SetSortColumn(int nCol) {
    if (m_nSortColumn >= 0) {
        InvalidateCellRect(0, m_nSortColumn);
    }
    m_nSortColumn = nCol;
    if (nCol >= 0) {
        InvalidateCellRect(0, nCol);
    }
}

void CGridCtrl::SetColumnSortType(int nType, int nCol) {
    if (nCol >= 0 && nCol < m_nCols && static_cast<std::size_t>(nCol) < m_arColumnSortTypes.size()) {
        m_arColumnSortTypes[static_cast<std::size_t>(nCol)] = nType;
    } else {
        m_nDefaultSortType = nType;
    }
}

int CGridCtrl::GetColumnSortType(int nCol) const {
    if (nCol >= 0 && static_cast<std::size_t>(nCol) < m_arColumnSortTypes.size()) {
        return m_arColumnSortTypes[static_cast<std::size_t>(nCol)];
    }
    return m_nDefaultSortType;
}

bool CGridCtrl::SortItems(int nCol, bool bAscending, std::intptr_t data) {
    int nType = (nCol >= 0 && nCol < m_nCols) ? GetColumnSortType(nCol) : 0;
    if (nType == 0) {
        nType = m_nDefaultSortType;
    }
    PFNLVCOMPARE pfnCompare = nullptr;
    if (nType == GVSORT_NUMERIC) {
        pfnCompare = pfnCellNumericCompare;
    } else if (nType == GVSORT_FLOAT) {
        pfnCompare = pfnCellFloatCompare;
    } else {
        pfnCompare = m_pfnCompare != nullptr ? m_pfnCompare : pfnCellTextCompare;
    }
    return SortItems(pfnCompare, nCol, bAscending, data);
}

bool CGridCtrl::SortItemsByText(int nCol, bool bAscending, std::intptr_t data) {
    return SortItems(pfnCellTextCompare, nCol, bAscending, data);
}

bool CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, std::intptr_t data) {
    EndEditingFrom(m_nFixedRows, 0);
    SetSortColumn(nCol);
    SetSortAscending(bAscending);
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortItems(pfnCompare, nCol, bAscending, data, m_nFixedRows, m_nRows - 1);
}

void CGridCtrl::SwapRows(int nRow1, int nRow2) {
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        CGridCellBase* pCell1 = GetCell(nRow1, nCol);
        CGridCellBase* pCell2 = GetCell(nRow2, nCol);
        SetCell(nRow1, nCol, pCell2);
        SetCell(nRow2, nCol, pCell1);
    }
    std::swap(m_arRowHeights[static_cast<std::size_t>(nRow1)],
              m_arRowHeights[static_cast<std::size_t>(nRow2)]);
}

// Partitions around the middle row's cell, then sorts both sides. The two sides are
// disjoint, so the smaller one is sorted by recursion and the larger one by the loop,
// which bounds the depth of the recursion on large grids.
bool CGridCtrl::SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, std::intptr_t data, int low,
                          int high) {
    if (pfnCompare == nullptr || nCol < 0 || nCol >= m_nCols) {
        return false;
    }
    if (low >= high) {
        return false;
    }
    while (low < high) {
        const CGridCellBase* pMidCell = GetCell((low + high) / 2, nCol);
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            if (bAscending) {
                while (lo < high && pfnCompare(GetCell(lo, nCol), pMidCell, data) < 0) {
                    ++lo;
                }
                while (hi > low && pfnCompare(GetCell(hi, nCol), pMidCell, data) > 0) {
                    --hi;
                }
            } else {
                while (lo < high && pfnCompare(GetCell(lo, nCol), pMidCell, data) > 0) {
                    ++lo;
                }
                while (hi > low && pfnCompare(GetCell(hi, nCol), pMidCell, data) < 0) {
                    --hi;
                }
            }
            if (lo <= hi) {
                if (pfnCompare(GetCell(lo, nCol), GetCell(hi, nCol), data) != 0) {
                    SwapRows(lo, hi);
                }
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi) {
                SortItems(pfnCompare, nCol, bAscending, data, low, hi);
            }
            low = lo;
        } else {
            if (lo < high) {
                SortItems(pfnCompare, nCol, bAscending, data, lo, high);
            }
            high = hi;
        }
    }
    return true;
}
