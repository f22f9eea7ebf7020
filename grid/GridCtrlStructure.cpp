// Counts, rows and columns: growing and shrinking the grid while keeping the fixed
// counts, the size tables and the cells in step.
#include <new>

#include "grid/GridCtrl.h"

namespace {

// A heading that cannot be measured for want of memory gets the default size.
CSize MeasureHeading(CGridCellBase* pCell, const std::string& strHeading, CSize fallback) {
    if (pCell == nullptr) {
        return fallback;
    }
    try {
        return pCell->GetTextExtent(&strHeading);
    } catch (const std::bad_alloc&) {
        return fallback;
    }
}

// Deletes the cells made so far when a row or column cannot be completed.
void DeleteCells(std::vector<CGridCellBase*>& cells) {
    for (CGridCellBase* pCell : cells) {
        delete pCell;
    }
    cells.clear();
}

// Cells that remember their column (light cells take their attributes from it) learn
// the new number of every column an insertion or deletion has moved.
void RenumberColumns(const CGridCtrl& grid, int nFirstCol) {
    if (grid.GetVirtualMode()) {
        return;
    }
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
        for (int nCol = nFirstCol; nCol < grid.GetColumnCount(); ++nCol) {
            if (CGridCellBase* pCell = grid.GetCell(nRow, nCol); pCell != nullptr) {
                pCell->SetCoords(nRow, nCol);
            }
        }
    }
}
}  // namespace

// Adds one row at nRow with the given height: its height entry, its slot in the store
// and its cells. On running out of memory nothing of the row stays and it returns false.
bool CGridCtrl::AddRow(int nRow, int nHeight) {
    try {
        m_arRowHeights.insert(m_arRowHeights.begin() + nRow, nHeight);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (m_bVirtualMode) {
        return true;
    }
    try {
        m_cells.InsertRow(nRow);
    } catch (const std::bad_alloc&) {
        m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
        return false;
    }
    // The cells go straight into their empty slots; a failure takes the row out again.
    int nCol = 0;
    try {
        for (; nCol < m_nCols; ++nCol) {
            m_cells.Set(nRow, nCol, CreateCell(nRow, nCol));
        }
    } catch (const std::bad_alloc&) {
        for (int nMade = 0; nMade < nCol; ++nMade) {
            delete m_cells.Get(nRow, nMade);
        }
        m_cells.EraseRow(nRow);
        m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
        return false;
    }
    return true;
}

// The column counterpart of AddRow: width entry, column cell, sort type and a cell in
// every row, all or nothing.
bool CGridCtrl::AddColumn(int nCol, int nWidth) {
    std::vector<CGridCellBase*> cells;
    CGridCellBase* pColumnCell = nullptr;
    try {
        m_arColWidths.reserve(m_arColWidths.size() + 1);
        if (!m_bVirtualMode) {
            m_arColumnCells.reserve(m_arColumnCells.size() + 1);
            m_arColumnSortTypes.reserve(m_arColumnSortTypes.size() + 1);
            pColumnCell = CreateCell(-1, nCol);
            cells.reserve(static_cast<std::size_t>(m_nRows));
            for (int nRow = 0; nRow < m_nRows; ++nRow) {
                cells.push_back(CreateCell(nRow, nCol));
            }
            m_cells.InsertColumn(nCol);
        }
    } catch (const std::bad_alloc&) {
        delete pColumnCell;
        DeleteCells(cells);
        return false;
    }
    // Capacity was reserved above: these inserts do not allocate.
    m_arColWidths.insert(m_arColWidths.begin() + nCol, nWidth);
    if (!m_bVirtualMode) {
        m_arColumnCells.insert(m_arColumnCells.begin() + nCol, pColumnCell);
        m_arColumnSortTypes.insert(m_arColumnSortTypes.begin() + nCol, 0);
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            m_cells.Set(nRow, nCol, cells[static_cast<std::size_t>(nRow)]);
        }
    }
    return true;
}

bool CGridCtrl::SetRowCount(int nRows) {
    if (nRows < 0) {
        return false;
    }
    EndEditingFrom(nRows, 0);
    if (nRows == m_nRows) {
        return true;
    }
    ForgetTopLeftCell();
    if (nRows < m_nFixedRows) {
        m_nFixedRows = nRows;
    }
    if (m_idCurrentCell.row >= nRows) {
        SetFocusCell(-1, -1);
    }

    if (nRows < m_nRows) {
        if (!m_bVirtualMode) {
            for (int nRow = nRows; nRow < m_nRows; ++nRow) {
                for (int nCol = 0; nCol < m_nCols; ++nCol) {
                    DestroyCell(nRow, nCol);
                }
            }
            m_cells.TruncateRows(nRows);
        }
        m_arRowHeights.resize(static_cast<std::size_t>(nRows));
        m_nRows = nRows;
    }

    bool bResult = true;
    const int nHeight = m_cellDefault->GetHeight();
    while (m_nRows < nRows) {
        if (!AddRow(m_nRows, nHeight)) {
            ReportOutOfMemory();
            bResult = false;
            break;
        }
        ++m_nRows;
    }

    SetModified(true, -1, -1);
    ResetScrollBars();
    Refresh();
    return bResult;
}

bool CGridCtrl::SetColumnCount(int nCols) {
    if (nCols < 0) {
        return false;
    }
    EndEditingFrom(0, nCols);
    if (nCols == m_nCols) {
        return true;
    }
    ForgetTopLeftCell();
    if (nCols < m_nFixedCols) {
        m_nFixedCols = nCols;
    }
    if (m_idCurrentCell.col >= nCols) {
        SetFocusCell(-1, -1);
    }

    if (nCols < m_nCols) {
        if (!m_bVirtualMode) {
            for (int nCol = nCols; nCol < m_nCols; ++nCol) {
                DestroyCell(-1, nCol);
            }
            for (int nRow = 0; nRow < m_nRows; ++nRow) {
                for (int nCol = nCols; nCol < m_nCols; ++nCol) {
                    DestroyCell(nRow, nCol);
                }
            }
            for (int nCol = m_nCols - 1; nCol >= nCols; --nCol) {
                m_cells.EraseColumn(nCol);
            }
            m_arColumnCells.resize(static_cast<std::size_t>(nCols));
            m_arColumnSortTypes.resize(static_cast<std::size_t>(nCols));
        }
        m_arColWidths.resize(static_cast<std::size_t>(nCols));
        m_nCols = nCols;
    }

    // The count follows the columns actually made, so that it never runs ahead of the
    // tables when memory runs out.
    bool bResult = true;
    const int nWidth = m_cellFixedColDef->GetWidth();
    while (m_nCols < nCols) {
        if (!AddColumn(m_nCols, nWidth)) {
            ReportOutOfMemory();
            bResult = false;
            break;
        }
        ++m_nCols;
    }

    SetModified(true, -1, -1);
    ResetScrollBars();
    Refresh();
    return bResult;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows) {
    if (nFixedRows < 0) {
        return false;
    }
    if (nFixedRows == m_nFixedRows) {
        return true;
    }
    ResetSelectedRange();
    ForgetTopLeftCell();
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows)) {
        return false;
    }
    if (m_idCurrentCell.row < nFixedRows) {
        SetFocusCell(-1, -1);
    }
    if (!m_bVirtualMode) {
        for (int nRow = m_nFixedRows; nRow < nFixedRows; ++nRow) {
            for (int nCol = 0; nCol < m_nCols; ++nCol) {
                SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GIS_FIXED | GIS_FIXEDROW);
                SetItemBkColour(nRow, nCol, CLR_DEFAULT);
                SetItemFgColour(nRow, nCol, CLR_DEFAULT);
            }
        }
        for (int nRow = nFixedRows; nRow < m_nFixedRows; ++nRow) {
            for (int nCol = 0; nCol < m_nCols; ++nCol) {
                if (nCol < m_nFixedCols) {
                    SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GIS_FIXEDROW);
                } else {
                    SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~(GIS_FIXED | GIS_FIXEDROW));
                    SetItemBkColour(nRow, nCol, CLR_DEFAULT);
                    SetItemFgColour(nRow, nCol, CLR_DEFAULT);
                }
            }
        }
    }
    m_nFixedRows = nFixedRows;
    Refresh();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols) {
    if (nFixedCols < 0) {
        return false;
    }
    if (nFixedCols == m_nFixedCols) {
        return true;
    }
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols)) {
        return false;
    }
    if (m_idCurrentCell.col < nFixedCols) {
        SetFocusCell(-1, -1);
    }
    ResetSelectedRange();
    ForgetTopLeftCell();
    if (!m_bVirtualMode) {
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            for (int nCol = m_nFixedCols; nCol < nFixedCols; ++nCol) {
                SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GIS_FIXED | GIS_FIXEDCOL);
                SetItemBkColour(nRow, nCol, CLR_DEFAULT);
                SetItemFgColour(nRow, nCol, CLR_DEFAULT);
            }
            for (int nCol = nFixedCols; nCol < m_nFixedCols; ++nCol) {
                if (nRow < m_nFixedRows) {
                    SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GIS_FIXEDCOL);
                } else {
                    SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~(GIS_FIXED | GIS_FIXEDCOL));
                    SetItemBkColour(nRow, nCol, CLR_DEFAULT);
                    SetItemFgColour(nRow, nCol, CLR_DEFAULT);
                }
            }
        }
    }
    m_nFixedCols = nFixedCols;
    Refresh();
    return true;
}

int CGridCtrl::InsertRow(const std::string& strHeading, int nRow) {
    if (nRow >= m_nFixedRows) {
        EndEditingFrom(nRow, 0);
    }
    if (nRow >= 0 && nRow < m_nFixedRows) {
        return -1;
    }
    if (nRow >= m_nRows) {
        nRow = -1;
    }
    ForgetTopLeftCell();
    ResetSelectedRange();
    if (m_nCols < 1) {
        SetColumnCount(1);
    }
    if (nRow < 0) {
        nRow = m_nRows;
    }
    if (!AddRow(nRow, 0)) {
        ReportOutOfMemory();
        return 0;
    }
    ++m_nRows;

    // A row whose heading could not be stored is taken out again: all or nothing.
    if (!SetItemText(nRow, 0, strHeading) && !m_bVirtualMode) {
        DeleteRow(nRow);
        return 0;
    }
    if (!strHeading.empty()) {
        CGridCellBase* pCell = GetCell(nRow, 0);
        m_arRowHeights[static_cast<std::size_t>(nRow)] =
            MeasureHeading(pCell, strHeading, CSize(0, m_cellFixedRowDef->GetHeight())).cy;
    } else {
        m_arRowHeights[static_cast<std::size_t>(nRow)] = m_cellFixedRowDef->GetHeight();
    }
    if (m_idCurrentCell.row != -1 && nRow < m_idCurrentCell.row) {
        ++m_idCurrentCell.row;
    }
    ResetScrollBars();
    SetModified(true, -1, -1);
    return nRow;
}

int CGridCtrl::InsertColumn(const std::string& strHeading, std::uint32_t nFormat, int nColumn) {
    if (nColumn >= m_nFixedCols) {
        EndEditingFrom(0, nColumn);
    }
    if (nColumn >= 0 && (nColumn < m_nFixedCols || nColumn > m_nCols)) {
        return -1;
    }
    ForgetTopLeftCell();
    ResetSelectedRange();
    if (m_nRows < 1) {
        SetRowCount(1);
    }
    if (nColumn < 0) {
        nColumn = m_nCols;
    }
    if (!AddColumn(nColumn, 0)) {
        ReportOutOfMemory();
        return 0;
    }
    ++m_nCols;
    RenumberColumns(*this, nColumn + 1);

    if (!SetItemText(0, nColumn, strHeading) && !m_bVirtualMode) {
        DeleteColumn(nColumn);
        return 0;
    }
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        SetItemFormat(nRow, nColumn, nFormat);
    }
    CGridCellBase* pCell = GetCell(0, nColumn);
    if (pCell != nullptr) {
        m_arColWidths[static_cast<std::size_t>(nColumn)] =
            MeasureHeading(pCell, strHeading, CSize(m_cellDefault->GetWidth(), 0)).cx;
    }
    if (m_idCurrentCell.col != -1 && nColumn < m_idCurrentCell.col) {
        ++m_idCurrentCell.col;
    }
    ResetScrollBars();
    SetModified(true, -1, -1);
    return nColumn;
}

bool CGridCtrl::DeleteRow(int nRow) {
    if (nRow >= 0) {
        EndEditingFrom(nRow, 0);
    }
    if (nRow < 0 || nRow >= m_nRows) {
        return false;
    }
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            DestroyCell(nRow, nCol);
        }
        m_cells.EraseRow(nRow);
    }
    m_arRowHeights.erase(m_arRowHeights.begin() + nRow);
    --m_nRows;
    if (nRow < m_nFixedRows) {
        --m_nFixedRows;
    }
    if (nRow == m_idCurrentCell.row) {
        m_idCurrentCell = CCellID();
    } else if (nRow < m_idCurrentCell.row) {
        --m_idCurrentCell.row;
    }
    ForgetTopLeftCell();
    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}

bool CGridCtrl::DeleteColumn(int nColumn) {
    if (nColumn >= 0) {
        EndEditingFrom(0, nColumn);
    }
    if (nColumn < 0 || nColumn >= m_nCols) {
        return false;
    }
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        DestroyCell(-1, nColumn);
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            DestroyCell(nRow, nColumn);
        }
        m_cells.EraseColumn(nColumn);
        m_arColumnCells.erase(m_arColumnCells.begin() + nColumn);
        m_arColumnSortTypes.erase(m_arColumnSortTypes.begin() + nColumn);
    }
    m_arColWidths.erase(m_arColWidths.begin() + nColumn);
    --m_nCols;
    RenumberColumns(*this, nColumn);
    if (nColumn < m_nFixedCols) {
        --m_nFixedCols;
    }
    if (nColumn == m_idCurrentCell.col) {
        m_idCurrentCell = CCellID();
    } else if (nColumn < m_idCurrentCell.col) {
        --m_idCurrentCell.col;
    }
    ForgetTopLeftCell();
    ResetScrollBars();
    SetModified(true, -1, -1);
    return true;
}

bool CGridCtrl::DeleteNonFixedRows() {
    ResetSelectedRange();
    for (int nRow = m_nRows - 1; nRow >= m_nFixedRows; --nRow) {
        DeleteRow(nRow);
    }
    return true;
}

bool CGridCtrl::DeleteAllItems() {
    EndEditingFrom(0, 0);
    ResetSelectedRange();
    m_PrevSelectedCellMap.clear();
    if (!m_bVirtualMode) {
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            DestroyCell(-1, nCol);
        }
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            for (int nCol = 0; nCol < m_nCols; ++nCol) {
                DestroyCell(nRow, nCol);
            }
        }
    }
    m_cells.Clear();
    std::vector<CGridCellBase*>().swap(m_arColumnCells);
    std::vector<int>().swap(m_arColumnSortTypes);
    std::vector<int>().swap(m_arRowHeights);
    std::vector<int>().swap(m_arColWidths);
    m_nRows = 0;
    m_nFixedRows = 0;
    m_nCols = 0;
    m_nFixedCols = 0;
    m_idCurrentCell = CCellID();
    m_idEditCell = CCellID();
    m_SelectedCellMap.clear();
    ForgetTopLeftCell();
    ResetScrollBars();
    return true;
}
