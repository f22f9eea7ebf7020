// Painting: the background, then every cell inside the clip box (corner, fixed
// columns, fixed rows, scrolled cells), then the grid lines. The window gives the
// context; each cell draws itself into it.
#include <algorithm>
#include <new>

#include "grid/GridCtrl.h"

namespace {

void FillIfNotEmpty(IDrawContext* pDC, const CRect& rect, COLORREF crColour) {
    if (!rect.IsRectEmpty()) {
        pDC->FillSolidRect(rect, crColour);
    }
}

}  // namespace

void CGridCtrl::Refresh() {
    if (IsWindow() && m_bAllowDraw) {
        m_pHost->Invalidate(true);
    }
}

// The clip box C is split into the corner, the fixed column strip, the fixed row strip
// and the cell area, each in its default cell's background; what lies beyond the
// cells takes the grid's own background.
void CGridCtrl::EraseBkgnd(IDrawContext* pDC, const CRect& clipRect, const CRect& visRect) {
    const int nFixedColumnWidth = GetFixedColumnWidth();
    const int nFixedRowHeight = GetFixedRowHeight();
    const CRect& c = clipRect;
    FillIfNotEmpty(
        pDC, CRect(c.left, c.top, std::min(c.right, nFixedColumnWidth), std::min(c.bottom, nFixedRowHeight)),
        m_cellFixedRowColDef->GetBackColor());
    FillIfNotEmpty(pDC,
                   CRect(c.left, std::max(c.top, nFixedRowHeight), std::min(c.right, nFixedColumnWidth),
                         std::min(c.bottom, visRect.bottom)),
                   m_cellFixedColDef->GetBackColor());
    FillIfNotEmpty(pDC,
                   CRect(std::max(c.left, nFixedColumnWidth - 1), c.top, std::min(c.right, visRect.right),
                         std::min(c.bottom, nFixedRowHeight)),
                   m_cellFixedRowDef->GetBackColor());
    FillIfNotEmpty(pDC,
                   CRect(std::max(c.left, nFixedColumnWidth), std::max(c.top, nFixedRowHeight),
                         std::min(c.right, visRect.right), std::min(c.bottom, visRect.bottom)),
                   m_cellDefault->GetBackColor());
    FillIfNotEmpty(pDC, CRect(std::max(c.left, visRect.right), c.top, c.right, c.bottom), m_crGridBkColour);
    FillIfNotEmpty(pDC,
                   CRect(c.left, std::max(c.top, visRect.bottom), std::min(c.right, visRect.right), c.bottom),
                   m_crGridBkColour);
}

// A cell that cannot be drawn for want of memory is left out; the next paint tries again.
void CGridCtrl::DrawCellAt(IDrawContext* pDC, int nRow, int nCol, const CRect& rect, bool bEraseBkgnd) {
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr) {
        return;
    }
    pCell->SetCoords(nRow, nCol);
    try {
        pCell->Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    } catch (const std::bad_alloc&) {
    }
}

// Walks rows [nFirstRow, nLastRow] from y and columns [nFirstCol, nLastCol] from x,
// drawing the cells that meet the clip box and stopping at the first beyond it.
void CGridCtrl::DrawCellBlock(IDrawContext* pDC, const CRect& clipRect, int nFirstRow, int nLastRow, int y0,
                              int nFirstCol, int nLastCol, int x0) {
    int nBottom = y0 - 1;
    for (int nRow = nFirstRow; nRow <= nLastRow; ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nHeight <= 0) {
            continue;
        }
        const int nTop = nBottom + 1;
        nBottom = nTop + nHeight - 1;
        if (nTop > clipRect.bottom) {
            break;
        }
        if (nBottom < clipRect.top) {
            continue;
        }
        int nRight = x0 - 1;
        for (int nCol = nFirstCol; nCol <= nLastCol; ++nCol) {
            const int nWidth = GetColumnWidth(nCol);
            if (nWidth <= 0) {
                continue;
            }
            const int nLeft = nRight + 1;
            nRight = nLeft + nWidth - 1;
            if (nLeft > clipRect.right) {
                break;
            }
            if (nRight < clipRect.left) {
                continue;
            }
            DrawCellAt(pDC, nRow, nCol, CRect(nLeft, nTop, nRight, nBottom), false);
        }
    }
}

void CGridCtrl::DrawGridLines(IDrawContext* pDC, const CCellRange& visible, const CRect& visRect) {
    const int nFixedColumnWidth = GetFixedColumnWidth();
    const int nFixedRowHeight = GetFixedRowHeight();
    const CPen oldPen = pDC->SelectPen(CPen(PS_SOLID, 0, m_crGridLineColour));
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
        int x = nFixedColumnWidth;
        for (int nCol = visible.GetMinCol(); nCol <= visible.GetMaxCol(); ++nCol) {
            const int nWidth = GetColumnWidth(nCol);
            if (nWidth <= 0) {
                continue;
            }
            x += nWidth;
            pDC->MoveTo(x - 1, nFixedRowHeight);
            pDC->LineTo(x - 1, visRect.bottom);
        }
    }
    if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
        int y = nFixedRowHeight;
        for (int nRow = visible.GetMinRow(); nRow <= visible.GetMaxRow(); ++nRow) {
            const int nHeight = GetRowHeight(nRow);
            if (nHeight <= 0) {
                continue;
            }
            y += nHeight;
            pDC->MoveTo(nFixedColumnWidth, y - 1);
            pDC->LineTo(visRect.right, y - 1);
        }
    }
    pDC->SelectPen(CPen());
    (void)oldPen;
}

void CGridCtrl::OnDraw(IDrawContext* pDC) {
    CRect clipRect;
    if (!m_bAllowDraw || pDC == nullptr || !pDC->GetClipBox(&clipRect)) {
        return;
    }
    CRect visRect;
    const CCellRange visible = GetVisibleNonFixedCellRange(&visRect);
    EraseBkgnd(pDC, clipRect, visRect);

    const int nFixedRowHeight = GetFixedRowHeight();
    const int nFixedColumnWidth = GetFixedColumnWidth();
    if (m_bVirtualMode) {
        SendCacheHintToParent(visible);
    }
    // Cells use inclusive bottoms and rights: the walk compares against the clip box's.
    const CRect clipInclusive(clipRect.left, clipRect.top, clipRect.right - 1, clipRect.bottom - 1);
    DrawCellBlock(pDC, clipInclusive, 0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    DrawCellBlock(pDC, clipInclusive, visible.GetMinRow(), visible.GetMaxRow(), nFixedRowHeight, 0,
                  m_nFixedCols - 1, 0);
    DrawCellBlock(pDC, clipInclusive, 0, m_nFixedRows - 1, 0, visible.GetMinCol(), visible.GetMaxCol(),
                  nFixedColumnWidth);
    DrawCellBlock(pDC, clipInclusive, visible.GetMinRow(), visible.GetMaxRow(), nFixedRowHeight,
                  visible.GetMinCol(), visible.GetMaxCol(), nFixedColumnWidth);
    DrawGridLines(pDC, visible, visRect);
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange());
    }
}

bool CGridCtrl::RedrawCell(int nRow, int nCol, IDrawContext* pDC) {
    CRect rect;
    if (!m_bAllowDraw || !IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, &rect)) {
        return false;
    }
    std::unique_ptr<IDrawContext> windowDC;
    if (pDC == nullptr) {
        windowDC = m_pHost->GetDrawDC();
        pDC = windowDC.get();
        if (pDC == nullptr) {
            // Painted when the window next asks: grown by the grid lines' pixel.
            rect.right += 1;
            rect.bottom += 1;
            m_pHost->InvalidateRect(rect, true);
            return true;
        }
    }
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr) {
        return false;
    }
    pCell->SetCoords(nRow, nCol);
    const bool bResult = pCell->Draw(pDC, nRow, nCol, rect, true);
    if (!IsFixedCell(nRow, nCol)) {
        const CPen oldPen = pDC->SelectPen(CPen(PS_SOLID, 0, m_crGridLineColour));
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_HORZ) {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == GVL_BOTH || m_nGridLines == GVL_VERT) {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        pDC->SelectPen(oldPen);
    }
    return bResult;
}

bool CGridCtrl::RedrawRow(int nRow) {
    if (!IsWindow()) {
        return false;
    }
    std::unique_ptr<IDrawContext> pDC = m_pHost->GetDrawDC();
    bool bResult = true;
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        bResult = RedrawCell(nRow, nCol, pDC.get()) && bResult;
    }
    return bResult;
}

bool CGridCtrl::RedrawColumn(int nCol) {
    if (!IsWindow()) {
        return false;
    }
    std::unique_ptr<IDrawContext> pDC = m_pHost->GetDrawDC();
    bool bResult = true;
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        bResult = RedrawCell(nRow, nCol, pDC.get()) && bResult;
    }
    return bResult;
}

bool CGridCtrl::InvalidateCellRect(int nRow, int nCol) {
    CRect rect;
    if (!IsWindow() || !m_bAllowDraw || !IsValid(nRow, nCol) || !IsCellVisible(nRow, nCol) ||
        !GetCellRect(nRow, nCol, &rect)) {
        return false;
    }
    rect.right += 1;
    rect.bottom += 1;
    m_pHost->InvalidateRect(rect, true);
    return true;
}

bool CGridCtrl::InvalidateCellRect(const CCellRange& cellRange) {
    if (!IsWindow() || !m_bAllowDraw) {
        return false;
    }
    const CCellRange visible = cellRange.Intersect(GetVisibleNonFixedCellRange());
    CRect rect;
    if (!visible.IsValid() || !GetCellRangeRect(visible, &rect)) {
        return false;
    }
    rect.right += 1;
    rect.bottom += 1;
    m_pHost->InvalidateRect(rect, true);
    return true;
}
