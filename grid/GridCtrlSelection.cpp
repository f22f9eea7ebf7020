// The focus cell and the selected cells as state; the window repaints what changed.
#include <algorithm>
#include <memory>
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

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, bool bForceRepaint,
                                 bool bSelectCells) {
    if (!m_bEnableSelection) {
        return;
    }
    // Cells that change are drawn at once when asked (and the window can), else invalidated.
    std::unique_ptr<IDrawContext> pDC;
    if (bForceRepaint && IsWindow()) {
        pDC = m_pHost->GetDrawDC();
    }
    auto repaint = [this, &pDC](const CCellID& cell) {
        if (pDC != nullptr) {
            RedrawCell(cell.row, cell.col, pDC.get());
        } else {
            InvalidateCellRect(cell.row, cell.col);
        }
    };
    const CCellRange visible = IsWindow() ? GetVisibleNonFixedCellRange() : CCellRange();

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
                if (!newRange.InRange(cell) && visible.InRange(cell)) {
                    repaint(cell);
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
                    if (visible.InRange(cell)) {
                        repaint(cell);
                    }
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
                if (visible.InRange(nRow, nCol)) {
                    repaint(CCellID(nRow, nCol));
                }
            }
        }
    }
}

void CGridCtrl::ResetSelectedRange() {
    m_PrevSelectedCellMap.clear();
    SetSelectedRange(-1, -1, -1, -1, false, true);
    SetFocusCell(-1, -1);
}

void CGridCtrl::SelectAllCells() {
    if (!m_bEnableSelection) {
        return;
    }
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, false, true);
}

void CGridCtrl::OnEditSelectAll() {
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GN_SELCHANGING);
    SelectAllCells();
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GN_SELCHANGED);
}

void CGridCtrl::SelectColumns(CCellID currentCell, bool bForceRedraw, bool bSelectCells) {
    if (!m_bEnableSelection || currentCell.col < m_nFixedCols || !IsValid(currentCell)) {
        return;
    }
    if (m_bSingleColSelection) {
        SetSelectedRange(m_nFixedRows, currentCell.col, m_nRows - 1, currentCell.col, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, currentCell.col), m_nRows - 1,
                         std::max(m_SelectionStartCell.col, currentCell.col), bForceRedraw, bSelectCells);
    }
}

void CGridCtrl::SelectRows(CCellID currentCell, bool bForceRedraw, bool bSelectCells) {
    if (!m_bEnableSelection || currentCell.row < m_nFixedRows || !IsValid(currentCell)) {
        return;
    }
    if (m_bListMode && m_bSingleRowSelection) {
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, bForceRedraw,
                         bSelectCells);
    } else {
        SetSelectedRange(std::min(m_SelectionStartCell.row, currentCell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, currentCell.row), m_nCols - 1, bForceRedraw,
                         bSelectCells);
    }
}

void CGridCtrl::SelectCells(CCellID currentCell, bool bForceRedraw, bool bSelectCells) {
    if (!m_bEnableSelection || !IsValid(currentCell) || IsFixedCell(currentCell.row, currentCell.col)) {
        return;
    }
    const int nMinRow = std::min(m_SelectionStartCell.row, currentCell.row);
    const int nMaxRow = std::max(m_SelectionStartCell.row, currentCell.row);
    const int nMinCol = std::min(m_SelectionStartCell.col, currentCell.col);
    const int nMaxCol = std::max(m_SelectionStartCell.col, currentCell.col);
    SetSelectedRange(nMinRow, nMinCol, nMaxRow, nMaxCol, bForceRedraw, bSelectCells);
}

void CGridCtrl::OnSelecting(const CCellID& currentCell) {
    if (!m_bEnableSelection) {
        return;
    }
    switch (m_MouseMode) {
        case MOUSE_SELECT_ALL:
            SelectAllCells();
            break;
        case MOUSE_SELECT_COL:
            SelectColumns(currentCell, false);
            break;
        case MOUSE_SELECT_ROW:
            SelectRows(currentCell, false);
            break;
        case MOUSE_SELECT_CELLS:
            SelectCells(currentCell, false);
            break;
        default:
            break;
    }
}

CCellRange CGridCtrl::GetSelectedCellRange() const {
    CCellRange selection(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCellMap) {
        const CCellID& cell = entry.second;
        selection.SetMinRow(std::min(selection.GetMinRow(), cell.row));
        selection.SetMinCol(std::min(selection.GetMinCol(), cell.col));
        selection.SetMaxRow(std::max(selection.GetMaxRow(), cell.row));
        selection.SetMaxCol(std::max(selection.GetMaxCol(), cell.col));
    }
    return selection;
}
