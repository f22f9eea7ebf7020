// Where the cells lie on the window for the current scroll position: the fixed rows
// and columns stay at the top and left, the rest scrolls. Rectangles of cells are
// inclusive (right = left + width - 1).
#include "grid/GridCtrl.h"

int CGridCtrl::GetFixedRowHeight() const {
    int nHeight = 0;
    for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
        nHeight += GetRowHeight(nRow);
    }
    return nHeight;
}

int CGridCtrl::GetFixedColumnWidth() const {
    int nWidth = 0;
    for (int nCol = 0; nCol < m_nFixedCols; ++nCol) {
        nWidth += GetColumnWidth(nCol);
    }
    return nWidth;
}

CCellID CGridCtrl::GetTopLeftNonFixedCell(bool bForceRecalculation) const {
    if (m_idTopLeftCell.IsValid() && !bForceRecalculation) {
        return m_idTopLeftCell;
    }
    const int nVertScroll = GetScrollPosition(SB_VERT);
    const int nHorzScroll = GetScrollPosition(SB_HORZ);

    m_idTopLeftCell.col = m_nFixedCols;
    int nRight = 0;
    while (nRight < nHorzScroll && m_idTopLeftCell.col < m_nCols - 1) {
        nRight += GetColumnWidth(m_idTopLeftCell.col++);
    }
    m_idTopLeftCell.row = m_nFixedRows;
    int nTop = 0;
    while (nTop < nVertScroll && m_idTopLeftCell.row < m_nRows - 1) {
        nTop += GetRowHeight(m_idTopLeftCell.row++);
    }
    return m_idTopLeftCell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(CRect* pRect, bool bForceRecalculation) const {
    const CRect rect = IsWindow() ? m_pHost->GetClientRect() : CRect();
    const CCellID idTopLeft = GetTopLeftNonFixedCell(bForceRecalculation);

    int nBottom = GetFixedRowHeight();
    int nRow = idTopLeft.row;
    for (; nRow < m_nRows; ++nRow) {
        nBottom += GetRowHeight(nRow);
        if (nBottom >= rect.bottom) {
            nBottom = rect.bottom;
            break;
        }
    }
    int nRight = GetFixedColumnWidth();
    int nCol = idTopLeft.col;
    for (; nCol < m_nCols; ++nCol) {
        nRight += GetColumnWidth(nCol);
        if (nRight >= rect.right) {
            nRight = rect.right;
            break;
        }
    }
    if (pRect != nullptr) {
        *pRect = CRect(0, 0, nRight, nBottom);
    }
    return {idTopLeft.row, idTopLeft.col, std::min(nRow, m_nRows - 1), std::min(nCol, m_nCols - 1)};
}

CCellRange CGridCtrl::GetFullyVisibleNonFixedCellRange(bool bForceRecalculation) const {
    CCellRange visible = GetVisibleNonFixedCellRange(nullptr, bForceRecalculation);
    if (!IsWindow()) {
        return visible;
    }
    const CRect client = m_pHost->GetClientRect();
    CRect rect;
    if (visible.GetMaxRow() > 0 && GetCellRect(visible.GetMaxRow(), visible.GetMinCol(), &rect) &&
        rect.bottom >= client.bottom && visible.GetMaxRow() > visible.GetMinRow()) {
        visible.SetMaxRow(visible.GetMaxRow() - 1);
    }
    if (visible.GetMaxCol() > 0 && GetCellRect(visible.GetMinRow(), visible.GetMaxCol(), &rect) &&
        rect.right >= client.right && visible.GetMaxCol() > visible.GetMinCol()) {
        visible.SetMaxCol(visible.GetMaxCol() - 1);
    }
    return visible;
}

bool CGridCtrl::GetCellOrigin(int nRow, int nCol, CPoint* pPoint) const {
    if (!IsValid(nRow, nCol) || pPoint == nullptr) {
        return false;
    }
    CCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows) {
        idTopLeft = GetTopLeftNonFixedCell();
    }
    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) || (nCol >= m_nFixedCols && nCol < idTopLeft.col)) {
        return false;
    }
    pPoint->x = 0;
    if (nCol < m_nFixedCols) {
        for (int i = 0; i < nCol; ++i) {
            pPoint->x += GetColumnWidth(i);
        }
    } else {
        pPoint->x = GetFixedColumnWidth();
        for (int i = idTopLeft.col; i < nCol; ++i) {
            pPoint->x += GetColumnWidth(i);
        }
    }
    pPoint->y = 0;
    if (nRow < m_nFixedRows) {
        for (int i = 0; i < nRow; ++i) {
            pPoint->y += GetRowHeight(i);
        }
    } else {
        pPoint->y = GetFixedRowHeight();
        for (int i = idTopLeft.row; i < nRow; ++i) {
            pPoint->y += GetRowHeight(i);
        }
    }
    return true;
}

bool CGridCtrl::GetCellRect(int nRow, int nCol, CRect* pRect) const {
    CPoint origin;
    if (pRect == nullptr || !GetCellOrigin(nRow, nCol, &origin)) {
        return false;
    }
    pRect->left = origin.x;
    pRect->top = origin.y;
    pRect->right = origin.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return true;
}

bool CGridCtrl::GetCellRangeRect(const CCellRange& cellRange, CRect* pRect) const {
    CPoint minOrigin;
    CPoint maxOrigin;
    if (pRect == nullptr || !GetCellOrigin(cellRange.GetMinRow(), cellRange.GetMinCol(), &minOrigin) ||
        !GetCellOrigin(cellRange.GetMaxRow(), cellRange.GetMaxCol(), &maxOrigin)) {
        return false;
    }
    pRect->left = minOrigin.x;
    pRect->top = minOrigin.y;
    pRect->right = maxOrigin.x + GetColumnWidth(cellRange.GetMaxCol()) - 1;
    pRect->bottom = maxOrigin.y + GetRowHeight(cellRange.GetMaxRow()) - 1;
    return true;
}

CCellID CGridCtrl::GetCellFromPoint(CPoint point, bool bAllowFixedCellCheck) const {
    CCellID cellID;
    const CCellID idTopLeft = GetTopLeftNonFixedCell();
    if (!bAllowFixedCellCheck && !IsValid(idTopLeft)) {
        return cellID;
    }

    const int nFixedColWidth = GetFixedColumnWidth();
    if (point.x < 0 || (!bAllowFixedCellCheck && point.x < nFixedColWidth)) {
        cellID.col = -1;
    } else if (point.x < nFixedColWidth) {
        int nRight = 0;
        for (int nCol = 0; nCol < m_nFixedCols; ++nCol) {
            nRight += GetColumnWidth(nCol);
            if (nRight > point.x) {
                cellID.col = nCol;
                break;
            }
        }
    } else {
        int nRight = nFixedColWidth;
        for (int nCol = idTopLeft.col; nCol < m_nCols; ++nCol) {
            nRight += GetColumnWidth(nCol);
            if (nRight > point.x) {
                cellID.col = nCol;
                break;
            }
        }
    }

    const int nFixedRowHeight = GetFixedRowHeight();
    if (point.y < 0 || (!bAllowFixedCellCheck && point.y < nFixedRowHeight)) {
        cellID.row = -1;
    } else if (point.y < nFixedRowHeight) {
        int nBottom = 0;
        for (int nRow = 0; nRow < m_nFixedRows; ++nRow) {
            nBottom += GetRowHeight(nRow);
            if (nBottom > point.y) {
                cellID.row = nRow;
                break;
            }
        }
    } else {
        int nBottom = nFixedRowHeight;
        for (int nRow = idTopLeft.row; nRow < m_nRows; ++nRow) {
            nBottom += GetRowHeight(nRow);
            if (nBottom > point.y) {
                cellID.row = nRow;
                break;
            }
        }
    }
    return cellID;
}

bool CGridCtrl::IsCellVisible(int nRow, int nCol) const {
    if (!IsWindow() || !IsValid(nRow, nCol)) {
        return false;
    }
    const CCellID idTopLeft = GetTopLeftNonFixedCell();
    if ((nCol >= m_nFixedCols && nCol < idTopLeft.col) || (nRow >= m_nFixedRows && nRow < idTopLeft.row)) {
        return false;
    }
    const CRect rect = m_pHost->GetClientRect();
    int x = 0;
    if (nCol < m_nFixedCols) {
        for (int i = 0; i < nCol; ++i) {
            x += GetColumnWidth(i);
        }
    } else {
        x = GetFixedColumnWidth();
        for (int i = idTopLeft.col; i < nCol && x < rect.right; ++i) {
            x += GetColumnWidth(i);
        }
    }
    if (x >= rect.right) {
        return false;
    }
    int y = 0;
    if (nRow < m_nFixedRows) {
        for (int i = 0; i < nRow; ++i) {
            y += GetRowHeight(i);
        }
    } else {
        y = GetFixedRowHeight();
        for (int i = idTopLeft.row; i < nRow && y < rect.bottom; ++i) {
            y += GetRowHeight(i);
        }
    }
    return y < rect.bottom;
}

// A divider counts only inside the fixed rows (for columns) or fixed columns (for
// rows), within the capture range of a cell edge; the far edge of the first column or
// row is a divider, its near edge is not.
bool CGridCtrl::IsOverColumnResizeArea(CPoint point) const {
    if (point.y >= GetFixedRowHeight()) {
        return false;
    }
    const CCellID idCurrentCell = GetCellFromPoint(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell, &start)) {
        return false;
    }
    const int endx = start.x + GetColumnWidth(idCurrentCell.col);
    return (point.x - start.x < m_nResizeCaptureRange && idCurrentCell.col != 0) ||
           endx - point.x < m_nResizeCaptureRange;
}

bool CGridCtrl::IsOverRowResizeArea(CPoint point) const {
    if (point.x >= GetFixedColumnWidth()) {
        return false;
    }
    const CCellID idCurrentCell = GetCellFromPoint(point);
    CPoint start;
    if (!GetCellOrigin(idCurrentCell, &start)) {
        return false;
    }
    const int endy = start.y + GetRowHeight(idCurrentCell.row);
    return (point.y - start.y < m_nResizeCaptureRange && idCurrentCell.row != 0) ||
           endy - point.y < m_nResizeCaptureRange;
}
