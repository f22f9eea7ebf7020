// The grid painted through the GDI drawing context into a DIB section, checked by
// pixels as the desktop shows it: default colours, selection and focus marks, header
// borders, the sort arrow, merged blocks and clipped text.
#include "DibSurface.h"
#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"
#include "platform/win32/GdiDrawContext.h"
#include "platform/win32/GdiFont.h"
#include "platform/win32/Win32SystemMetrics.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Api.h"

namespace {

// A window that measures with GDI, as the grid's real window does.
class GdiMeasuringHost : public FakeWindowHost {
public:
    std::unique_ptr<IDrawContext> GetDC() override { return CGdiDrawContext::CreateMeasuring(m_hFont); }
    HFONT m_hFont = nullptr;
};

class GdiGridPaint : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemMetrics(&m_metrics);
        m_hFont = CreateGdiFont(m_metrics.GetMessageFont());
        m_host.m_hFont = m_hFont;
        m_grid = std::make_unique<CGridCtrl>();
    }
    void TearDown() override {
        m_grid.reset();
        SetSystemMetrics(nullptr);
        ::DeleteObject(m_hFont);
    }

    // Every cell holds "row,column".
    void Build(int nRows, int nCols, int nFixedRows = 1, int nFixedCols = 1, CSize size = {400, 300}) {
        m_size = size;
        m_host.m_client = CRect(0, 0, size.cx, size.cy);
        m_grid->Create(&m_host);
        m_grid->SetRowCount(nRows);
        m_grid->SetColumnCount(nCols);
        m_grid->SetFixedRowCount(nFixedRows);
        m_grid->SetFixedColumnCount(nFixedCols);
        for (int r = 0; r < nRows; ++r)
            for (int c = 0; c < nCols; ++c)
                m_grid->SetItemText(r, c, std::to_string(r) + "," + std::to_string(c));
        m_grid->ResetScrollBars();
    }
    void ClearTexts() {
        for (int r = 0; r < m_grid->GetRowCount(); ++r)
            for (int c = 0; c < m_grid->GetColumnCount(); ++c)
                m_grid->SetItemText(r, c, "");
    }

    // The whole grid as its window paints it.
    std::unique_ptr<CDibSurface> Render() {
        auto pSurface = std::make_unique<CDibSurface>(m_size.cx, m_size.cy, RGB(255, 0, 255));
        CGdiDrawContext dc(pSurface->GetDC(), m_hFont);
        m_grid->OnDraw(&dc);
        return pSurface;
    }

    CRect CellRect(int nRow, int nCol) const {
        CRect rect;
        EXPECT_TRUE(m_grid->GetCellRect(nRow, nCol, &rect)) << nRow << "," << nCol;
        return rect;
    }

    CWin32SystemMetrics m_metrics;
    HFONT m_hFont = nullptr;
    GdiMeasuringHost m_host;
    std::unique_ptr<CGridCtrl> m_grid;  // made after the metrics are installed, as the program does
    CSize m_size;
};

TEST_F(GdiGridPaint, DefaultColoursSelectionAndFocus) {
    Build(6, 4, 1, 1, {400, 200});
    ClearTexts();
    m_grid->SetSelectedRange(1, 1, 1, 2);
    m_grid->SetFocusCell(1, 2);
    const auto image = Render();
    struct Row {
        const char* what;
        int nRow;
        int nCol;
        int dx;  // from the cell's left edge; 0: its right edge; negative: its left edge
        COLORREF expected;
    };
    const Row rows[] = {
        {"normal cell", 3, 2, 5, ::SysGetSysColor(COLOR_WINDOW)},
        {"fixed cell", 3, 0, 5, ::SysGetSysColor(COLOR_BTNFACE)},
        {"grid line", 3, 2, 0, RGB(0xC0, 0xC0, 0xC0)},
        {"selected cell", 1, 1, 5, ::SysGetSysColor(COLOR_HIGHLIGHT)},
        {"focus and selected cell", 1, 2, 5, ::SysGetSysColor(COLOR_HIGHLIGHT)},
        {"focus frame", 1, 2, -1, ::SysGetSysColor(COLOR_HIGHLIGHTTEXT)},
    };
    for (const Row& row : rows) {
        const CRect rect = CellRect(row.nRow, row.nCol);
        const int x = row.dx > 0 ? rect.left + row.dx : (row.dx == 0 ? rect.right : rect.left);
        EXPECT_EQ(image->At(x, (rect.top + rect.bottom) / 2), row.expected) << row.what;
    }
    const CRect last = CellRect(5, 3);
    EXPECT_EQ(image->At(last.right + 5, 5), ::SysGetSysColor(COLOR_BTNSHADOW)) << "beyond the cells";
}

TEST_F(GdiGridPaint, ColoursFollowTheSystemAfterRefresh) {
    Build(4, 3, 1, 1, {300, 150});
    ClearTexts();
    const CRect rect = CellRect(2, 1);
    const int nIndex = COLOR_WINDOW;
    const DWORD crOld = ::SysGetSysColor(nIndex);
    const DWORD crNew = RGB(10, 200, 30);
    ASSERT_TRUE(::SetSysColors(1, &nIndex, &crNew));
    const COLORREF crBefore = Render()->At(rect.left + 5, (rect.top + rect.bottom) / 2);
    m_metrics.Refresh();
    m_grid->OnSysColorChange();
    const COLORREF crAfter = Render()->At(rect.left + 5, (rect.top + rect.bottom) / 2);
    ::SetSysColors(1, &nIndex, &crOld);
    m_metrics.Refresh();
    EXPECT_EQ(crBefore, crOld) << "kept until the owner refreshes";
    EXPECT_EQ(crAfter, crNew);
}

TEST_F(GdiGridPaint, FixedCellsHaveA3DBorderOnlyWithGridLines) {
    Build(4, 4);
    const CRect rect = CellRect(0, 2);
    for (const int nLines : {GVL_BOTH, GVL_NONE}) {
        m_grid->SetGridLines(nLines);
        const auto image = Render();
        const bool bBorder = nLines != GVL_NONE;
        EXPECT_EQ(image->At(rect.left, rect.top + 3),
                  bBorder ? ::SysGetSysColor(COLOR_BTNHIGHLIGHT) : ::SysGetSysColor(COLOR_BTNFACE))
            << "left edge, lines " << nLines;
        EXPECT_EQ(image->At(rect.right, rect.top + 3),
                  bBorder ? ::SysGetSysColor(COLOR_3DDKSHADOW) : ::SysGetSysColor(COLOR_BTNFACE))
            << "right edge, lines " << nLines;
    }
}

TEST_F(GdiGridPaint, SortArrowOnlyInRowZeroOfTheSortColumnAndNotWhenTooNarrow) {
    Build(4, 4);
    ClearTexts();
    const COLORREF crArrow = ::SysGetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(crArrow, ::SysGetSysColor(COLOR_3DDKSHADOW));
    m_grid->SetSortColumn(2);
    for (const bool bAscending : {true, false}) {
        m_grid->SetSortAscending(bAscending);
        const auto image = Render();
        const CRect rect = CellRect(0, 2);
        EXPECT_GT(image->Count(rect, crArrow), 0);
        EXPECT_EQ(image->Count(CellRect(0, 1), crArrow), 0) << "another column";
        EXPECT_EQ(image->Count(CellRect(1, 2), crArrow), 0) << "another row";
        // The triangle's base is its longest row: at the bottom when it points up.
        int nWidest = 0, nWidestRow = -1, nFirst = -1, nLast = -1;
        for (int y = rect.top; y <= rect.bottom; ++y) {
            const int n = image->Count(CRect(rect.left, y, rect.right, y), crArrow);
            if (n > 0 && nFirst < 0)
                nFirst = y;
            if (n > 0)
                nLast = y;
            if (n > nWidest) {
                nWidest = n;
                nWidestRow = y;
            }
        }
        EXPECT_EQ(nWidestRow, bAscending ? nLast : nFirst) << (bAscending ? "ascending" : "descending");
    }
    m_grid->SetColumnWidth(2, 6);
    EXPECT_EQ(Render()->Count(CellRect(0, 2), crArrow), 0) << "too narrow";
}

TEST_F(GdiGridPaint, MergedBlockPaintsTheSameFromAnyOfItsCells) {
    Build(5, 5, 2, 1);
    m_grid->SetItemText(0, 1, "Merged heading");
    ASSERT_TRUE(m_grid->MergeFixedCells(0, 1, 1, 1, true));
    const auto drawFrom = [&](int nRow, int nCol) {
        auto pSurface = std::make_unique<CDibSurface>(m_size.cx, m_size.cy);
        CGdiDrawContext dc(pSurface->GetDC(), m_hFont);
        EXPECT_TRUE(m_grid->GetCell(nRow, nCol)->Draw(&dc, nRow, nCol, CellRect(nRow, nCol), true));
        return pSurface;
    };
    const auto owner = drawFrom(0, 1);
    const CRect block(CellRect(0, 1).left, CellRect(0, 1).top, CellRect(1, 2).right, CellRect(1, 2).bottom);
    EXPECT_GT(owner->Count(block, ::SysGetSysColor(COLOR_BTNFACE)), block.Width() * block.Height() / 2);
    for (const auto& [nRow, nCol] : {std::pair{0, 2}, {1, 1}, {1, 2}})
        EXPECT_TRUE(drawFrom(nRow, nCol)->Pixels() == owner->Pixels()) << "from " << nRow << "," << nCol;
}

TEST_F(GdiGridPaint, TextIsClippedToItsCell) {
    Build(4, 4);
    m_grid->SetItemText(1, 2, "");
    m_grid->SetItemText(1, 1, std::string(60, 'W'));
    m_grid->SetItemFormat(1, 1, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    const auto image = Render();
    const CRect next = CellRect(1, 2);
    const CRect inside(next.left + 1, next.top, next.right - 1, next.bottom - 1);
    EXPECT_EQ(image->Count(inside, ::SysGetSysColor(COLOR_WINDOW)),
              (inside.Width() + 1) * (inside.Height() + 1));
    EXPECT_GT(image->Count(CellRect(1, 1), ::SysGetSysColor(COLOR_WINDOWTEXT)), 0) << "the text is there";
}

}  // namespace
