// Virtual mode: cells come from the owner or a callback on each request.
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"

namespace {

bool FillFromCallback(GRID_DISPINFO* pDispInfo, std::intptr_t lParam) {
    pDispInfo->item.strText = "cb" + std::to_string(pDispInfo->item.row * 10 + pDispInfo->item.col);
    pDispInfo->item.crBkClr = static_cast<COLORREF>(lParam);
    return true;
}

class GridVirtualTest : public ::testing::Test {
protected:
    GridVirtualTest() {
        m_grid.SetVirtualMode(true);
        m_grid.SetRowCount(100000);
        m_grid.SetColumnCount(4);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
    }
    CGridCtrl m_grid;
};

TEST_F(GridVirtualTest, TurningItOnChangesTheSettings) {
    EXPECT_TRUE(m_grid.GetVirtualMode());
    EXPECT_FALSE(m_grid.IsEditable());
    EXPECT_FALSE(m_grid.GetHeaderSort());
    EXPECT_FALSE(m_grid.GetFixedRowSelection());
    EXPECT_FALSE(m_grid.GetFixedColumnSelection());
    EXPECT_EQ(m_grid.GetAutoSizeStyle(), GVS_HEADER);
    EXPECT_EQ(m_grid.GetRowHeight(99999), m_grid.GetDefaultCell(false, false)->GetHeight());
}

TEST_F(GridVirtualTest, CellsComeFromTheOwner) {
    RecordingNotifyTarget owner;
    m_grid.SetNotifyTarget(&owner, 7);
    EXPECT_EQ(m_grid.GetItemText(5, 2), "r5c2");
    EXPECT_EQ(owner.m_codes, std::vector<int>{GN_GETDISPINFO});
    EXPECT_EQ(m_grid.GetItemFormat(5, 2), m_grid.GetDefaultCell(false, false)->GetFormat());
    EXPECT_EQ(m_grid.GetItemBkColour(0, 0), m_grid.GetDefaultCell(true, true)->GetBackColor());
    EXPECT_EQ(m_grid.GetItemState(0, 2), GIS_FIXED | GIS_FIXEDROW);
    EXPECT_EQ(m_grid.GetItemState(3, 0), GIS_FIXED | GIS_FIXEDCOL);
    CGridCellBase* pCell = m_grid.GetCell(9, 3);
    EXPECT_EQ(pCell, m_grid.GetCell(8, 3));  // one scratch cell
    EXPECT_EQ(pCell->GetGrid(), &m_grid);
    EXPECT_EQ(m_grid.GetCell(-1, 1), nullptr);
    EXPECT_EQ(m_grid.GetCell(100000, 1), nullptr);
}

TEST_F(GridVirtualTest, CallbackWinsOverTheOwner) {
    RecordingNotifyTarget owner;
    m_grid.SetNotifyTarget(&owner, 7);
    m_grid.SetCallbackFunc(FillFromCallback, RGB(1, 2, 3));
    EXPECT_EQ(m_grid.GetItemText(4, 3), "cb43");
    EXPECT_EQ(m_grid.GetItemBkColour(4, 3), RGB(1, 2, 3));
    EXPECT_TRUE(owner.m_codes.empty());
}

TEST_F(GridVirtualTest, StoringRefusedButSelectionKeptInTheMap) {
    EXPECT_FALSE(m_grid.SetItemText(5, 1, "x"));
    EXPECT_FALSE(m_grid.SetItemBkColour(5, 1, RGB(1, 1, 1)));
    GRID_ITEM item;
    item.row = 5;
    item.col = 1;
    item.mask = GIF_TEXT;
    EXPECT_FALSE(m_grid.SetItem(&item));
    EXPECT_FALSE(m_grid.SetCellType(5, 1, RUNTIME_CLASS(CGridCell)));
    CGridCell cell;
    EXPECT_FALSE(m_grid.SetCell(5, 1, &cell));

    EXPECT_FALSE(m_grid.SetItemState(50000, 2, GIS_SELECTED));
    EXPECT_TRUE(m_grid.IsCellSelected(50000, 2));
    EXPECT_FALSE(m_grid.IsCellSelected(50000, 3));
    RecordingNotifyTarget owner;
    m_grid.SetNotifyTarget(&owner, 7);
    m_grid.SetFocusCell(50000, 2);
    m_grid.GetCell(50000, 2);
    EXPECT_EQ(owner.m_lastState, GIS_SELECTED | GIS_FOCUSED);
    m_grid.SetItemState(50000, 2, 0);
    EXPECT_FALSE(m_grid.IsCellSelected(50000, 2));
}

TEST_F(GridVirtualTest, StructureStillWorksOnCountsAndSizes) {
    EXPECT_EQ(m_grid.InsertRow("", 1), 1);
    EXPECT_EQ(m_grid.GetRowCount(), 100001);
    EXPECT_TRUE(m_grid.DeleteRow(1));
    EXPECT_EQ(m_grid.InsertColumn("h"), 4);
    EXPECT_TRUE(m_grid.DeleteColumn(4));
    m_grid.SetColumnSortType(GVSORT_NUMERIC, 2);  // no stored types in this mode
    EXPECT_TRUE(m_grid.SetRowCount(10));
    EXPECT_EQ(m_grid.GetVirtualHeight(), 10LL * m_grid.GetDefaultCell(false, false)->GetHeight());
    m_grid.SetVirtualMode(false);
    EXPECT_EQ(m_grid.GetRowCount(), 0);
    EXPECT_EQ(m_grid.GetColumnCount(), 0);
}

}  // namespace
