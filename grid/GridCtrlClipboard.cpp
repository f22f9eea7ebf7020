// Copy, cut and paste of cell texts through the clipboard. A paste or a cut changes
// cells only as an edit would: the owner is asked before and after each cell, so a page
// that guards some columns (the Table page) is obeyed by the clipboard too.
#include <new>

#include "grid/GridCtrl.h"
#include "grid/GridText.h"

IClipboard* CGridCtrl::GetClipboard() const {
    if (m_pClipboard != nullptr) {
        return m_pClipboard;
    }
    return m_pHost != nullptr ? m_pHost->GetClipboard() : nullptr;
}

// Hidden rows and columns are left out, separators included: the last separator of a
// line or of the text goes with the last row or column shown, not the range's last.
// Unselected cells inside the range give empty texts so that the selected ones keep
// their places.
std::optional<std::string> CGridCtrl::CreateTextDataSource() {
    const CCellRange range = GetSelectedCellRange();
    if (!IsValid(range)) {
        return std::nullopt;
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(range);
    }
    int nLastShownRow = range.GetMaxRow();
    while (nLastShownRow > range.GetMinRow() && GetRowHeight(nLastShownRow) <= 0) {
        --nLastShownRow;
    }
    int nLastShownCol = range.GetMaxCol();
    while (nLastShownCol > range.GetMinCol() && GetColumnWidth(nLastShownCol) <= 0) {
        --nLastShownCol;
    }
    std::string text;
    for (int nRow = range.GetMinRow(); nRow <= nLastShownRow; ++nRow) {
        if (GetRowHeight(nRow) <= 0) {
            continue;
        }
        for (int nCol = range.GetMinCol(); nCol <= nLastShownCol; ++nCol) {
            if (GetColumnWidth(nCol) <= 0) {
                continue;
            }
            if (IsCellSelected(nRow, nCol)) {
                text += GetItemText(nRow, nCol);
            }
            if (nCol != nLastShownCol) {
                text += '\t';
            }
        }
        if (nRow != nLastShownRow) {
            text += '\n';
        }
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange());
    }
    return text;
}

void CGridCtrl::OnEditCopy() {
    CopySelectionToClipboard();
}

// True once the clipboard holds the selection's text.
bool CGridCtrl::CopySelectionToClipboard() {
    IClipboard* pClipboard = GetClipboard();
    if (pClipboard == nullptr) {
        return false;
    }
    try {
        if (const std::optional<std::string> text = CreateTextDataSource()) {
            pClipboard->SetText(*text);
            return true;
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
    return false;
}

// The cells are emptied only when their texts are safe on the clipboard.
void CGridCtrl::OnEditCut() {
    if (!m_bEditable) {
        return;
    }
    if (CopySelectionToClipboard()) {
        ClearSelectedText();
    }
}

void CGridCtrl::ClearSelectedText() {
    if (!m_bEditable) {
        return;
    }
    try {
        // A copy: each edit may change the selection it walks.
        const CCellMap selected = m_SelectedCellMap;
        for (const auto& [key, cell] : selected) {
            ApplyCellText(cell.row, cell.col, std::string());
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
}

void CGridCtrl::ApplyCellText(int nRow, int nCol, const std::string& str) {
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol) ||
        SendMessageToParent(nRow, nCol, GN_BEGINLABELEDIT) < 0) {
        return;
    }
    const std::string strOld = GetItemText(nRow, nCol);
    if (strOld == str) {
        return;
    }
    SetItemText(nRow, nCol, str);
    if (ValidateEdit(nRow, nCol, str) && SendMessageToParent(nRow, nCol, GN_ENDLABELEDIT) >= 0) {
        SetModified(true, nRow, nCol);
        RedrawCell(nRow, nCol);
    } else {
        SetItemText(nRow, nCol, strOld);
    }
}

// Row nRow takes the line's cells from start.col on, past hidden columns; cells beyond
// the last column are dropped.
void CGridCtrl::PasteLine(const std::vector<std::string>& cells, int nRow, CCellID start,
                          CCellRange& pasted) {
    int nOffset = 0;
    for (const std::string& strCell : cells) {
        int nCol = start.col + nOffset;
        while (nCol < m_nCols && GetColumnWidth(nCol) <= 0) {
            ++nOffset;
            ++nCol;
        }
        if (!IsValid(nRow, nCol)) {
            return;
        }
        ApplyCellText(nRow, nCol, strCell);
        SetItemState(nRow, nCol, GetItemState(nRow, nCol) & ~GIS_SELECTED);
        pasted.SetMaxRow(std::max(pasted.GetMaxRow(), nRow));
        pasted.SetMaxCol(std::max(pasted.GetMaxCol(), nCol));
        ++nOffset;
    }
}

bool CGridCtrl::PasteTextAt(CCellID cell, const std::string* pText, bool bSelectPastedCells) {
    if (!IsValid(cell) || !IsCellEditable(cell) || pText == nullptr) {
        return false;
    }
    try {
        CCellRange pasted(cell.row, cell.col, -1, -1);
        int nOffset = 0;
        for (const std::vector<std::string>& cells : SplitPasteText(*pText)) {
            int nRow = cell.row + nOffset;
            while (nRow < m_nRows && GetRowHeight(nRow) <= 0) {
                ++nOffset;
                ++nRow;
            }
            if (nRow >= m_nRows) {
                break;
            }
            PasteLine(cells, nRow, cell, pasted);
            ++nOffset;
        }
        if (bSelectPastedCells) {
            SetSelectedRange(pasted, true, true);
        } else {
            ResetSelectedRange();
            Refresh();
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
    return true;
}

// The selection's top-left cell, else the focus cell, else the first cell shown.
CCellID CGridCtrl::PasteTarget() const {
    const CCellRange range = GetSelectedCellRange();
    if (IsValid(range)) {
        return range.GetTopLeft();
    }
    if (IsValid(m_idCurrentCell)) {
        return m_idCurrentCell;
    }
    return GetTopLeftNonFixedCell();
}

// A cell being edited in place takes the keys itself: its editor pastes into its own
// text, and the grid's paste stays out of the way.
void CGridCtrl::OnEditPaste() {
    IClipboard* pClipboard = GetClipboard();
    if (!m_bEditable || pClipboard == nullptr) {
        return;
    }
    const CCellID target = PasteTarget();
    if (!IsValid(target) || IsItemEditing(target.row, target.col)) {
        return;
    }
    try {
        if (const std::optional<std::string> text = pClipboard->GetText()) {
            PasteTextAt(target, &*text, true);
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
}

bool CGridCtrl::CanEditCopy() const {
    return GetSelectedCount() > 0;
}

bool CGridCtrl::CanEditCut() const {
    return m_bEditable && GetSelectedCount() > 0;
}

bool CGridCtrl::CanEditPaste() const {
    const IClipboard* pClipboard = GetClipboard();
    return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) && pClipboard != nullptr &&
           pClipboard->HasText();
}
