// Light cells remember their column: it must follow every column insertion and
// deletion, or they take their attributes from a neighbour, or from none.
#include <gtest/gtest.h>

#include "grid/GridCellLitle.h"
#include "grid/GridCtrl.h"

namespace {

COLORREF BackOf(const CGridCtrl& grid, int nRow, int nCol) {
    return grid.GetCell(nRow, nCol)->GetBackColor();
}

TEST(LightCellColumnsTest, ColumnFollowsInsertAndDelete) {
    CGridCtrl grid;
    grid.SetLightCellMode();
    grid.SetRowCount(3);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const COLORREF kColours[] = {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0)};
    for (int nCol = 1; nCol < 4; ++nCol) {
        grid.GetCell(-1, nCol)->SetBackColor(kColours[nCol - 1]);
    }
    ASSERT_EQ(grid.InsertColumn("new", 0, 2), 2);
    EXPECT_EQ(BackOf(grid, 2, 1), kColours[0]);
    EXPECT_EQ(BackOf(grid, 2, 2), CLR_DEFAULT);
    EXPECT_EQ(BackOf(grid, 2, 3), kColours[1]);
    EXPECT_EQ(BackOf(grid, 2, 4), kColours[2]);

    ASSERT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(BackOf(grid, 2, 2), kColours[1]);
    EXPECT_EQ(BackOf(grid, 2, 3), kColours[2]);
    for (int nCol = 1; nCol < grid.GetColumnCount(); ++nCol) {
        EXPECT_EQ(static_cast<CGridCellLitle*>(grid.GetCell(2, nCol))->GetColumn(), nCol);
    }
}

}  // namespace
