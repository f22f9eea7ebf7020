#pragma once

#include <algorithm>

// A cell address: row then column; (-1, -1) is no cell.
class CCellID {
public:
    int row = -1;
    int col = -1;

    constexpr CCellID() = default;
    constexpr CCellID(int nRow, int nCol) : row(nRow), col(nCol) {}

    // Valid as an address at all; whether it lies in a grid is CGridCtrl::IsValid.
    constexpr bool IsValid() const { return row >= 0 && col >= 0; }
    friend constexpr bool operator==(const CCellID&, const CCellID&) = default;
};

// A rectangle of cells by its inclusive bounds; all -1 is the empty range.
class CCellRange {
public:
    constexpr CCellRange() = default;
    constexpr CCellRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol)
        : m_nMinRow(nMinRow), m_nMinCol(nMinCol), m_nMaxRow(nMaxRow), m_nMaxCol(nMaxCol) {}

    constexpr void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1) {
        *this = CCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol);
    }

    constexpr bool IsValid() const {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0 &&
               m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    constexpr bool InRange(int nRow, int nCol) const {
        return nRow >= m_nMinRow && nRow <= m_nMaxRow && nCol >= m_nMinCol && nCol <= m_nMaxCol;
    }
    constexpr bool InRange(const CCellID& cell) const { return InRange(cell.row, cell.col); }
    constexpr bool Contains(int nRow, int nCol) const { return InRange(nRow, nCol); }

    constexpr CCellID GetTopLeft() const { return {m_nMinRow, m_nMinCol}; }
    // The overlap of the two ranges; not IsValid() when they do not overlap.
    constexpr CCellRange Intersect(const CCellRange& rhs) const {
        return {std::max(m_nMinRow, rhs.m_nMinRow), std::max(m_nMinCol, rhs.m_nMinCol),
                std::min(m_nMaxRow, rhs.m_nMaxRow), std::min(m_nMaxCol, rhs.m_nMaxCol)};
    }

    constexpr int GetMinRow() const { return m_nMinRow; }
    constexpr int GetMinCol() const { return m_nMinCol; }
    constexpr int GetMaxRow() const { return m_nMaxRow; }
    constexpr int GetMaxCol() const { return m_nMaxCol; }
    constexpr void SetMinRow(int n) { m_nMinRow = n; }
    constexpr void SetMinCol(int n) { m_nMinCol = n; }
    constexpr void SetMaxRow(int n) { m_nMaxRow = n; }
    constexpr void SetMaxCol(int n) { m_nMaxCol = n; }
    constexpr int Count() const {
        return IsValid() ? (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1) : 0;
    }

    friend constexpr bool operator==(const CCellRange&, const CCellRange&) = default;

private:
    int m_nMinRow = -1;
    int m_nMinCol = -1;
    int m_nMaxRow = -1;
    int m_nMaxCol = -1;
};
