// Scroll bars and scrolling: the positions are pixel offsets into the non-fixed area
// and live in the window's scroll bars; the grid sizes the bars and answers requests.
#include <algorithm>

#include "grid/GridCtrl.h"
#include "platform/SystemMetrics.h"

namespace {
constexpr int kHorzBarShown = 0x01;
constexpr int kVertBarShown = 0x02;
constexpr int kWheelDelta = 120;
}  // namespace

void CGridCtrl::EnableScrollBars(int nBar, bool bEnable) {
    if (!IsWindow()) {
        return;
    }
    auto apply = [this, bEnable](int nOneBar, int nFlag) {
        const bool bShown = (m_nBarState & nFlag) != 0;
        if (bShown == bEnable) {
            return;
        }
        m_nBarState = bEnable ? (m_nBarState | nFlag) : (m_nBarState & ~nFlag);
        m_pHost->ShowScrollBar(nOneBar, bEnable);
    };
    if (nBar == SB_HORZ || nBar == SB_BOTH) {
        apply(SB_HORZ, kHorzBarShown);
    }
    if (nBar == SB_VERT || nBar == SB_BOTH) {
        apply(SB_VERT, kVertBarShown);
    }
}

bool CGridCtrl::IsScrollBarShown(int nBar) const {
    return (m_nBarState & (nBar == SB_VERT ? kVertBarShown : kHorzBarShown)) != 0;
}

int CGridCtrl::GetScrollPosition(int nBar, bool bGetTrackPos) const {
    SCROLLINFO si;
    si.fMask = bGetTrackPos ? SIF_TRACKPOS : SIF_POS;
    if (!IsWindow() || !m_pHost->GetScrollInfo(nBar, &si)) {
        return 0;
    }
    return bGetTrackPos ? si.nTrackPos : si.nPos;
}

bool CGridCtrl::SetScrollPosition(int nBar, int nPos, bool bRedraw) {
    ForgetTopLeftCell();
    if (!IsWindow()) {
        return false;
    }
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = nPos;
    m_pHost->SetScrollInfo(nBar, si, bRedraw);
    return true;
}

void CGridCtrl::ResetScrollBars() {
    ForgetTopLeftCell();
    if (!m_bAllowDraw || !IsWindow()) {
        return;
    }
    CRect rect = m_pHost->GetClientRect();
    if (rect.IsRectEmpty()) {
        return;
    }
    if (IsScrollBarShown(SB_VERT)) {
        rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
    }
    if (IsScrollBarShown(SB_HORZ)) {
        rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
    }
    const int nFixedWidth = GetFixedColumnWidth();
    const int nFixedHeight = GetFixedRowHeight();
    if (rect.left + nFixedWidth >= rect.right || rect.top + nFixedHeight >= rect.bottom) {
        EnableScrollBars(SB_BOTH, false);
        m_nVScrollMax = 0;
        m_nHScrollMax = 0;
        return;
    }

    // The virtual sizes are clamped into the bars' integer range.
    const long long nTotalHeight = std::min<long long>(GetVirtualHeight() - nFixedHeight, INT32_MAX);
    const long long nTotalWidth = std::min<long long>(GetVirtualWidth() - nFixedWidth, INT32_MAX);
    int nUsableWidth = rect.right;
    if (rect.bottom - nFixedHeight < nTotalHeight) {
        nUsableWidth -= GetSystemMetrics(SM_CXVSCROLL);
    }
    nUsableWidth -= nFixedWidth;
    int nUsableHeight = rect.bottom;
    if (nUsableWidth < nTotalWidth) {
        nUsableHeight -= GetSystemMetrics(SM_CYHSCROLL);
    }

    if (nUsableHeight - nFixedHeight < nTotalHeight) {
        EnableScrollBars(SB_VERT, true);
        m_nVScrollMax = static_cast<int>(nTotalHeight - 1);
    } else {
        EnableScrollBars(SB_VERT, false);
        m_nVScrollMax = 0;
    }
    if (nUsableWidth < nTotalWidth) {
        EnableScrollBars(SB_HORZ, true);
        m_nHScrollMax = static_cast<int>(nTotalWidth - 1);
    } else {
        EnableScrollBars(SB_HORZ, false);
        m_nHScrollMax = 0;
    }

    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = m_nHScrollMax;
    si.nPage = m_nHScrollMax > 0 ? static_cast<unsigned>(std::max(nUsableWidth, 0)) : 0;
    m_pHost->SetScrollInfo(SB_HORZ, si, true);
    si.fMask |= SIF_DISABLENOSCROLL;
    si.nMax = m_nVScrollMax;
    si.nPage = m_nVScrollMax > 0 ? static_cast<unsigned>(std::max(nUsableHeight - nFixedHeight, 0)) : 0;
    m_pHost->SetScrollInfo(SB_VERT, si, true);
}

void CGridCtrl::OnVScroll(int nSBCode) {
    OnScroll(SB_VERT, nSBCode);
}

void CGridCtrl::OnHScroll(int nSBCode) {
    OnScroll(SB_HORZ, nSBCode);
}

// One scroll request along rows (SB_VERT) or columns (SB_HORZ): the request codes of the
// two bars share their values (SB_LINEDOWN is SB_LINERIGHT, SB_TOP is SB_LEFT, ...). What
// scrolled is repainted: the area past the fixed rows or columns, or all of it.
void CGridCtrl::OnScroll(int nBar, int nSBCode) {
    EndEditing();
    if (!IsWindow()) {
        return;
    }
    m_pHost->HideTitleTip();
    const bool bVert = nBar == SB_VERT;
    const int scrollPos = GetScrollPosition(nBar);
    const int nMax = bVert ? m_nVScrollMax : m_nHScrollMax;
    const int nCount = bVert ? m_nRows : m_nCols;
    const int nFixed = bVert ? m_nFixedRows : m_nFixedCols;
    const CCellID idTopLeft = GetTopLeftNonFixedCell();
    const int nFirst = bVert ? idTopLeft.row : idTopLeft.col;
    auto size = [this, bVert](int n) { return bVert ? GetRowHeight(n) : GetColumnWidth(n); };
    CRect rect = m_pHost->GetClientRect();
    if (bVert) {
        rect.top = GetFixedRowHeight();
    } else {
        rect.left = GetFixedColumnWidth();
    }
    const int nPage = bVert ? rect.Height() : rect.Width();

    switch (nSBCode) {
        case SB_LINEDOWN:
            if (scrollPos < nMax) {
                // Hidden rows (columns) are stepped over, but never past the second-last one.
                int nToUse = nFirst;
                while (size(nToUse) <= 0 && nToUse < nCount - 2) {
                    ++nToUse;
                }
                SetScrollPosition(nBar, scrollPos + std::max(size(nToUse), 0));
                if (GetScrollPosition(nBar) != scrollPos) {
                    m_pHost->InvalidateRect(rect);
                }
            }
            break;
        case SB_LINEUP:
            if (scrollPos > 0 && nFirst > nFixed) {
                int nToUse = nFirst - 1;
                while (size(nToUse) <= 0 && nToUse > nFixed) {
                    --nToUse;
                }
                SetScrollPosition(nBar, std::max(0, scrollPos - std::max(size(nToUse), 0)));
                m_pHost->InvalidateRect(rect);
            }
            break;
        case SB_PAGEUP:
            if (scrollPos > 0) {
                SetScrollPosition(nBar, std::max(0, scrollPos - nPage));
                m_pHost->InvalidateRect(rect);
            }
            break;
        case SB_PAGEDOWN:
            if (scrollPos < nMax) {
                SetScrollPosition(nBar, std::min(nMax, scrollPos + nPage));
                m_pHost->InvalidateRect(rect);
            }
            break;
        case SB_TOP:
            if (scrollPos > 0) {
                SetScrollPosition(nBar, 0);
                m_pHost->Invalidate();
            }
            break;
        case SB_BOTTOM:
            if (scrollPos < nMax) {
                SetScrollPosition(nBar, nMax);
                m_pHost->Invalidate();
            }
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            SetScrollPosition(nBar, GetScrollPosition(nBar, true));
            if (GetTopLeftNonFixedCell() != idTopLeft) {
                m_pHost->InvalidateRect(rect);
            }
            break;
        default:
            break;
    }
}

// The requests are posted, not handled here: a fast wheel then scrolls in steps the
// window can paint between.
bool CGridCtrl::OnMouseWheel(std::uint32_t /*nFlags*/, int zDelta, CPoint /*point*/) {
    if (!IsWindow()) {
        return false;
    }
    if (m_nRowsPerWheelNotch == -1) {
        const int nPagesScrolled = zDelta / kWheelDelta;
        for (int i = 0; i < nPagesScrolled; ++i) {
            m_pHost->PostScrollRequest(SB_VERT, SB_PAGEUP);
        }
        for (int i = 0; i < -nPagesScrolled; ++i) {
            m_pHost->PostScrollRequest(SB_VERT, SB_PAGEDOWN);
        }
    } else {
        const int nRowsScrolled = zDelta * m_nRowsPerWheelNotch / -kWheelDelta;
        for (int i = 0; i < -nRowsScrolled; ++i) {
            m_pHost->PostScrollRequest(SB_VERT, SB_LINEUP);
        }
        for (int i = 0; i < nRowsScrolled; ++i) {
            m_pHost->PostScrollRequest(SB_VERT, SB_LINEDOWN);
        }
    }
    return true;
}

// An invalid cell has nowhere to be scrolled to: the view stays.
void CGridCtrl::EnsureVisible(int nRow, int nCol) {
    if (!m_bAllowDraw || !IsWindow() || !IsValid(nRow, nCol)) {
        return;
    }
    const CCellRange visible = GetVisibleNonFixedCellRange();
    const int right = nCol - visible.GetMaxCol();
    const int left = visible.GetMinCol() - nCol;
    const int down = nRow - visible.GetMaxRow();
    const int up = visible.GetMinRow() - nRow;

    for (int i = 0; i < right; ++i) {
        if (GetColumnWidth(visible.GetMaxCol() + i + 1) > 0) {
            OnHScroll(SB_LINERIGHT);
        }
    }
    for (int i = 0; i < left; ++i) {
        if (GetColumnWidth(visible.GetMinCol() - i - 1) > 0) {
            OnHScroll(SB_LINELEFT);
        }
    }
    for (int i = 0; i < down; ++i) {
        if (GetRowHeight(visible.GetMaxRow() + i + 1) > 0) {
            OnVScroll(SB_LINEDOWN);
        }
    }
    for (int i = 0; i < up; ++i) {
        if (GetRowHeight(visible.GetMinRow() - i - 1) > 0) {
            OnVScroll(SB_LINEUP);
        }
    }

    // A cell only partly shown at the right or bottom edge is scrolled fully in, as far
    // as scrolling gets it there.
    const CRect client = m_pHost->GetClientRect();
    CRect rectCell;
    while (GetCellRect(nRow, nCol, &rectCell) && rectCell.right > client.right &&
           rectCell.left > GetFixedColumnWidth()) {
        const int nBefore = GetScrollPosition(SB_HORZ);
        OnHScroll(SB_LINERIGHT);
        if (GetScrollPosition(SB_HORZ) == nBefore) {
            break;
        }
    }
    while (GetCellRect(nRow, nCol, &rectCell) && rectCell.bottom > client.bottom &&
           rectCell.top > GetFixedRowHeight()) {
        const int nBefore = GetScrollPosition(SB_VERT);
        OnVScroll(SB_LINEDOWN);
        if (GetScrollPosition(SB_VERT) == nBefore) {
            break;
        }
    }
}

void CGridCtrl::OnSize() {
    static bool s_bAlreadyInsideThisProcedure = false;
    if (s_bAlreadyInsideThisProcedure || !IsWindow()) {
        return;
    }
    s_bAlreadyInsideThisProcedure = true;
    EndEditing();
    ResetScrollBars();
    s_bAlreadyInsideThisProcedure = false;
}

void CGridCtrl::OnSysColorChange() {
    const COLORREF crNewWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crNewWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF crNewFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF crNewShadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (CGridDefaultCell* pDefault : {m_cellDefault.get(), m_cellFixedColDef.get(), m_cellFixedRowDef.get(),
                                       m_cellFixedRowColDef.get()}) {
        if (pDefault->GetTextColor() == m_crWindowText) {
            pDefault->SetTextColor(crNewWindowText);
        }
        if (pDefault->GetBackColor() == m_crWindowColour) {
            pDefault->SetBackColor(crNewWindow);
        } else if (pDefault->GetBackColor() == m_cr3DFace) {
            pDefault->SetBackColor(crNewFace);
        }
    }
    if (m_crGridBkColour == m_crShadow) {
        m_crGridBkColour = crNewShadow;
    }
    m_crWindowText = crNewWindowText;
    m_crWindowColour = crNewWindow;
    m_cr3DFace = crNewFace;
    m_crShadow = crNewShadow;
    Refresh();
}

void CGridCtrl::OnSettingChange() {
    OnSysColorChange();
    m_nRowsPerWheelNotch = SystemMetrics().GetWheelScrollLines();
}
