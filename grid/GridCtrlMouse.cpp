// The mouse: the mode machine that selects, resizes by the dividers, prepares an edit
// or a drag; auto-scroll while a selection is dragged past the edge.
#include <algorithm>
#include <cstdlib>

#include "grid/GridCtrl.h"
#include "platform/SystemMetrics.h"

namespace {

// A hook gets the point relative to the cell's origin, or (0, 0) without one.
CPoint RelativeToCell(const CGridCtrl& grid, const CCellID& cell, CPoint point) {
    CPoint origin;
    if (!grid.GetCellOrigin(cell, &origin)) {
        return {0, 0};
    }
    return {point.x - origin.x, point.y - origin.y};
}

int CursorOfMode(int nMode) {
    switch (nMode) {
        case MOUSE_OVER_COL_DIVIDE:
            return IDC_SIZEWE;
        case MOUSE_OVER_ROW_DIVIDE:
            return IDC_SIZENS;
        default:
            return IDC_ARROW;
    }
}

}  // namespace

// Over a divider that may be dragged: the mode that says which; else "nothing".
int CGridCtrl::DividerModeAt(CPoint point) const {
    if (m_bAllowColumnResize && IsOverColumnResizeArea(point)) {
        return MOUSE_OVER_COL_DIVIDE;
    }
    if (m_bAllowRowResize && IsOverRowResizeArea(point)) {
        return MOUSE_OVER_ROW_DIVIDE;
    }
    return MOUSE_NOTHING;
}

// A button held on the focus cell turns into a drag only once the pointer has left the
// platform's small square around the press, so that a shaky click still edits.
bool CGridCtrl::IsPastDragDistance(CPoint point) const {
    return std::abs(point.x - m_LeftClickDownPoint.x) > GetSystemMetrics(SM_CXDRAG) ||
           std::abs(point.y - m_LeftClickDownPoint.y) > GetSystemMetrics(SM_CYDRAG);
}

void CGridCtrl::OnLButtonDown(std::uint32_t nFlags, CPoint point) {
    if (!IsWindow()) {
        return;
    }
    m_pHost->HideTitleTip();
    m_pHost->SetFocus();
    m_LeftClickDownPoint = point;
    m_bLMouseButtonDown = true;
    m_LeftClickDownCell = GetCellFromPoint(point);
    if (!IsValid(m_LeftClickDownCell)) {
        return;
    }
    if ((nFlags & MK_SHIFT) == 0) {
        m_SelectionStartCell = m_LeftClickDownCell;
    } else if (!IsValid(m_SelectionStartCell)) {
        m_SelectionStartCell = m_idCurrentCell;
    }

    EndEditing();
    if (CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col)) {
        pCell->OnClickDown(RelativeToCell(*this, m_LeftClickDownCell, point));
    }

    if (PrepareEditOrDrag(nFlags, point)) {
        return;
    }

    m_pHost->SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        m_MouseMode = DividerModeAt(point);
        if (m_MouseMode != MOUSE_NOTHING) {
            m_pHost->SetCursor(CursorOfMode(m_MouseMode));
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        StartColumnResize(point);
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        StartRowResize(point);
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        StartSelecting(nFlags);
    }
    m_LastMousePoint = point;
}

// Steps 5 and 6 of a press: a press on the focus cell's text prepares an edit; on a
// selected cell Ctrl deselects it, else a drag may follow. True when the press ends here.
bool CGridCtrl::PrepareEditOrDrag(std::uint32_t nFlags, CPoint point) {
    const CCellID& cell = m_LeftClickDownCell;
    CRect rectCell;
    if (cell == m_idCurrentCell && (nFlags & MK_CONTROL) == 0 && GetCellRect(cell, &rectCell)) {
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (pCell != nullptr && pCell->GetTextRect(&rectCell) && rectCell.PtInRect(point) &&
            IsCellEditable(cell)) {
            m_MouseMode = MOUSE_PREPARE_EDIT;
            return true;
        }
    }
    if (IsCellSelected(cell)) {
        if ((nFlags & MK_CONTROL) != 0) {
            SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
            if (GetListMode()) {
                SelectRows(cell, true, false);
            } else {
                SelectCells(cell, true, false);
            }
            return true;
        }
        if (m_bAllowDragAndDrop) {
            m_MouseMode = MOUSE_PREPARE_DRAG;
        }
    } else if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
        if (IsFixedCell(cell.row, cell.col)) {
            SetFocusCell(-1, -1);
        } else {
            SetFocusCell(cell.row, cell.col);
        }
    }
    return false;
}

void CGridCtrl::StartSelecting(std::uint32_t nFlags) {
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GN_SELCHANGING);
    m_PrevSelectedCellMap.clear();
    if ((nFlags & MK_CONTROL) != 0) {
        m_PrevSelectedCellMap = m_SelectedCellMap;
    }
    if (m_LeftClickDownCell.row < m_nFixedRows) {
        OnFixedRowClick(m_LeftClickDownCell);
    } else if (m_LeftClickDownCell.col < m_nFixedCols) {
        OnFixedColumnClick(m_LeftClickDownCell);
    } else {
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        OnSelecting(m_LeftClickDownCell);
        m_nTimerID = WM_LBUTTONDOWN_TIMER_ID;
        m_pHost->SetTimer(m_nTimerID, m_nTimerInterval);
    }
}

// The divider grabbed belongs to the column left of it when the press is at a cell's
// left edge; a last column narrower than the capture range is grabbed at the right end.
// Hidden columns that may not be reopened give the divider to the first shown column
// left of them; with none, there is nothing to size.
void CGridCtrl::StartColumnResize(CPoint point) {
    m_MouseMode = MOUSE_SIZING_COL;
    CPoint start;
    if (!GetCellOrigin(m_LeftClickDownCell, &start)) {
        return;
    }
    int nCol = m_LeftClickDownCell.col;
    if (point.x - start.x < m_nResizeCaptureRange && nCol > 0) {
        --nCol;
    }
    CRect visRect;
    GetVisibleNonFixedCellRange(&visRect);
    const int nLast = m_nCols - 1;
    if (GetColumnWidth(nLast) < m_nResizeCaptureRange &&
        std::abs(point.x - visRect.right) < m_nResizeCaptureRange) {
        nCol = nLast;
    }
    while (!m_bHiddenColUnhide && nCol >= 0 && GetColumnWidth(nCol) < 1) {
        --nCol;
    }
    if (nCol < 0 || !GetCellOrigin(m_LeftClickDownCell.row, nCol, &start)) {
        m_MouseMode = MOUSE_NOTHING;
        return;
    }
    m_LeftClickDownCell.col = nCol;
    const CRect client = m_pHost->GetClientRect();
    const CRect band(point.x, client.top, point.x + 2, client.bottom);
    m_pHost->SetDragLine(&band);
    const CRect clip(start.x + 1, client.top, client.right, client.bottom);
    m_pHost->ClipCursor(&clip);
}

void CGridCtrl::StartRowResize(CPoint point) {
    m_MouseMode = MOUSE_SIZING_ROW;
    CPoint start;
    if (!GetCellOrigin(m_LeftClickDownCell, &start)) {
        return;
    }
    int nRow = m_LeftClickDownCell.row;
    if (point.y - start.y < m_nResizeCaptureRange && nRow > 0) {
        --nRow;
    }
    CRect visRect;
    GetVisibleNonFixedCellRange(&visRect);
    const int nLast = m_nRows - 1;
    if (GetRowHeight(nLast) < m_nResizeCaptureRange &&
        std::abs(point.y - visRect.bottom) < m_nResizeCaptureRange) {
        nRow = nLast;
    }
    while (!m_bHiddenRowUnhide && nRow >= 0 && GetRowHeight(nRow) < 1) {
        --nRow;
    }
    if (nRow < 0 || !GetCellOrigin(nRow, m_LeftClickDownCell.col, &start)) {
        m_MouseMode = MOUSE_NOTHING;
        return;
    }
    m_LeftClickDownCell.row = nRow;
    const CRect client = m_pHost->GetClientRect();
    const CRect band(client.left, point.y, client.right, point.y + 2);
    m_pHost->SetDragLine(&band);
    const CRect clip(client.left, start.y + 1, client.right, client.bottom);
    m_pHost->ClipCursor(&clip);
}

void CGridCtrl::OnFixedRowClick(CCellID& cell) {
    if (!IsValid(cell)) {
        return;
    }
    if (m_bSortOnClick) {
        const bool bAscending = cell.col != m_nSortColumn || !m_bAscending;
        if (IsWindow()) {
            m_pHost->BeginWaitCursor();
        }
        SortItems(cell.col, bAscending);
        if (IsWindow()) {
            m_pHost->EndWaitCursor();
            m_pHost->Invalidate();
        }
    }
    if (m_bFixedRowSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell) {
    if (!IsValid(cell) || !m_bFixedColumnSelection) {
        return;
    }
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

void CGridCtrl::OnMouseMove(std::uint32_t nFlags, CPoint point) {
    if (!IsWindow()) {
        return;
    }
    const CRect rect = m_pHost->GetClientRect();
    if (m_MouseMode != MOUSE_DRAGGING && !rect.PtInRect(point)) {
        return;
    }
    if ((nFlags & MK_LBUTTON) != 0 && m_MouseMode != MOUSE_NOTHING) {
        if (IsValid(m_LeftClickDownCell)) {
            DragWithButton(point);
        }
    } else {
        HoverWithoutButton(point);
    }
    m_LastMousePoint = point;
}

void CGridCtrl::DragWithButton(CPoint point) {
    switch (m_MouseMode) {
        // The corner selected everything at the press; there is nothing to follow.
        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            const CCellID idCurrentCell = GetCellFromPoint(point);
            if (!IsValid(idCurrentCell) || idCurrentCell == m_idCurrentCell) {
                return;
            }
            OnSelecting(idCurrentCell);
            if (m_MouseMode != MOUSE_SELECT_CELLS || !IsFixedCell(idCurrentCell.row, idCurrentCell.col)) {
                SetFocusCell(std::max(idCurrentCell.row, m_nFixedRows),
                             std::max(idCurrentCell.col, m_nFixedCols));
            }
            break;
        }
        case MOUSE_SIZING_ROW: {
            const CRect client = m_pHost->GetClientRect();
            const CRect band(client.left, point.y, client.right, point.y + 2);
            m_pHost->SetDragLine(&band);
            break;
        }
        case MOUSE_SIZING_COL: {
            const CRect client = m_pHost->GetClientRect();
            const CRect band(point.x, client.top, point.x + 2, client.bottom);
            m_pHost->SetDragLine(&band);
            break;
        }
        case MOUSE_PREPARE_EDIT:
        case MOUSE_PREPARE_DRAG:
            if (m_bAllowDragAndDrop && IsPastDragDistance(point)) {
                m_MouseMode = MOUSE_PREPARE_DRAG;
                OnBeginDrag();
            }
            break;
        default:
            break;
    }
}

void CGridCtrl::HoverWithoutButton(CPoint point) {
    const int nDividerMode = DividerModeAt(point);
    if (nDividerMode != m_MouseMode) {
        m_pHost->SetCursor(CursorOfMode(nDividerMode));
        m_MouseMode = nDividerMode;
    }
    if (m_MouseMode != MOUSE_NOTHING || (m_bVirtualMode && !m_bTitleTips)) {
        return;
    }
    const CCellID idCurrentCell = GetCellFromPoint(point);
    CGridCellBase* pCell = GetCell(idCurrentCell.row, idCurrentCell.col);
    if (pCell == nullptr) {
        return;
    }
    pCell->OnMouseOver();
    const std::string* pTipText = pCell->GetTipText();
    CRect rectCell;
    if (!m_bTitleTips || pTipText == nullptr || pTipText->empty() || pCell->IsEditing() ||
        !GetCellRect(idCurrentCell, &rectCell)) {
        return;
    }
    CRect rectTip = rectCell;
    pCell->GetTipTextRect(&rectTip);
    m_pHost->ShowTitleTip(rectTip, *pTipText, 0, rectCell, pCell->GetFont(), m_crTTipTextClr,
                          m_crTTipBackClr);
}

void CGridCtrl::OnLButtonUp(std::uint32_t /*nFlags*/, CPoint point) {
    if (!IsWindow()) {
        return;
    }
    m_bLMouseButtonDown = false;
    m_pHost->ClipCursor(nullptr);
    if (m_pHost->HasCapture()) {
        m_pHost->ReleaseCapture();
        m_pHost->KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    const CPoint pointClickedRel = RelativeToCell(*this, m_idCurrentCell, point);

    switch (m_MouseMode) {
        case MOUSE_PREPARE_EDIT:
            if (GetCellFromPoint(point) == m_idCurrentCell) {
                OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, pointClickedRel, VK_LBUTTON);
                break;
            }
            ReleaseOverCell(pointClickedRel);
            break;
        case MOUSE_PREPARE_DRAG: {
            if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) {
                pCell->OnClick(pointClickedRel);
            }
            SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
            SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GN_SELCHANGING);
            ResetSelectedRange();
            SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GN_SELCHANGED);
            break;
        }
        case MOUSE_SIZING_COL:
            EndResize(true, point);
            break;
        case MOUSE_SIZING_ROW:
            EndResize(false, point);
            break;
        default:
            ReleaseOverCell(pointClickedRel);
            break;
    }
    // No move need follow a release that leaves the pointer on a divider: the next press
    // or a double click finds it ready, and the cursor says so at once.
    m_MouseMode = DividerModeAt(point);
    m_pHost->SetCursor(CursorOfMode(m_MouseMode));
    if (IsValid(m_LeftClickDownCell)) {
        m_pHost->PostCommandToOwner();
    }
}

// The end of a click that selected: the owner hears of the selection and the click.
void CGridCtrl::ReleaseOverCell(CPoint pointClickedRel) {
    SendMessageToParent(m_idCurrentCell.row, m_idCurrentCell.col, GN_SELCHANGED);
    if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col)) {
        pCell->OnClick(pointClickedRel);
    }
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, NM_CLICK);
}

// Released at the press point (or nowhere), the divider stays where it was.
void CGridCtrl::EndResize(bool bColumn, CPoint point) {
    m_pHost->SetDragLine(nullptr);
    if (point == m_LeftClickDownPoint || point == CPoint(0, 0)) {
        return;
    }
    CPoint start;
    if (!GetCellOrigin(m_LeftClickDownCell, &start)) {
        return;
    }
    if (bColumn) {
        SetColumnWidth(m_LeftClickDownCell.col, std::max(point.x - start.x, m_bAllowColHide ? 0 : 1));
    } else {
        SetRowHeight(m_LeftClickDownCell.row, std::max(point.y - start.y, m_bAllowRowHide ? 0 : 1));
    }
    SendMessageToParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GN_ENDRESIZE);
    ResetScrollBars();
    m_pHost->Invalidate();
}

void CGridCtrl::OnLButtonDblClk(std::uint32_t /*nFlags*/, CPoint point) {
    if (!IsWindow()) {
        return;
    }
    const CCellID cell = GetCellFromPoint(point);
    if (!IsValid(cell)) {
        return;
    }
    // The pointer may have rested since the first click ended: no move said where it is.
    if (m_MouseMode == MOUSE_NOTHING) {
        m_MouseMode = DividerModeAt(point);
    }
    CPoint start;
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        if (!GetCellOrigin(cell, &start)) {
            return;
        }
        int nCol = cell.col;
        if (point.x - start.x < m_nResizeCaptureRange && nCol > 0) {
            --nCol;
        }
        while (nCol > 0 && GetColumnWidth(nCol) == 0) {
            --nCol;
        }
        AutoSizeColumn(nCol, m_nAutoSizeColumnStyle, true);
        m_pHost->Invalidate();
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        if (!GetCellOrigin(cell, &start)) {
            return;
        }
        int nRow = cell.row;
        if (point.y - start.y < m_nResizeCaptureRange && nRow > 0) {
            --nRow;
        }
        while (nRow > 0 && GetRowHeight(nRow) == 0) {
            --nRow;
        }
        AutoSizeRow(nRow, true);
        m_pHost->Invalidate();
    } else if (m_MouseMode == MOUSE_NOTHING) {
        const CPoint pointClickedRel = RelativeToCell(*this, cell, point);
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        CRect rectCell;
        if (!IsFixedCell(cell.row, cell.col) && IsValid(m_LeftClickDownCell) && pCell != nullptr &&
            GetCellRect(cell, &rectCell) && pCell->GetTextRect(&rectCell) && rectCell.PtInRect(point)) {
            OnEditCell(cell.row, cell.col, pointClickedRel, VK_LBUTTON);
        }
        pCell = GetCell(cell.row, cell.col);
        if (pCell != nullptr) {
            pCell->OnDblClick(pointClickedRel);
        }
        SendMessageToParent(cell.row, cell.col, NM_DBLCLK);
    }
}

void CGridCtrl::OnRButtonUp(std::uint32_t /*nFlags*/, CPoint point) {
    if (!IsWindow()) {
        return;
    }
    const CCellID focusCell = GetCellFromPoint(point);
    EndEditing();
    if (IsValid(focusCell)) {
        SetFocusCell(-1, -1);
        SetFocusCell(std::max(focusCell.row, m_nFixedRows), std::max(focusCell.col, m_nFixedCols));
        if (CGridCellBase* pCell = GetCell(focusCell.row, focusCell.col)) {
            pCell->OnRClick(RelativeToCell(*this, focusCell, point));
        }
        SendMessageToParent(focusCell.row, focusCell.col, NM_RCLICK);
    } else {
        SendMessageToParent(-1, -1, NM_RCLICK);
    }
}

bool CGridCtrl::OnSetCursor(CPoint point) {
    if (!IsWindow() || !m_pHost->GetClientRect().PtInRect(point)) {
        return false;
    }
    switch (m_MouseMode) {
        case MOUSE_OVER_ROW_DIVIDE:
            m_pHost->SetCursor(IDC_SIZENS);
            return true;
        case MOUSE_OVER_COL_DIVIDE:
            m_pHost->SetCursor(IDC_SIZEWE);
            return true;
        case MOUSE_DRAGGING:
            return true;
        default:
            break;
    }
    if (!m_bVirtualMode) {
        const CCellID cell = GetCellFromPoint(point);
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (pCell != nullptr) {
            return pCell->OnSetCursor();
        }
    }
    m_pHost->SetCursor(IDC_ARROW);
    return true;
}

// While the button is held past an edge, the selection follows one line per tick.
void CGridCtrl::OnTimer(unsigned nIDEvent) {
    if (nIDEvent != WM_LBUTTONDOWN_TIMER_ID || !IsWindow()) {
        return;
    }
    CPoint pt = m_pHost->GetCursorPos();
    const CRect rect = m_pHost->GetClientRect();
    // A window shrunk to nothing has no cell to follow the pointer to.
    if (rect.IsRectEmpty()) {
        return;
    }
    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColWidth = GetFixedColumnWidth();

    if (pt.y > rect.bottom) {
        OnKeyDown(VK_DOWN, 0);
        pt.y = rect.bottom;
        OnSelecting(GetCellFromPoint(CPoint(std::clamp(pt.x, rect.left, rect.right - 1), pt.y - 1)));
    } else if (pt.y < nFixedRowHeight) {
        OnKeyDown(VK_UP, 0);
        pt.y = nFixedRowHeight + 1;
        OnSelecting(GetCellFromPoint(CPoint(std::clamp(pt.x, rect.left, rect.right - 1), pt.y)));
    }
    if (pt.x > rect.right) {
        OnKeyDown(VK_RIGHT, 0);
        pt.x = rect.right;
        OnSelecting(GetCellFromPoint(CPoint(pt.x - 1, std::clamp(pt.y, rect.top, rect.bottom - 1))));
    } else if (pt.x < nFixedColWidth) {
        OnKeyDown(VK_LEFT, 0);
        pt.x = nFixedColWidth + 1;
        OnSelecting(GetCellFromPoint(CPoint(pt.x, std::clamp(pt.y, rect.top, rect.bottom - 1))));
    }
}

// A divider drag cut short (a message box, another window) leaves the size as it was.
void CGridCtrl::OnCaptureChanged() {
    if (m_nTimerID != 0 && IsWindow()) {
        m_pHost->KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if ((m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW) && IsWindow()) {
        m_pHost->SetDragLine(nullptr);
        m_pHost->ClipCursor(nullptr);
        m_pHost->SetCursor(IDC_ARROW);
        m_MouseMode = MOUSE_NOTHING;
    } else if (m_MouseMode == MOUSE_DRAGGING) {
        m_MouseMode = MOUSE_NOTHING;
    }
}
