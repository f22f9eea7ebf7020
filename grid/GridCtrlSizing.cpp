// Rows and columns sized to their content, or stretched to fill the window.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "grid/GridCtrl.h"

namespace {

// The rows the auto-size style measures: header rows (1), data rows (2), or both.
struct RowSpan {
    int nStart = 0;
    int nEnd = 0;  // exclusive
};

RowSpan MeasuredRows(int nStyle, int nFixedRows, int nRows) {
    return {(nStyle & GVS_HEADER) != 0 ? 0 : nFixedRows, (nStyle & GVS_DATA) != 0 ? nRows : nFixedRows};
}

}  // namespace

bool CGridCtrl::AutoSizeColumn(int nCol, int nAutoSizeStyle, bool bResetScroll) {
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) <= 0 || !IsWindow()) {
        return false;
    }
    std::unique_ptr<IDrawContext> pDC = m_pHost->GetDC();
    if (pDC == nullptr) {
        return false;
    }
    const int nStyle = nAutoSizeStyle == GVS_DEFAULT ? m_nAutoSizeColumnStyle : nAutoSizeStyle;
    const RowSpan rows = MeasuredRows(nStyle, m_nFixedRows, m_nRows);
    if (m_bVirtualMode && rows.nStart < rows.nEnd) {
        SendCacheHintToParent(CCellRange(rows.nStart, nCol, rows.nEnd - 1, nCol));
    }
    int nWidth = 0;
    try {
        for (int nRow = rows.nStart; nRow < rows.nEnd; ++nRow) {
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell != nullptr) {
                nWidth = std::max(nWidth, pCell->GetCellExtent(pDC.get()).cx);
            }
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange());
    }
    m_arColWidths[static_cast<std::size_t>(nCol)] = nWidth;
    if (bResetScroll) {
        ResetScrollBars();
    }
    return true;
}

bool CGridCtrl::AutoSizeRow(int nRow, bool bResetScroll) {
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) <= 0 || !IsWindow()) {
        return false;
    }
    std::unique_ptr<IDrawContext> pDC = m_pHost->GetDC();
    if (pDC == nullptr) {
        return false;
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange(nRow, 0, nRow, m_nCols - 1));
    }
    int nHeight = 0;
    try {
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell != nullptr) {
                nHeight = std::max(nHeight, pCell->GetCellExtent(pDC.get()).cy);
            }
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return false;
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange());
    }
    m_arRowHeights[static_cast<std::size_t>(nRow)] = nHeight;
    if (bResetScroll) {
        ResetScrollBars();
    }
    return true;
}

void CGridCtrl::AutoSizeColumns(int nAutoSizeStyle) {
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        if (GetColumnWidth(nCol) > 0) {
            AutoSizeColumn(nCol, nAutoSizeStyle, false);
        }
    }
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRows() {
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        if (GetRowHeight(nRow) > 0) {
            AutoSizeRow(nRow, false);
        }
    }
    ResetScrollBars();
}

void CGridCtrl::AutoSize(int nAutoSizeStyle) {
    if (!IsWindow()) {
        return;
    }
    std::unique_ptr<IDrawContext> pDC = m_pHost->GetDC();
    if (pDC == nullptr) {
        return;
    }
    const int nStyle = nAutoSizeStyle == GVS_DEFAULT ? m_nAutoSizeColumnStyle : nAutoSizeStyle;
    const RowSpan rows = MeasuredRows(nStyle, m_nFixedRows, m_nRows);
    if (m_bVirtualMode && rows.nStart < rows.nEnd) {
        SendCacheHintToParent(CCellRange(rows.nStart, 0, rows.nEnd - 1, m_nCols - 1));
    }
    for (int nRow = rows.nStart; nRow < rows.nEnd; ++nRow) {
        if (GetRowHeight(nRow) > 0) {
            m_arRowHeights[static_cast<std::size_t>(nRow)] = 1;
        }
    }
    for (int nCol = 0; nCol < m_nCols; ++nCol) {
        if (GetColumnWidth(nCol) <= 0) {
            continue;
        }
        m_arColWidths[static_cast<std::size_t>(nCol)] = 0;
        for (int nRow = rows.nStart; nRow < rows.nEnd; ++nRow) {
            if (GetRowHeight(nRow) <= 0) {
                continue;
            }
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell == nullptr) {
                continue;
            }
            CSize size;
            try {
                size = pCell->GetCellExtent(pDC.get());
            } catch (const std::bad_alloc&) {
                ReportOutOfMemory();  // sizes measured so far stay
                ResetScrollBars();
                return;
            }
            int& nWidth = m_arColWidths[static_cast<std::size_t>(nCol)];
            int& nHeight = m_arRowHeights[static_cast<std::size_t>(nRow)];
            nWidth = std::max(nWidth, size.cx);
            nHeight = std::max(nHeight, size.cy);
        }
    }
    if (m_bVirtualMode) {
        SendCacheHintToParent(CCellRange());
    }
    ResetScrollBars();
    Refresh();
}

// The difference is shared out evenly; what integer division leaves over goes one
// pixel at a time to the first positions (a hidden one takes its turn unchanged).
static void SpreadDifference(std::vector<int>& sizes, int nFirst, int nDifference) {
    const int nCount = static_cast<int>(sizes.size());
    int nShown = 0;
    for (int i = nFirst; i < nCount; ++i) {
        nShown += sizes[static_cast<std::size_t>(i)] > 0 ? 1 : 0;
    }
    if (nShown == 0) {
        return;
    }
    const int nEach = nDifference / nShown;
    for (int i = nFirst; i < nCount; ++i) {
        if (sizes[static_cast<std::size_t>(i)] > 0) {
            sizes[static_cast<std::size_t>(i)] += nEach;
        }
    }
    int nLeftOver = std::abs(nDifference) % nShown;
    for (int i = nFirst; i < nCount && nLeftOver > 0; ++i, --nLeftOver) {
        int& nSize = sizes[static_cast<std::size_t>(i)];
        if (nSize > 0) {
            nSize += nDifference > 0 ? 1 : -1;
        }
    }
}

void CGridCtrl::ExpandColumnsToFit(bool bExpandFixed) {
    if (!IsWindow() || (bExpandFixed ? m_nCols <= 0 : m_nCols <= m_nFixedCols)) {
        return;
    }
    EnableScrollBars(SB_HORZ, false);
    const CRect rect = m_pHost->GetClientRect();
    const long long nDifference = rect.Width() - GetVirtualWidth();
    SpreadDifference(m_arColWidths, bExpandFixed ? 0 : m_nFixedCols, static_cast<int>(nDifference));
    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(bool bExpandFixed) {
    if (!IsWindow() || (bExpandFixed ? m_nRows <= 0 : m_nRows <= m_nFixedRows)) {
        return;
    }
    EnableScrollBars(SB_VERT, false);
    const CRect rect = m_pHost->GetClientRect();
    const long long nDifference = rect.Height() - GetVirtualHeight();
    SpreadDifference(m_arRowHeights, bExpandFixed ? 0 : m_nFixedRows, static_cast<int>(nDifference));
    Refresh();
    ResetScrollBars();
}

void CGridCtrl::ExpandLastColumn() {
    if (!IsWindow()) {
        return;
    }
    int nLastColumn = m_nCols - 1;
    while (nLastColumn >= 0 && GetColumnWidth(nLastColumn) <= 0) {
        --nLastColumn;
    }
    if (nLastColumn <= 0) {
        return;
    }
    EnableScrollBars(SB_HORZ, false);
    const CRect rect = m_pHost->GetClientRect();
    const long long nDifference = rect.Width() - GetVirtualWidth();
    if (nDifference > 0) {
        m_arColWidths[static_cast<std::size_t>(nLastColumn)] += static_cast<int>(nDifference);
        Refresh();
    }
    ResetScrollBars();
}

void CGridCtrl::ExpandToFit(bool bExpandFixed) {
    ExpandColumnsToFit(bExpandFixed);
    ExpandRowsToFit(bExpandFixed);
    ExpandColumnsToFit(bExpandFixed);
    Refresh();
}
