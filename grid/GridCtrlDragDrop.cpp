// Drag and drop of cell texts, as the source (OnBeginDrag) and as the target: the cell
// under the pointer carries the drop highlight while it could take the text, and a
// drop pastes there. The window host runs the platform's drag.
#include <new>

#include "grid/GridCtrl.h"

namespace {
// How close to an edge of the cells a hovering drag scrolls the grid.
constexpr int kDragScrollBand = 12;
}  // namespace

// A drag inside this grid pastes at the drop cell and so empties the selection: the cut
// that follows a move then finds nothing to clear, and the dragged cells keep their texts.
void CGridCtrl::OnBeginDrag() {
    if (!m_bAllowDragAndDrop || !IsWindow()) {
        return;
    }
    try {
        const std::optional<std::string> text = CreateTextDataSource();
        if (!text) {
            return;
        }
        const CCellID topLeft = GetSelectedCellRange().GetTopLeft();
        SendMessageToParent(topLeft.row, topLeft.col, GN_BEGINDRAG);
        m_MouseMode = MOUSE_DRAGGING;
        m_bLMouseButtonDown = false;
        const std::uint32_t dwEffect = m_pHost->DoDragDrop(*text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        // The platform's drag consumed the button's release: the press ends here.
        m_MouseMode = MOUSE_NOTHING;
        if (m_pHost->HasCapture()) {
            m_pHost->ReleaseCapture();
        }
        if ((dwEffect & DROPEFFECT_MOVE) != 0) {
            ClearSelectedText();
        }
    } catch (const std::bad_alloc&) {
        m_MouseMode = MOUSE_NOTHING;
        ReportOutOfMemory();
    }
}

std::uint32_t CGridCtrl::DropEffectAt(const CCellID& cell, std::uint32_t dwKeyState) const {
    if (!IsValid(cell) || !IsCellEditable(cell)) {
        return DROPEFFECT_NONE;
    }
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::MoveDropHighlight(const CCellID& cell) {
    if (cell == m_LastDragOverCell) {
        return;
    }
    OnDragLeave();
    m_LastDragOverCell = cell;
    if (IsValid(cell)) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GIS_DROPHILITED);
        RedrawCell(cell);
    }
}

// Fixed cells are never under a drop: the point is taken among the others only.
std::uint32_t CGridCtrl::OnDragEnter(bool bHasText, std::uint32_t dwKeyState, CPoint point) {
    if (!m_bAllowDragAndDrop || !bHasText) {
        return DROPEFFECT_NONE;
    }
    const CCellID cell = GetCellFromPoint(point, false);
    const std::uint32_t dwEffect = DropEffectAt(cell, dwKeyState);
    // A highlight left by a drag that never said it left goes first.
    OnDragLeave();
    m_LastDragOverCell = CCellID();
    if (dwEffect != DROPEFFECT_NONE) {
        MoveDropHighlight(cell);
    }
    return dwEffect;
}

// The highlight stays where it was over a cell that cannot take the text; it goes only
// when the pointer leaves the cells.
std::uint32_t CGridCtrl::OnDragOver(bool bHasText, std::uint32_t dwKeyState, CPoint point) {
    if (!m_bAllowDragAndDrop || !m_bEditable || !bHasText) {
        return DROPEFFECT_NONE;
    }
    const CCellID cell = GetCellFromPoint(point, false);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellID();
        return DROPEFFECT_NONE;
    }
    const std::uint32_t dwEffect = DropEffectAt(cell, dwKeyState);
    if (dwEffect != DROPEFFECT_NONE) {
        MoveDropHighlight(cell);
    }
    return dwEffect;
}

void CGridCtrl::OnDragLeave() {
    if (IsValid(m_LastDragOverCell)) {
        const CCellID cell = m_LastDragOverCell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GIS_DROPHILITED);
        RedrawCell(cell);
    }
}

// The drop goes to the cell that last took the highlight, which is the cell under the
// pointer unless that one refused it.
bool CGridCtrl::OnDrop(const std::string* pText, std::uint32_t /*dropEffect*/, CPoint point) {
    m_MouseMode = MOUSE_NOTHING;
    const CCellID cell = GetCellFromPoint(point, false);
    if (!m_bAllowDragAndDrop || DropEffectAt(cell, 0) == DROPEFFECT_NONE || !(cell == m_LastDragOverCell)) {
        OnDragLeave();
        m_LastDragOverCell = CCellID();
        return false;
    }
    OnDragLeave();
    m_LastDragOverCell = CCellID();
    return PasteTextAt(cell, pText, false);
}

bool CGridCtrl::OnDragScroll(CPoint point) {
    if (!IsWindow()) {
        return false;
    }
    const CRect rect = m_pHost->GetClientRect();
    const int nVPos = GetScrollPosition(SB_VERT);
    const int nHPos = GetScrollPosition(SB_HORZ);
    if (point.y < GetFixedRowHeight() + kDragScrollBand) {
        OnVScroll(SB_LINEUP);
    } else if (point.y >= rect.bottom - kDragScrollBand) {
        OnVScroll(SB_LINEDOWN);
    }
    if (point.x < GetFixedColumnWidth() + kDragScrollBand) {
        OnHScroll(SB_LINELEFT);
    } else if (point.x >= rect.right - kDragScrollBand) {
        OnHScroll(SB_LINERIGHT);
    }
    return GetScrollPosition(SB_VERT) != nVPos || GetScrollPosition(SB_HORZ) != nHPos;
}
