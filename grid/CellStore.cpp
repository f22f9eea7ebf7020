#include "grid/CellStore.h"

#include <algorithm>
#include <iterator>

void CCellStore::InsertRow(int nRow) {
    const auto pos = m_cells.begin() + static_cast<std::ptrdiff_t>(Index(nRow, 0));
    m_cells.insert(pos, static_cast<std::size_t>(m_nCols), nullptr);
    ++m_nRows;
}

void CCellStore::EraseRow(int nRow) {
    const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(Index(nRow, 0));
    m_cells.erase(first, first + m_nCols);
    --m_nRows;
}

void CCellStore::InsertColumn(int nCol) {
    // Built beside the old block so that running out of memory leaves the store intact.
    std::vector<CGridCellBase*> cells;
    cells.reserve(static_cast<std::size_t>(m_nRows) * static_cast<std::size_t>(m_nCols + 1));
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        const auto rowBegin = m_cells.begin() + static_cast<std::ptrdiff_t>(Index(nRow, 0));
        cells.insert(cells.end(), rowBegin, rowBegin + nCol);
        cells.push_back(nullptr);
        cells.insert(cells.end(), rowBegin + nCol, rowBegin + m_nCols);
    }
    m_cells.swap(cells);
    ++m_nCols;
}

void CCellStore::EraseColumn(int nCol) {
    auto out = m_cells.begin();
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        for (int c = 0; c < m_nCols; ++c) {
            if (c != nCol) {
                *out++ = m_cells[Index(nRow, c)];
            }
        }
    }
    m_cells.erase(out, m_cells.end());
    --m_nCols;
}

void CCellStore::TruncateRows(int nRows) {
    m_cells.resize(Index(nRows, 0));
    m_nRows = nRows;
}

void CCellStore::Clear() {
    std::vector<CGridCellBase*>().swap(m_cells);
    m_nRows = 0;
    m_nCols = 0;
}

void CCellStore::SwapRows(int nRow1, int nRow2) {
    const auto row1 = m_cells.begin() + static_cast<std::ptrdiff_t>(Index(nRow1, 0));
    const auto row2 = m_cells.begin() + static_cast<std::ptrdiff_t>(Index(nRow2, 0));
    std::swap_ranges(row1, row1 + m_nCols, row2);
}
