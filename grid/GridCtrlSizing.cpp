// Rows and columns sized to their content, or stretched to fill the window.
#include <algorithm>
#include <cstdlib>
#include <iterator>
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

// What the shrink would have taken below 1 pixel from a shown size is taken instead from
// the sizes that can still give, evenly; with none left, every shown size stays at 1.
static void KeepShownSizesPositive(std::vector<int>& sizes, const std::vector<std::size_t>& shown) {
    long long nOwed = 0;
    for (const std::size_t i : shown) {
        if (sizes[i] < 1) {
            nOwed += 1 - static_cast<long long>(sizes[i]);
            sizes[i] = 1;
        }
    }
    while (nOwed > 0) {
        std::vector<std::size_t> givers;
        std::copy_if(shown.begin(), shown.end(), std::back_inserter(givers),
                     [&sizes](std::size_t i) { return sizes[i] > 1; });
        if (givers.empty()) {
            return;
        }
        const auto nGivers = static_cast<long long>(givers.size());
        const long long nEach = nOwed / nGivers;
        long long nLeftOver = nOwed % nGivers;
        for (const std::size_t i : givers) {
            const long long nShare = nEach + (nLeftOver-- > 0 ? 1 : 0);
            const long long nTaken = std::min<long long>(nShare, sizes[i] - 1);
            sizes[i] -= static_cast<int>(nTaken);
            nOwed -= nTaken;
        }
    }
}

// The difference is shared out evenly; what integer division leaves over goes one
// pixel at a time to the first positions (a hidden one takes its turn unchanged).
// Shown sizes stay shown: a shrink leaves each at least 1 pixel.
static void SpreadDifference(std::vector<int>& sizes, int nFirst, int nDifference) {
    std::vector<std::size_t> shown;
    for (std::size_t i = static_cast<std::size_t>(nFirst); i < sizes.size(); ++i) {
        if (sizes[i] > 0) {
            shown.push_back(i);
        }
    }
    if (shown.empty()) {
        return;
    }
    const int nShown = static_cast<int>(shown.size());
    const int nEach = nDifference / nShown;
    for (const std::size_t i : shown) {
        sizes[i] += nEach;
    }
    int nLeftOver = std::abs(nDifference) % nShown;
    for (std::size_t i = static_cast<std::size_t>(nFirst); i < sizes.size() && nLeftOver > 0;
         ++i, --nLeftOver) {
        if (std::binary_search(shown.begin(), shown.end(), i)) {
            sizes[i] += nDifference > 0 ? 1 : -1;
        }
    }
    if (nDifference < 0) {
        KeepShownSizesPositive(sizes, shown);
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
