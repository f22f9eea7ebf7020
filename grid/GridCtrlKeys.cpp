// The keyboard: focus moves with the arrow, page, Home/End and Tab keys (skipping
// hidden rows and columns), a typed character or F2 starts an in-place edit, and the
// editor's result comes back through OnChildNotify.
#include <algorithm>

#include "grid/GridCtrl.h"

std::uint32_t CGridCtrl::OnGetDlgCode(std::uint32_t nFlags) const {
    std::uint32_t nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && (nFlags & MK_CONTROL) == 0) {
        nCode |= DLGC_WANTTAB;
    }
    return nCode;
}

int CGridCtrl::NextVisibleColumn(int nCol) const {
    for (int i = nCol + 1; i < m_nCols; ++i) {
        if (GetColumnWidth(i) > 0) {
            return i;
        }
    }
    return -1;
}

int CGridCtrl::PrevVisibleColumn(int nCol) const {
    for (int i = nCol - 1; i >= m_nFixedCols; --i) {
        if (GetColumnWidth(i) > 0) {
            return i;
        }
    }
    return -1;
}

int CGridCtrl::NextVisibleRow(int nRow) const {
    for (int i = nRow + 1; i < m_nRows; ++i) {
        if (GetRowHeight(i) > 0) {
            return i;
        }
    }
    return -1;
}

int CGridCtrl::PrevVisibleRow(int nRow) const {
    for (int i = nRow - 1; i >= m_nFixedRows; --i) {
        if (GetRowHeight(i) > 0) {
            return i;
        }
    }
    return -1;
}

bool CGridCtrl::OnKeyDown(std::uint32_t nChar, std::uint32_t nFlags) {
    if (!IsValid(m_idCurrentCell)) {
        return false;
    }
    const bool bCtrl = (nFlags & MK_CONTROL) != 0;
    const bool bShift = (nFlags & MK_SHIFT) != 0;
    if (bCtrl) {
        switch (nChar) {
            case 'A':
                OnEditSelectAll();
                break;
            case 'X':
                OnEditCut();
                break;
            case VK_INSERT:
            case 'C':
                OnEditCopy();
                break;
            case 'V':
                OnEditPaste();
                break;
            default:
                break;
        }
    }
    if (bShift && nChar == VK_INSERT) {
        OnEditPaste();
        return false;
    }

    const int nHorzBefore = GetScrollPosition(SB_HORZ);
    const int nVertBefore = GetScrollPosition(SB_VERT);
    KeyMoveResult move;
    move.next = m_idCurrentCell;
    bool bHandled = true;
    switch (nChar) {
        case VK_DELETE:
            ClearSelectedText();
            break;
        case VK_F2:
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
            break;
        case VK_TAB:
            move = bShift ? MoveBackTab() : MoveTab();
            bHandled = !move.bDefault;
            break;
        case VK_RIGHT:
        case VK_LEFT:
        case VK_UP:
        case VK_DOWN:
            move.next = MoveArrow(nChar);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            move.next = MovePage(nChar);
            break;
        case VK_HOME:
        case VK_END:
            move.next = MoveHomeEnd(nChar, bCtrl);
            break;
        default:
            bHandled = false;
            break;
    }
    if (move.next == m_idCurrentCell) {
        return bHandled;
    }
    FollowKeyMove(nChar, bShift, move.next);
    ScrollToKeyMove(nChar, bShift, move.bChangeLine, move.next);
    if (GetScrollPosition(SB_HORZ) != nHorzBefore) {
        OnHScroll(SB_ENDSCROLL);
    }
    if (GetScrollPosition(SB_VERT) != nVertBefore) {
        OnVScroll(SB_ENDSCROLL);
    }
    return true;
}

CCellID CGridCtrl::MoveArrow(std::uint32_t nChar) const {
    CCellID next = m_idCurrentCell;
    int n = -1;
    switch (nChar) {
        case VK_RIGHT:
            n = NextVisibleColumn(next.col);
            next.col = n >= 0 ? n : next.col;
            break;
        case VK_LEFT:
            n = PrevVisibleColumn(next.col);
            next.col = n >= 0 ? n : next.col;
            break;
        case VK_DOWN:
            n = NextVisibleRow(next.row);
            next.row = n >= 0 ? n : next.row;
            break;
        case VK_UP:
            n = PrevVisibleRow(next.row);
            next.row = n >= 0 ? n : next.row;
            break;
        default:
            break;
    }
    return next;
}

// From the last column Tab goes on to the first column of the next row; from the
// last row it leaves the grid.
CGridCtrl::KeyMoveResult CGridCtrl::MoveTab() const {
    KeyMoveResult move{m_idCurrentCell, false, false};
    const int nCol = NextVisibleColumn(m_idCurrentCell.col);
    if (nCol >= 0) {
        move.next.col = nCol;
        return move;
    }
    const int nRow = NextVisibleRow(m_idCurrentCell.row);
    const int nFirstCol = NextVisibleColumn(m_nFixedCols - 1);
    if (nRow < 0 || nFirstCol < 0) {
        move.bDefault = true;
        return move;
    }
    move.next = CCellID(nRow, nFirstCol);
    move.bChangeLine = true;
    return move;
}

CGridCtrl::KeyMoveResult CGridCtrl::MoveBackTab() const {
    KeyMoveResult move{m_idCurrentCell, false, false};
    const int nCol = PrevVisibleColumn(m_idCurrentCell.col);
    if (nCol >= 0) {
        move.next.col = nCol;
        return move;
    }
    const int nRow = PrevVisibleRow(m_idCurrentCell.row);
    const int nLastCol = PrevVisibleColumn(m_nCols);
    if (nRow < 0 || nLastCol < 0) {
        move.bDefault = true;
        return move;
    }
    move.next = CCellID(nRow, nLastCol);
    move.bChangeLine = true;
    return move;
}

// A page key scrolls a page, and the focus row moves by as many rows as the view.
CCellID CGridCtrl::MovePage(std::uint32_t nChar) {
    CCellID next = m_idCurrentCell;
    const CCellID idOldTopLeft = GetTopLeftNonFixedCell();
    OnVScroll(nChar == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
    const CCellID idNewTopLeft = GetTopLeftNonFixedCell();
    const int increment = idNewTopLeft.row - idOldTopLeft.row;
    if (increment != 0) {
        next.row = std::clamp(next.row + increment, m_nFixedRows, m_nRows - 1);
    } else {
        next.row = nChar == VK_PRIOR ? m_nFixedRows : m_nRows - 1;
    }
    return next;
}

CCellID CGridCtrl::MoveHomeEnd(std::uint32_t nChar, bool bCtrl) {
    CCellID next = m_idCurrentCell;
    if (nChar == VK_HOME) {
        OnHScroll(SB_LEFT);
        const int nCol = NextVisibleColumn(m_nFixedCols - 1);
        next.col = nCol >= 0 ? nCol : next.col;
        if (bCtrl) {
            OnVScroll(SB_TOP);
            next.row = m_nFixedRows;
        }
        while (next.row < m_nRows - 1 && GetRowHeight(next.row) <= 0) {
            ++next.row;
        }
    } else {
        OnHScroll(SB_RIGHT);
        const int nCol = PrevVisibleColumn(m_nCols);
        next.col = nCol >= 0 ? nCol : next.col;
        if (bCtrl) {
            OnVScroll(SB_BOTTOM);
            next.row = m_nRows - 1;
        }
        while (next.row > m_nFixedRows && GetRowHeight(next.row) <= 0) {
            --next.row;
        }
    }
    return next;
}

void CGridCtrl::FollowKeyMove(std::uint32_t nChar, bool bShift, const CCellID& next) {
    if (m_MouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB) {
            m_SelectionStartCell = next;
        }
        SendMessageToParent(next.row, next.col, GN_SELCHANGING);
        OnSelecting(next);
        SendMessageToParent(next.row, next.col, GN_SELCHANGED);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);
}

void CGridCtrl::ScrollToKeyMove(std::uint32_t nChar, bool bShift, bool bChangeLine, const CCellID& next) {
    if (!IsCellVisible(next)) {
        if (nChar == VK_TAB && bChangeLine) {
            OnVScroll(bShift ? SB_LINEUP : SB_LINEDOWN);
            SetScrollPosition(SB_HORZ, bShift ? m_nHScrollMax : 0);
        } else if ((nChar == VK_TAB && !bShift) || nChar == VK_RIGHT) {
            OnHScroll(SB_LINERIGHT);
        } else if (nChar == VK_TAB || nChar == VK_LEFT) {
            OnHScroll(SB_LINELEFT);
        } else if (nChar == VK_UP) {
            OnVScroll(SB_LINEUP);
        } else if (nChar == VK_DOWN) {
            OnVScroll(SB_LINEDOWN);
        }
        EnsureVisible(next);
        if (IsWindow()) {
            m_pHost->Invalidate();
        }
    }
    EnsureVisible(next);
}

bool CGridCtrl::OnChar(std::uint32_t nChar, std::uint32_t nFlags) {
    if ((nFlags & MK_CONTROL) == 0 && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(nChar == VK_TAB && m_bHandleTabKey)) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    }
    return false;
}

void CGridCtrl::OnImeChar(std::uint32_t nChar, std::uint32_t nFlags) {
    if ((nFlags & MK_CONTROL) == 0 && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE) {
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);
    }
}

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, std::uint32_t nChar) {
    if (IsWindow()) {
        m_pHost->HideTitleTip();
    }
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol)) {
        return;
    }
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, &rect)) {
        return;
    }
    if (SendMessageToParent(nRow, nCol, GN_BEGINLABELEDIT) < 0) {
        return;
    }
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr && pCell->Edit(nRow, nCol, rect, point, IDC_INPLACE_CONTROL, nChar)) {
        m_idEditCell = CCellID(nRow, nCol);
    }
}

bool CGridCtrl::ValidateEdit(int nRow, int nCol, const std::string& str) {
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell == nullptr || pCell->ValidateEdit(str);
}

// The edited cell need not be the focus cell any more (the focus may have been cleared
// or moved by the program): both are asked.
void CGridCtrl::EndEditing() {
    EndEditOf(m_idEditCell);
    EndEditOf(m_idCurrentCell);
}

void CGridCtrl::EndEditOf(CCellID cell) {
    if (!IsValid(cell)) {
        return;
    }
    if (CGridCellBase* pCell = GetCell(cell.row, cell.col)) {
        pCell->EndEdit();
    }
}

// The editor reports by the row and column it was opened on: before a change moves or
// frees the cells at or below nRow and at or right of nCol, an edit there is ended, so
// that its text reaches its own cell and no cell is left pointing at a closed editor.
void CGridCtrl::EndEditingFrom(int nRow, int nCol) {
    if (IsWindow() && IsValid(m_idEditCell) && m_idEditCell.row >= nRow && m_idEditCell.col >= nCol) {
        EndEditing();
    }
}

// A new text that the cell or the owner refuses leaves the old one in place.
void CGridCtrl::OnEndEditCell(int nRow, int nCol, const std::string& str) {
    if (m_idEditCell == CCellID(nRow, nCol)) {
        m_idEditCell = CCellID();
    }
    const std::string strCurrentText = GetItemText(nRow, nCol);
    if (strCurrentText != str) {
        SetItemText(nRow, nCol, str);
        if (ValidateEdit(nRow, nCol, str) && SendMessageToParent(nRow, nCol, GN_ENDLABELEDIT) >= 0) {
            SetModified(true, nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            SetItemText(nRow, nCol, strCurrentText);
        }
    }
    if (CGridCellBase* pCell = GetCell(nRow, nCol)) {
        pCell->OnEndEdit();
    }
}

std::intptr_t CGridCtrl::OnChildNotify(int idFrom, NMHDR* pNotify) {
    if (pNotify == nullptr || pNotify->code != GN_ENDLABELEDIT ||
        idFrom != static_cast<int>(IDC_INPLACE_CONTROL) || !IsWindow()) {
        return 0;
    }
    const auto* pDispInfo = reinterpret_cast<const GRID_DISPINFO*>(pNotify);
    const GRID_ITEM& item = pDispInfo->item;
    OnEndEditCell(item.row, item.col, item.strText);
    const auto nLastKey = static_cast<std::uint32_t>(item.lParam);
    switch (nLastKey) {
        case VK_TAB:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            // The editor's report carries the key only: Shift+Tab and Ctrl with an arrow
            // keep their meaning through the modifiers held now.
            OnKeyDown(nLastKey, m_pHost->GetKeyModifiers());
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nLastKey);
            break;
        default:
            break;
    }
    return 0;
}
