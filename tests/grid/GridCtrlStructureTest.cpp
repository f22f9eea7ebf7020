// Counts, rows and columns: the edges of growing and shrinking the grid.
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"

namespace {

void ExpectCounts(const CGridCtrl& grid, int nRows, int nCols, int nFixedRows, int nFixedCols) {
    EXPECT_EQ(grid.GetRowCount(), nRows);
    EXPECT_EQ(grid.GetColumnCount(), nCols);
    EXPECT_EQ(grid.GetFixedRowCount(), nFixedRows);
    EXPECT_EQ(grid.GetFixedColumnCount(), nFixedCols);
}

TEST(GridConstruction, DefaultsAndCounts) {
    CGridCtrl empty;
    ExpectCounts(empty, 0, 0, 0, 0);
    EXPECT_TRUE(empty.IsEditable());
    EXPECT_TRUE(empty.IsSelectable());
    EXPECT_TRUE(empty.GetHandleTabKey());
    EXPECT_FALSE(empty.GetHeaderSort());
    EXPECT_EQ(empty.GetGridLines(), GVL_BOTH);
    EXPECT_EQ(empty.GetSortColumn(), -1);
    EXPECT_TRUE(empty.GetSortAscending());
    EXPECT_EQ(empty.GetGridLineColor(), RGB(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(empty.GetGridBkColor(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(empty.GetTitleTipBackClr(), CLR_DEFAULT);
    EXPECT_EQ(empty.GetDefaultCell(false, false)->GetBackColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(empty.GetDefaultCell(true, true)->GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(empty.GetDefaultCell(true, false)->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(empty.GetDefaultCellType(), RUNTIME_CLASS(CGridCell));

    CGridCtrl grid(5, 4, 1, 2);
    ExpectCounts(grid, 5, 4, 1, 2);
    EXPECT_EQ(grid.GetItemState(0, 3), GIS_FIXED | GIS_FIXEDROW);
    EXPECT_EQ(grid.GetItemState(2, 1), GIS_FIXED | GIS_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(0, 0), GIS_FIXED | GIS_FIXEDROW | GIS_FIXEDCOL);
    EXPECT_EQ(grid.GetItemState(2, 2), 0u);
    EXPECT_EQ(grid.GetRowHeight(4), grid.GetDefaultCell(false, false)->GetHeight());
    EXPECT_EQ(grid.GetColumnWidth(3), grid.GetDefaultCell(false, true)->GetWidth());
    EXPECT_NE(grid.GetCell(-1, 3), nullptr);
}

TEST(GridSetRowCount, ToZeroDropsTheFixedRowsAndTheFocus) {
    CGridCtrl grid(3, 2, 1, 0);
    grid.SetFocusCell(2, 1);
    ASSERT_EQ(grid.GetFocusCell(), CCellID(2, 1));
    EXPECT_TRUE(grid.SetRowCount(0));
    ExpectCounts(grid, 0, 2, 0, 0);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_EQ(grid.GetVirtualHeight(), 0);
}

TEST(GridSetRowCount, SameCountAndBadCounts) {
    CGridCtrl grid(2, 2);
    grid.SetModified(false);
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_FALSE(grid.GetModified());  // nothing happened
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetColumnCount(-3));
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    EXPECT_FALSE(grid.SetFixedColumnCount(-1));
    ExpectCounts(grid, 2, 2, 0, 0);
}

TEST(GridSetFixedRowCount, GrowsTheGridFirst) {
    CGridCtrl grid(2, 2);
    EXPECT_TRUE(grid.SetFixedRowCount(3));
    ExpectCounts(grid, 3, 2, 3, 0);
    for (int nRow = 0; nRow < 3; ++nRow) {
        EXPECT_EQ(grid.GetItemState(nRow, 1), GIS_FIXED | GIS_FIXEDROW) << nRow;
    }
    EXPECT_TRUE(grid.SetFixedColumnCount(4));
    ExpectCounts(grid, 3, 4, 3, 4);
}

TEST(GridSetFixedCount, FixedCellsLoseTheirColoursAndKeepFixedInAFixedColumn) {
    CGridCtrl grid(3, 3, 0, 1);
    grid.SetItemBkColour(0, 0, RGB(1, 1, 1));
    grid.SetItemBkColour(0, 1, RGB(2, 2, 2));
    grid.SetItemFgColour(0, 1, RGB(3, 3, 3));

    ASSERT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetItemBkColour(0, 1), CLR_DEFAULT);
    EXPECT_EQ(grid.GetItemFgColour(0, 1), CLR_DEFAULT);
    EXPECT_EQ(grid.GetItemState(0, 1), GIS_FIXED | GIS_FIXEDROW);
    EXPECT_EQ(grid.GetItemState(0, 0), GIS_FIXED | GIS_FIXEDROW | GIS_FIXEDCOL);

    grid.SetItemBkColour(0, 0, RGB(4, 4, 4));
    grid.SetItemBkColour(0, 1, RGB(5, 5, 5));
    ASSERT_TRUE(grid.SetFixedRowCount(0));
    EXPECT_EQ(grid.GetItemState(0, 0), GIS_FIXED | GIS_FIXEDCOL);
    EXPECT_EQ(grid.GetItemBkColour(0, 0), RGB(4, 4, 4));  // still fixed: its colours stay
    EXPECT_EQ(grid.GetItemState(0, 1), 0u);
    EXPECT_EQ(grid.GetItemBkColour(0, 1), CLR_DEFAULT);

    ASSERT_TRUE(grid.SetFixedColumnCount(2));
    EXPECT_EQ(grid.GetItemState(2, 1), GIS_FIXED | GIS_FIXEDCOL);
    ASSERT_TRUE(grid.SetFixedColumnCount(0));
    EXPECT_EQ(grid.GetItemState(2, 1), 0u);
    EXPECT_EQ(grid.GetItemState(2, 0), 0u);
}

TEST(GridInsertRow, WithoutColumnsMakesOneAndUsesTheFixedRowHeight) {
    CGridCtrl grid;
    EXPECT_EQ(grid.InsertRow(""), 0);
    ExpectCounts(grid, 1, 1, 0, 0);
    EXPECT_EQ(grid.GetRowHeight(0), grid.GetDefaultCell(true, false)->GetHeight());
}

TEST(GridInsertRow, PositionsAndRefusals) {
    CGridCtrl grid(2, 3, 1, 0);
    grid.SetItemText(1, 0, "last");
    struct Row {
        const char* name;
        int nRow;
        int nExpected;
    };
    const Row rows[] = {
        {"into a fixed row", 0, -1},
        {"before row 1", 1, 1},
        {"append with -1", -1, 3},
        {"far past the end appends", 99, 4},
    };
    for (const Row& row : rows) {
        const int nBefore = grid.GetRowCount();
        const int nResult = grid.InsertRow(row.name, row.nRow);
        EXPECT_EQ(nResult, row.nExpected) << row.name;
        if (nResult < 0) {
            EXPECT_EQ(grid.GetRowCount(), nBefore) << row.name;
            continue;
        }
        EXPECT_EQ(grid.GetRowCount(), nBefore + 1) << row.name;
        EXPECT_EQ(grid.GetItemText(nResult, 0), row.name);
    }
    EXPECT_EQ(grid.GetItemText(2, 0), "last");
    EXPECT_EQ(grid.GetItemState(1, 2), 0u);
    EXPECT_TRUE(grid.GetModified());
}

TEST(GridInsertRow, HeadingHeightIsMeasuredOnTheWindow) {
    FakeWindowHost host;
    CGridCtrl grid(0, 2);
    grid.SetWindowHost(&host);
    const int nRow = grid.InsertRow("two\nlines");
    const int nMargin = static_cast<int>(grid.GetCell(nRow, 0)->GetMargin());
    EXPECT_EQ(grid.GetRowHeight(nRow), FakeDrawContext::kLineHeight + 2 * nMargin);
    EXPECT_GT(host.m_nScrollInfoSets, 0);
    grid.SetWindowHost(nullptr);
}

TEST(GridInsertColumn, PositionsAndRefusals) {
    CGridCtrl grid(2, 2, 0, 1);
    struct Row {
        const char* name;
        int nColumn;
        int nExpected;
    };
    const Row rows[] = {
        {"into a fixed column", 0, -1}, {"two past the end", 4, -1}, {"one past the end appends", 2, 2},
        {"before column 1", 1, 1},      {"append with -1", -1, 4},
    };
    for (const Row& row : rows) {
        const int nBefore = grid.GetColumnCount();
        const int nResult = grid.InsertColumn(row.name, DT_RIGHT, row.nColumn);
        EXPECT_EQ(nResult, row.nExpected) << row.name;
        EXPECT_EQ(grid.GetColumnCount(), nBefore + (nResult >= 0 ? 1 : 0)) << row.name;
        if (nResult >= 0) {
            EXPECT_EQ(grid.GetItemText(0, nResult), row.name);
            EXPECT_EQ(grid.GetItemFormat(1, nResult), DT_RIGHT) << row.name;
            EXPECT_EQ(grid.GetColumnWidth(nResult), grid.GetDefaultCell(false, false)->GetWidth())
                << row.name;
            EXPECT_NE(grid.GetCell(-1, nResult), nullptr) << row.name;
        }
    }
}

TEST(GridInsertColumn, WithoutRowsMakesOne) {
    CGridCtrl grid;
    EXPECT_EQ(grid.InsertColumn("A"), 0);
    ExpectCounts(grid, 1, 1, 0, 0);
    EXPECT_EQ(grid.GetItemText(0, 0), "A");
}

TEST(GridDelete, RowsAndColumnsKeepTheFixedCountsInStep) {
    CGridCtrl grid(4, 4, 2, 2);
    grid.SetItemText(3, 3, "kept");
    EXPECT_FALSE(grid.DeleteRow(4));
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_FALSE(grid.DeleteColumn(4));
    ExpectCounts(grid, 4, 4, 2, 2);

    EXPECT_TRUE(grid.DeleteRow(0));
    ExpectCounts(grid, 3, 4, 1, 2);
    EXPECT_TRUE(grid.DeleteColumn(1));
    ExpectCounts(grid, 3, 3, 1, 1);
    EXPECT_EQ(grid.GetItemText(2, 2), "kept");
    EXPECT_EQ(grid.GetCell(-1, 3), nullptr);

    EXPECT_TRUE(grid.DeleteNonFixedRows());
    ExpectCounts(grid, 1, 3, 1, 1);
    EXPECT_TRUE(grid.DeleteAllItems());
    ExpectCounts(grid, 0, 0, 0, 0);
    EXPECT_EQ(grid.GetCell(-1, 0), nullptr);
    EXPECT_EQ(grid.GetVirtualWidth(), 0);
}

TEST(GridDelete, DeletingASelectedCellEmptiesTheSelection) {
    CGridCtrl grid(3, 3);
    grid.SetItemState(2, 2, GIS_SELECTED);
    ASSERT_EQ(grid.GetSelectedCount(), 1);
    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    grid.SetItemState(1, 1, GIS_SELECTED);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetSelectedCount(), 0);
}

}  // namespace
