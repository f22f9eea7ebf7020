// The focus cell and the selected cells as state; the window repaints what changed.
#include <new>
#include <vector>

#include "grid/GridCtrl.h"

CCellID CGridCtrl::SetFocusCell(CCellID cell) {
    if (cell == m_idCurrentCell) {
        return m_idCurrentCell;
    }
    const CCellID idPrev = m_idCurrentCell;
    if (cell.row != -1 && cell.row < m_nFixedRows) {
        cell.row = m_nFixedRows;
    }
    if (cell.col != -1 && cell.col < m_nFixedCols) {
        cell.col = m_nFixedCols;
    }
    m_idCurrentCell = cell;

    if (IsValid(idPrev)) {
        SetItemState(idPrev.row, idPrev.col, GetItemState(idPrev.row, idPrev.col) & ~GIS_FOCUSED);
        RedrawCell(idPrev);
        if (m_bTrackFocusCell) {
            if (idPrev.col != cell.col) {
                for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
                    RedrawCell(nRow, idPrev.col);
                }
            }
            if (idPrev.row != cell.row) {
                for (int nCol = 0; nCol < m_nFixedCols; ++nCol) {
                    RedrawCell(idPrev.row, nCol);
                }
            }
        }
    }
    if (IsValid(cell)) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GIS_FOCUSED);
        RedrawCell(cell);
        if (m_bTrackFocusCell) {
            if (idPrev.col != cell.col) {
                for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
                    RedrawCell(nRow, cell.col);
                }
            }
            if (idPrev.row != cell.row) {
                for (int nCol = 0; nCol < m_nFixedCols; ++nCol) {
                    RedrawCell(cell.row, nCol);
                }
            }
        }
    }
    return idPrev;
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, bool bForceRepaint, bool bSelectCells) {
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
                     bForceRepaint, bSelectCells);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, bool /*bForceRepaint*/,
                                 bool bSelectCells) {
    if (!m_bEnableSelection) {
        return;
    }
    auto clampRow = [this](int& n) {
        if (n >= 0 && n < m_nFixedRows) {
            n = m_nFixedRows;
        }
    };
    auto clampCol = [this](int& n) {
        if (n >= 0 && n < m_nFixedCols) {
            n = m_nFixedCols;
        }
    };
    clampRow(nMinRow);
    clampRow(nMaxRow);
    clampCol(nMinCol);
    clampCol(nMaxCol);
    const bool bAllBounds = nMinRow >= 0 && nMinCol >= 0 && nMaxRow >= 0 && nMaxCol >= 0;
    const CCellRange newRange(nMinRow, nMinCol, nMaxRow, nMaxCol);

    if (bSelectCells) {
        // Taken out first: clearing a cell's bit removes it from the map.
        std::vector<CCellID> selected;
        try {
            selected.reserve(m_SelectedCellMap.size());
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return;
        }
        for (const auto& entry : m_SelectedCellMap) {
            selected.push_back(entry.second);
        }
        for (const CCellID& cell : selected) {
            if (IsValid(cell)) {
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GIS_SELECTED);
                if (!newRange.InRange(cell)) {
                    InvalidateCellRect(cell.row, cell.col);
                }
            } else {
                m_SelectedCellMap.erase(CellMapKey(cell.row, cell.col));
            }
        }
        if (!(m_bListMode && m_bSingleRowSelection) && bAllBounds) {
            for (const auto& entry : m_PrevSelectedCellMap) {
                const CCellID& cell = entry.second;
                if (IsValid(cell)) {
                    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GIS_SELECTED);
                    InvalidateCellRect(cell.row, cell.col);
                }
            }
        }
    }

    if (bAllBounds && nMaxRow < m_nRows && nMaxCol < m_nCols && nMaxCol >= nMinCol) {
        for (int nRow = nMinRow; nRow <= nMaxRow; ++nRow) {
            for (int nCol = nMinCol; nCol <= nMaxCol; ++nCol) {
                const std::uint32_t nState = GetItemState(nRow, nCol);
                const bool bSelected = (nState & GIS_SELECTED) != 0;
                if (bSelected == bSelectCells) {
                    continue;
                }
                SetItemState(nRow, nCol, bSelectCells ? (nState | GIS_SELECTED) : (nState & ~GIS_SELECTED));
                InvalidateCellRect(nRow, nCol);
            }
        }
    }
}

void CGridCtrl::ResetSelectedRange() {
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1, false, true);
    SetFocusCell(-1, -1);
}
