// Item setters and getters, sizes, the modified flag and the queries.
#include <new>

#include "grid/GridCtrl.h"

bool CGridCtrl::IsValid(int nRow, int nCol) const {
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

bool CGridCtrl::IsValid(const CCellRange& range) const {
    return range.IsValid() && range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols;
}

bool CGridCtrl::IsValidItemPosition(int nRow, int nCol) const {
    return (nRow == -1 && nCol >= 0 && nCol < m_nCols) || IsValid(nRow, nCol);
}

// The cell an item setter stores into: none in virtual mode or outside the grid.
CGridCellBase* CGridCtrl::GetItemCell(int nRow, int nCol) const {
    if (m_bVirtualMode || !IsValidItemPosition(nRow, nCol)) {
        return nullptr;
    }
    return GetCell(nRow, nCol);
}

bool CGridCtrl::SetItem(const GRID_ITEM* pItem) {
    if (pItem == nullptr) {
        return false;
    }
    CGridCellBase* pCell = GetItemCell(pItem->row, pItem->col);
    if (pCell == nullptr) {
        return false;
    }
    SetModified(true, pItem->row, pItem->col);
    if (pItem->mask & GIF_TEXT) {
        try {
            pCell->SetText(pItem->strText);
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return false;
        }
    }
    if (pItem->mask & GIF_PARAM) {
        pCell->SetData(pItem->lParam);
    }
    if (pItem->mask & GIF_IMAGE) {
        pCell->SetImage(pItem->iImage);
    }
    if (pItem->mask & GIF_STATE) {
        SetItemState(pItem->row, pItem->col, pItem->nState);
    }
    if (pItem->mask & GIF_FORMAT) {
        pCell->SetFormat(pItem->nFormat);
    }
    if (pItem->mask & GIF_BKCLR) {
        pCell->SetBackColor(pItem->crBkClr);
    }
    if (pItem->mask & GIF_FGCLR) {
        pCell->SetTextColor(pItem->crFgClr);
    }
    if (pItem->mask & GIF_FONT) {
        try {
            pCell->SetFont(&pItem->lfFont);
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return false;
        }
    }
    if (pItem->mask & GIF_MARGIN) {
        pCell->SetMargin(pItem->nMargin);
    }
    return true;
}

bool CGridCtrl::GetItem(GRID_ITEM* pItem) const {
    if (pItem == nullptr) {
        return false;
    }
    const CGridCellBase* pCell = GetCell(pItem->row, pItem->col);
    if (pCell == nullptr) {
        return false;
    }
    if (pItem->mask & GIF_TEXT) {
        pItem->strText = GetItemText(pItem->row, pItem->col);
    }
    if (pItem->mask & GIF_PARAM) {
        pItem->lParam = pCell->GetData();
    }
    if (pItem->mask & GIF_IMAGE) {
        pItem->iImage = pCell->GetImage();
    }
    if (pItem->mask & GIF_STATE) {
        pItem->nState = pCell->GetState();
    }
    if (pItem->mask & GIF_FORMAT) {
        pItem->nFormat = pCell->GetFormat();
    }
    if (pItem->mask & GIF_BKCLR) {
        pItem->crBkClr = pCell->GetBackColor();
    }
    if (pItem->mask & GIF_FGCLR) {
        pItem->crFgClr = pCell->GetTextColor();
    }
    if (pItem->mask & GIF_FONT) {
        if (const LOGFONT* plf = pCell->GetFont()) {
            pItem->lfFont = *plf;
        }
    }
    if (pItem->mask & GIF_MARGIN) {
        pItem->nMargin = pCell->GetMargin();
    }
    return true;
}

bool CGridCtrl::SetItemText(int nRow, int nCol, const std::string& str) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    try {
        pCell->SetText(str);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    SetModified(true, nRow, nCol);
    return true;
}

std::string CGridCtrl::GetItemText(int nRow, int nCol) const {
    if (!IsValid(nRow, nCol)) {
        return {};
    }
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    const std::string* pText = pCell != nullptr ? pCell->GetText() : nullptr;
    return pText != nullptr ? *pText : std::string();
}

bool CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetData(lParam);
    SetModified(true, nRow, nCol);
    return true;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetData() : 0;
}

bool CGridCtrl::SetItemImage(int nRow, int nCol, int iImage) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetImage(iImage);
    SetModified(true, nRow, nCol);
    return true;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetImage() : -1;
}

// The selected-cell map follows the bit first: in virtual mode it is all there is.
bool CGridCtrl::SetItemState(int nRow, int nCol, std::uint32_t state) {
    if (!IsValidItemPosition(nRow, nCol)) {
        return false;
    }
    const std::uint64_t nKey = CellMapKey(nRow, nCol);
    if (state & GIS_SELECTED) {
        try {
            m_SelectedCellMap[nKey] = CCellID(nRow, nCol);
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
            return false;
        }
    } else if (!m_SelectedCellMap.empty()) {
        m_SelectedCellMap.erase(nKey);
    }
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetState(state);
    return true;
}

std::uint32_t CGridCtrl::GetItemState(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetState() : 0;
}

bool CGridCtrl::SetItemFormat(int nRow, int nCol, std::uint32_t nFormat) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetFormat(nFormat);
    return true;
}

std::uint32_t CGridCtrl::GetItemFormat(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetFormat() : 0;
}

bool CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetBackColor(cr);
    return true;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetBackColor() : 0;
}

bool CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetTextColor(cr);
    return true;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr ? pCell->GetTextColor() : 0;
}

bool CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONT* plf) {
    CGridCellBase* pCell = GetItemCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    try {
        pCell->SetFont(plf);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    return true;
}

const LOGFONT* CGridCtrl::GetItemFont(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr) {
        return GetDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols)->GetFont();
    }
    return pCell->GetFont();
}

bool CGridCtrl::IsItemEditing(int nRow, int nCol) const {
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell != nullptr && pCell->IsEditing();
}

// --- Sizes ---------------------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int nRow) const {
    if (nRow < 0 || nRow >= m_nRows) {
        return -1;
    }
    return m_arRowHeights[static_cast<std::size_t>(nRow)];
}

int CGridCtrl::GetColumnWidth(int nCol) const {
    if (nCol < 0 || nCol >= m_nCols) {
        return -1;
    }
    return m_arColWidths[static_cast<std::size_t>(nCol)];
}

bool CGridCtrl::SetRowHeight(int nRow, int height) {
    if (nRow < 0 || nRow >= m_nRows || height < 0) {
        return false;
    }
    m_arRowHeights[static_cast<std::size_t>(nRow)] = height;
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int nCol, int width) {
    if (nCol < 0 || nCol >= m_nCols || width < 0) {
        return false;
    }
    m_arColWidths[static_cast<std::size_t>(nCol)] = width;
    ResetScrollBars();
    return true;
}

long long CGridCtrl::GetVirtualHeight() const {
    long long nHeight = 0;
    for (const int h : m_arRowHeights) {
        nHeight += h;
    }
    return nHeight;
}

long long CGridCtrl::GetVirtualWidth() const {
    long long nWidth = 0;
    for (const int w : m_arColWidths) {
        nWidth += w;
    }
    return nWidth;
}

// --- Modified flag and queries -------------------------------------------------------------

void CGridCtrl::SetModified(bool bModified, int nRow, int nCol) {
    if (nCol < 0 || nCol == m_nSortColumn) {
        SetSortColumn(-1);
    }
    if (nRow < 0 || nCol < 0) {
        m_bModified = bModified;
    } else if (bModified) {
        // Only the modified bit changes, so the selected-cell map stays as it is and the
        // word can be written back to the cell directly.
        if (CGridCellBase* pCell = GetItemCell(nRow, nCol)) {
            pCell->SetState(pCell->GetState() | GIS_MODIFIED);
        }
        m_bModified = true;
    } else {
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GIS_MODIFIED);
    }
    // Virtual cells keep no state of their own, so there is nothing to clear there.
    if (!m_bModified && !m_bVirtualMode) {
        for (int nR = 0; nR < m_nRows; ++nR) {
            for (int nC = 0; nC < m_nCols; ++nC) {
                const std::uint32_t nState = GetItemState(nR, nC);
                if (nState & GIS_MODIFIED) {
                    SetItemState(nR, nC, nState & ~GIS_MODIFIED);
                }
            }
        }
    }
}

bool CGridCtrl::GetModified(int nRow, int nCol) const {
    if (nRow < 0 || nCol < 0) {
        return m_bModified;
    }
    return (GetItemState(nRow, nCol) & GIS_MODIFIED) != 0;
}

bool CGridCtrl::IsCellEditable(int nRow, int nCol) const {
    return m_bEditable && (GetItemState(nRow, nCol) & GIS_READONLY) == 0;
}

bool CGridCtrl::IsCellSelected(int nRow, int nCol) const {
    if (!m_bEnableSelection) {
        return false;
    }
    if (m_bVirtualMode) {
        return m_SelectedCellMap.count(CellMapKey(nRow, nCol)) != 0;
    }
    return (GetItemState(nRow, nCol) & GIS_SELECTED) != 0;
}

CCellID CGridCtrl::GetNextItem(CCellID cell, int nFlags) const {
    std::uint32_t nWanted = static_cast<std::uint32_t>(nFlags) & 0x1Fu;
    if (nFlags & GNI_MODIFIED) {
        nWanted |= GIS_MODIFIED;
    }
    if (nWanted == 0) {
        return {};
    }
    auto matches = [&](int nRow, int nCol) { return (GetItemState(nRow, nCol) & nWanted) != 0; };

    if ((nFlags & GNI_ALL) == GNI_ALL || (nFlags & GNI_AREA) == GNI_AREA) {
        // Whole rows after the start cell, or (area) the block below and right of it.
        const bool bAll = (nFlags & GNI_ALL) == GNI_ALL;
        int nFirstCol = cell.col + 1;
        if (nFirstCol <= 0) {
            nFirstCol = m_nFixedCols;
        }
        for (int nRow = cell.row <= 0 ? m_nFixedRows : cell.row; nRow < m_nRows; ++nRow) {
            for (int nCol = nFirstCol; nCol < m_nCols; ++nCol) {
                if (matches(nRow, nCol)) {
                    return {nRow, nCol};
                }
            }
            if (bAll) {
                nFirstCol = m_nFixedCols;
            }
        }
        return {};
    }
    if (nFlags & GNI_ABOVE) {
        for (int nRow = cell.row - 1; nRow >= m_nFixedRows; --nRow) {
            if (matches(nRow, cell.col)) {
                return {nRow, cell.col};
            }
        }
    } else if (nFlags & GNI_BELOW) {
        for (int nRow = cell.row + 1; nRow < m_nRows; ++nRow) {
            if (matches(nRow, cell.col)) {
                return {nRow, cell.col};
            }
        }
    } else if (nFlags & GNI_TOLEFT) {
        for (int nCol = cell.col - 1; nCol >= m_nFixedCols; --nCol) {
            if (matches(cell.row, nCol)) {
                return {cell.row, nCol};
            }
        }
    } else if (nFlags & GNI_TORIGHT) {
        for (int nCol = cell.col + 1; nCol < m_nCols; ++nCol) {
            if (matches(cell.row, nCol)) {
                return {cell.row, nCol};
            }
        }
    }
    return {};
}

bool CGridCtrl::MergeFixedCells(int nRow, int nCol, int nRowSpan, int nColSpan, bool bSingleLine) {
    const int nLastRow = nRow + nRowSpan;
    const int nLastCol = nCol + nColSpan;
    // The whole block must lie in the grid: a span pointing outside would leave cells
    // whose owner cannot be reached.
    if (nRowSpan < 0 || nColSpan < 0 || !IsValid(nRow, nCol) || !IsValid(nLastRow, nLastCol) ||
        !IsFixedCell(nLastRow, nLastCol)) {
        return false;
    }
    for (int r = nRow; r <= nLastRow; ++r) {
        for (int c = nCol; c <= nLastCol; ++c) {
            CGridCellBase* pCell = GetCell(r, c);
            if (pCell == nullptr) {
                continue;
            }
            if (r == nRow && c == nCol) {
                pCell->SetMergeSpan(nRowSpan, nColSpan);
                pCell->SetFormat(
                    bSingleLine ? (DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS)
                                : (DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS));
            } else if (r == nRow) {
                pCell->SetMergeSpan(nRowSpan, -1);
            } else if (c == nCol) {
                pCell->SetMergeSpan(-1, nColSpan);
            } else {
                pCell->SetMergeSpan(-1, -1);
            }
        }
    }
    if (m_nFixedRows < nLastRow) {
        SetHeaderSort(false);
    }
    return true;
}
