// The grid's geometry, scroll bars, wheel and sizing on a window of known size,
// without any GUI library: the fake window keeps its scroll bars as plain values.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "GridFakes.h"
#include "grid/GridCtrl.h"

namespace {

constexpr int kBar = 17;  // scroll-bar width of the fixed system metrics

// A grid of nRows x nCols with one fixed row and column, every row 20 and every
// column nColWidth pixels, on a 400 x 300 window.
class GridLayout : public ::testing::Test {
protected:
    void Build(int nRows, int nCols, int nColWidth = 100, int nFixed = 1) {
        m_grid.SetRowCount(nRows);
        m_grid.SetColumnCount(nCols);
        m_grid.SetFixedRowCount(nFixed);
        m_grid.SetFixedColumnCount(nFixed);
        m_grid.Create(&m_host);
        for (int nRow = 0; nRow < nRows; ++nRow) {
            m_grid.SetRowHeight(nRow, 20);
        }
        for (int nCol = 0; nCol < nCols; ++nCol) {
            m_grid.SetColumnWidth(nCol, nColWidth);
        }
    }
    void TearDown() override { m_grid.SetWindowHost(nullptr); }

    FakeWindowHost m_host;
    CGridCtrl m_grid;
};

TEST_F(GridLayout, CellFromPointWithAndWithoutFixedCells) {
    Build(100, 5);
    struct Row {
        CPoint point;
        bool bAllowFixed;
        CCellID expected;
    };
    const Row rows[] = {
        {{50, 30}, true, {1, 0}},     // in the fixed column
        {{50, 30}, false, {1, -1}},   // the same point without fixed cells
        {{150, 10}, false, {-1, 1}},  // in the fixed row
        {{-1, 30}, true, {1, -1}},    // left of the window
        {{150, 45}, true, {2, 1}},    // a scrolled cell
        {{382, 282}, true, {14, 3}},  // the last pixel of the client area
    };
    for (const Row& row : rows) {
        const CCellID cell = m_grid.GetCellFromPoint(row.point, row.bAllowFixed);
        EXPECT_EQ(cell, row.expected) << row.point.x << "," << row.point.y << " fixed " << row.bAllowFixed;
    }
}

TEST_F(GridLayout, VisibleRangesAndScrolledOffCells) {
    Build(100, 5);
    ASSERT_TRUE(m_grid.IsScrollBarShown(SB_VERT));
    ASSERT_TRUE(m_grid.IsScrollBarShown(SB_HORZ));
    CRect covered;
    EXPECT_EQ(m_grid.GetVisibleNonFixedCellRange(&covered), CCellRange(1, 1, 14, 3));
    EXPECT_EQ(covered, CRect(0, 0, 400 - kBar, 300 - kBar));
    EXPECT_EQ(m_grid.GetFullyVisibleNonFixedCellRange(), CCellRange(1, 1, 13, 2));

    m_grid.SetScrollPosition(SB_HORZ, 100);
    EXPECT_EQ(m_grid.GetTopLeftNonFixedCell(), CCellID(1, 2));
    CRect rect;
    EXPECT_FALSE(m_grid.GetCellRect(1, 1, &rect));
    ASSERT_TRUE(m_grid.GetCellRect(1, 2, &rect));
    EXPECT_EQ(rect, CRect(100, 20, 199, 39));
    EXPECT_FALSE(m_grid.IsCellVisible(1, 1));
    EXPECT_TRUE(m_grid.IsCellVisible(0, 0));
    EXPECT_FALSE(m_grid.IsCellVisible(20, 2));
}

TEST_F(GridLayout, EverythingFitsHidesBothBars) {
    Build(5, 3, 50);
    EXPECT_FALSE(m_grid.IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(m_grid.IsScrollBarShown(SB_HORZ));
    EXPECT_EQ(m_grid.GetScrollMax(SB_VERT), 0);
    EXPECT_EQ(m_grid.GetScrollMax(SB_HORZ), 0);
    EXPECT_FALSE(m_host.m_bars[SB_VERT].bShown);
}

// Rows of height 0 are stepped over on the way down, never past the second-last row.
TEST_F(GridLayout, LineDownOverHiddenRows) {
    struct Row {
        const char* name;
        int nHiddenTo;  // rows 1..nHiddenTo get height 0
        int nExpectedPos;
    };
    const Row rows[] = {
        {"no hidden rows", 0, 20},
        {"three hidden rows", 3, 20},
        {"all but the last hidden", 8, 0},
    };
    for (const Row& row : rows) {
        FakeWindowHost host;
        CGridCtrl grid(10, 2, 1, 1);
        grid.Create(&host);
        for (int nRow = 0; nRow < 10; ++nRow) {
            grid.SetRowHeight(nRow, nRow >= 1 && nRow <= row.nHiddenTo ? 0 : 20);
        }
        grid.SetRowHeight(9, 1000);  // enough to need scrolling
        grid.OnVScroll(SB_LINEDOWN);
        EXPECT_EQ(grid.GetScrollPosition(SB_VERT), row.nExpectedPos) << row.name;
        EXPECT_EQ(host.m_invalidRects.empty(), row.nExpectedPos == 0) << row.name;
        grid.SetWindowHost(nullptr);
    }
}

// The difference is shared evenly, the remainder taken from the first; no shown column
// or row is left narrower than 1 pixel, what it cannot give coming from the others.
TEST_F(GridLayout, ExpandToFitSharesTheDifference) {
    struct Row {
        const char* name;
        bool bRows;
        CRect client;
        std::vector<int> sizes;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"columns 7 pixels too wide", false, {0, 0, 400, 300}, {136, 136, 135}, {133, 134, 133}},
        {"columns far too wide", false, {0, 0, 400, 300}, {20, 300, 300}, {1, 199, 200}},
        {"columns with a hidden one", false, {0, 0, 400, 300}, {20, 0, 300, 300}, {1, 0, 199, 200}},
        {"a window narrower than the columns", false, {0, 0, 2, 300}, {50, 60, 70}, {1, 1, 1}},
        {"rows far too high", true, {0, 0, 400, 300}, {20, 400, 400}, {1, 149, 150}},
    };
    for (const Row& row : rows) {
        FakeWindowHost host;
        host.m_client = row.client;
        const int nCount = static_cast<int>(row.sizes.size());
        CGridCtrl grid(row.bRows ? nCount : 2, row.bRows ? 2 : nCount);
        grid.Create(&host);
        for (int i = 0; i < nCount; ++i) {
            const int nSize = row.sizes[static_cast<std::size_t>(i)];
            row.bRows ? grid.SetRowHeight(i, nSize) : grid.SetColumnWidth(i, nSize);
        }
        row.bRows ? grid.ExpandRowsToFit() : grid.ExpandColumnsToFit();
        std::vector<int> sizes;
        for (int i = 0; i < nCount; ++i) {
            sizes.push_back(row.bRows ? grid.GetRowHeight(i) : grid.GetColumnWidth(i));
        }
        EXPECT_EQ(sizes, row.expected) << row.name;
        grid.SetWindowHost(nullptr);
    }
}

// An invalid cell, however far outside (INT_MIN included), leaves the view where it is.
TEST_F(GridLayout, EnsureVisibleOfAnInvalidCellDoesNothing) {
    Build(100, 20);
    const CCellID cells[] = {{-1, 5}, {50, -1}, {INT_MIN, INT_MIN}, {100, 5}, {50, 20}};
    for (const CCellID& cell : cells) {
        m_grid.SetScrollPosition(SB_VERT, 400);
        m_grid.SetScrollPosition(SB_HORZ, 500);
        m_grid.EnsureVisible(cell);
        EXPECT_EQ(m_grid.GetScrollPosition(SB_VERT), 400) << cell.row << "," << cell.col;
        EXPECT_EQ(m_grid.GetScrollPosition(SB_HORZ), 500) << cell.row << "," << cell.col;
    }
}

class WheelMetrics : public CFixedSystemMetrics {
public:
    explicit WheelMetrics(int nLines) : m_nLines(nLines) {}
    int GetWheelScrollLines() const override { return m_nLines; }

private:
    int m_nLines;
};

TEST(GridWheel, NotchesBecomePostedScrollRequests) {
    struct Row {
        int nLinesPerNotch;
        int zDelta;
        std::vector<std::pair<int, int>> expected;
    };
    const std::pair<int, int> up{SB_VERT, SB_LINEUP};
    const std::pair<int, int> down{SB_VERT, SB_LINEDOWN};
    const Row rows[] = {
        {3, 120, {up, up, up}},
        {3, -240, {down, down, down, down, down, down}},
        {-1, 120, {{SB_VERT, SB_PAGEUP}}},
        {-1, -120, {{SB_VERT, SB_PAGEDOWN}}},
        {3, 30, {}},  // a quarter notch is not a line yet
    };
    for (const Row& row : rows) {
        WheelMetrics metrics(row.nLinesPerNotch);
        const ScopedSystemMetrics installed(&metrics);
        FakeWindowHost host;
        CGridCtrl grid(50, 2, 1, 1);
        grid.Create(&host);
        grid.OnMouseWheel(0, row.zDelta, CPoint());
        EXPECT_EQ(host.m_posted, row.expected) << row.nLinesPerNotch << " " << row.zDelta;
        grid.SetWindowHost(nullptr);
    }
}

TEST_F(GridLayout, WheelNotchScrollsThreeRowsOnceDelivered) {
    Build(100, 2);
    m_grid.OnMouseWheel(0, -120, CPoint());
    m_host.DeliverPosted(m_grid);
    EXPECT_EQ(m_grid.GetTopLeftNonFixedCell().row, 4);
}

TEST_F(GridLayout, AutoSizeLeavesHiddenColumnsHidden) {
    Build(3, 3);
    m_grid.SetItemText(1, 1, "a rather long text");
    m_grid.SetColumnWidth(2, 0);
    EXPECT_FALSE(m_grid.AutoSizeColumn(2));
    EXPECT_EQ(m_grid.GetColumnWidth(2), 0);
    EXPECT_TRUE(m_grid.AutoSizeColumn(1));
    EXPECT_EQ(m_grid.GetColumnWidth(1), m_grid.GetCell(1, 1)->GetCellExtent(m_host.GetDC().get()).cx);
}

TEST_F(GridLayout, DeletingRowsForgetsTheTopLeftCell) {
    Build(30, 4);
    m_grid.SetScrollPosition(SB_VERT, 200);
    ASSERT_EQ(m_grid.GetTopLeftNonFixedCell().row, 11);
    m_grid.SetRedraw(false);
    for (int i = 0; i < 25; ++i) {
        m_grid.DeleteRow(1);
    }
    m_grid.DeleteColumn(3);
    EXPECT_LT(m_grid.GetTopLeftNonFixedCell().row, m_grid.GetRowCount());
    EXPECT_LT(m_grid.GetTopLeftNonFixedCell().col, m_grid.GetColumnCount());
}

// Keys of the selected-cell map are unique in grids of more than 65,536 rows.
TEST(GridSelectionMap, RowsSixtyFiveThousandApartAreDistinct) {
    CGridCtrl grid(70001, 2, 1, 1);
    grid.SetItemState(70000, 1, GIS_SELECTED);
    grid.SetItemState(4464, 1, GIS_SELECTED);
    grid.SetItemState(4464, 1, 0);
    EXPECT_TRUE(grid.IsCellSelected(70000, 1));
    EXPECT_FALSE(grid.IsCellSelected(4464, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
}

}  // namespace
