#pragma once

#include <cstddef>
#include <vector>

class CGridCellBase;

// The grid's cell pointers, row after row in one block: a row costs one pointer per
// column and nothing more, which keeps large grids small. Holds pointers only; the
// grid creates and destroys the cells. Growing operations may throw std::bad_alloc
// and then leave the store as it was.
class CCellStore {
public:
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }

    CGridCellBase* Get(int nRow, int nCol) const { return m_cells[Index(nRow, nCol)]; }
    void Set(int nRow, int nCol, CGridCellBase* pCell) { m_cells[Index(nRow, nCol)] = pCell; }

    // Inserts an empty row (all nullptr) before nRow; nRow == row count appends.
    void InsertRow(int nRow);
    void EraseRow(int nRow);
    // Inserts an empty column before nCol; nCol == column count appends.
    void InsertColumn(int nCol);
    void EraseColumn(int nCol);
    // Drops rows from the end (the caller has destroyed their cells).
    void TruncateRows(int nRows);
    void Clear();
    void SwapRows(int nRow1, int nRow2);

private:
    std::size_t Index(int nRow, int nCol) const {
        return static_cast<std::size_t>(nRow) * static_cast<std::size_t>(m_nCols) +
               static_cast<std::size_t>(nCol);
    }

    std::vector<CGridCellBase*> m_cells;
    int m_nRows = 0;
    int m_nCols = 0;
};
