// Items, sizes, the modified flag, queries, searching, cell types, header spans and
// notifications.
#include <gtest/gtest.h>

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"

namespace {

TEST(GridItems, SettersAndGettersAtValidAndInvalidPositions) {
    CGridCtrl grid(3, 3, 1, 1);
    LOGFONT lf;
    lf.lfHeight = 21;
    struct Row {
        const char* name;
        int nRow;
        int nCol;
        bool bValid;
    };
    const Row rows[] = {{"cell", 2, 2, true},          {"column cell", -1, 1, true},
                        {"row past end", 3, 0, false}, {"column past end", 0, 3, false},
                        {"row -2", -2, 0, false},      {"column -1", 1, -1, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(grid.SetItemData(row.nRow, row.nCol, 9), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemImage(row.nRow, row.nCol, 2), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemFormat(row.nRow, row.nCol, DT_CENTER), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemBkColour(row.nRow, row.nCol, RGB(1, 0, 0)), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemFgColour(row.nRow, row.nCol, RGB(0, 1, 0)), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemFont(row.nRow, row.nCol, &lf), row.bValid) << row.name;
        EXPECT_EQ(grid.SetItemText(row.nRow, row.nCol, "t"), row.bValid) << row.name;

        EXPECT_EQ(grid.GetItemData(row.nRow, row.nCol), row.bValid ? 9u : 0u) << row.name;
        EXPECT_EQ(grid.GetItemImage(row.nRow, row.nCol), row.bValid ? 2 : -1) << row.name;
        EXPECT_EQ(grid.GetItemFormat(row.nRow, row.nCol), row.bValid ? DT_CENTER : 0u) << row.name;
        EXPECT_EQ(grid.GetItemBkColour(row.nRow, row.nCol), row.bValid ? RGB(1, 0, 0) : 0u) << row.name;
        EXPECT_EQ(grid.GetItemFgColour(row.nRow, row.nCol), row.bValid ? RGB(0, 1, 0) : 0u) << row.name;
        ASSERT_NE(grid.GetItemFont(row.nRow, row.nCol), nullptr) << row.name;
        EXPECT_EQ(grid.GetItemFont(row.nRow, row.nCol)->lfHeight == 21, row.bValid) << row.name;
        EXPECT_FALSE(grid.IsItemEditing(row.nRow, row.nCol)) << row.name;
    }
    // The column cell keeps text, but item text is only read from real rows.
    EXPECT_EQ(*grid.GetCell(-1, 1)->GetText(), "t");
    EXPECT_EQ(grid.GetItemText(-1, 1), "");
    EXPECT_EQ(grid.GetItemText(2, 2), "t");
}

TEST(GridItems, SetItemAppliesTheMaskedFieldsAndGetItemReadsThem) {
    CGridCtrl grid(2, 2);
    GRID_ITEM item;
    item.row = 1;
    item.col = 1;
    item.mask = GIF_TEXT | GIF_PARAM | GIF_STATE | GIF_FORMAT | GIF_MARGIN;
    item.strText = "Yes";
    item.lParam = 5;
    item.nState = GIS_SELECTED | GIS_READONLY;
    item.nFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    item.nMargin = 4;
    item.crBkClr = RGB(9, 9, 9);  // not in the mask
    ASSERT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(grid.GetItemBkColour(1, 1), CLR_DEFAULT);
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_EQ(grid.GetSelectedCount(), 1);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));

    GRID_ITEM read;
    read.row = 1;
    read.col = 1;
    read.mask = 0x1FF;
    ASSERT_TRUE(grid.GetItem(&read));
    EXPECT_EQ(read.strText, "Yes");
    EXPECT_EQ(read.lParam, 5u);
    EXPECT_EQ(read.nState, GIS_SELECTED | GIS_READONLY);  // SetItem set the state after marking
    EXPECT_EQ(read.nFormat, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(read.nMargin, 4u);
    EXPECT_EQ(read.crBkClr, CLR_DEFAULT);
    EXPECT_EQ(read.lfFont, *grid.GetDefaultCell(false, false)->GetFont());

    EXPECT_FALSE(grid.SetItem(nullptr));
    EXPECT_FALSE(grid.GetItem(nullptr));
    read.row = 5;
    EXPECT_FALSE(grid.GetItem(&read));
    item.row = 5;
    EXPECT_FALSE(grid.SetItem(&item));
}

TEST(GridItems, FormattedText) {
    CGridCtrl grid(1, 1);
    EXPECT_TRUE(grid.SetItemTextFormatted(0, 0, "P%03d %s", 7, "Max speed"));
    EXPECT_EQ(grid.GetItemText(0, 0), "P007 Max speed");
    EXPECT_FALSE(grid.SetItemTextFormatted(1, 0, "%d", 1));
}

TEST(GridSizes, RangesAndSums) {
    CGridCtrl grid(3, 2);
    EXPECT_EQ(grid.GetRowHeight(-1), -1);
    EXPECT_EQ(grid.GetRowHeight(3), -1);
    EXPECT_EQ(grid.GetColumnWidth(2), -1);
    EXPECT_FALSE(grid.SetColumnWidth(1, -1));
    EXPECT_FALSE(grid.SetColumnWidth(2, 10));
    EXPECT_FALSE(grid.SetRowHeight(-1, 10));
    EXPECT_TRUE(grid.SetColumnWidth(0, 180));
    EXPECT_TRUE(grid.SetColumnWidth(1, 0));
    EXPECT_TRUE(grid.SetRowHeight(0, 5));
    EXPECT_TRUE(grid.SetRowHeight(1, 6));
    EXPECT_TRUE(grid.SetRowHeight(2, 7));
    EXPECT_EQ(grid.GetVirtualWidth(), 180);
    EXPECT_EQ(grid.GetVirtualHeight(), 18);
}

TEST(GridModified, CellAndGridFlags) {
    CGridCtrl grid(3, 3, 1, 0);
    grid.SetSortColumn(1);
    grid.SetModified(false);
    EXPECT_EQ(grid.GetSortColumn(), -1);  // a grid-wide change forgets the sort

    grid.SetSortColumn(1);
    EXPECT_TRUE(grid.SetItemFormat(1, 1, DT_RIGHT));
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_TRUE(grid.SetItemText(1, 2, "other column"));
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_TRUE(grid.SetItemText(1, 1, "sort column"));
    EXPECT_EQ(grid.GetSortColumn(), -1);

    EXPECT_TRUE(grid.GetModified());
    EXPECT_TRUE(grid.GetModified(1, 1));
    EXPECT_TRUE(grid.GetModified(1, 2));
    EXPECT_FALSE(grid.GetModified(2, 2));

    grid.SetModified(false, 1, 1);  // one cell only; the grid stays modified
    EXPECT_FALSE(grid.GetModified(1, 1));
    EXPECT_TRUE(grid.GetModified(1, 2));
    EXPECT_TRUE(grid.GetModified());

    grid.SetModified(false, -1, -1);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_FALSE(grid.GetModified(1, 2));

    grid.SetItemData(2, 2, 1);
    EXPECT_TRUE(grid.GetModified(2, 2));
    grid.SetItemState(2, 0, GIS_READONLY);
    EXPECT_FALSE(grid.GetModified(2, 0));
}

TEST(GridQueries, ValidityFixedEditableSelected) {
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_TRUE(grid.IsValid(2, 2));
    EXPECT_FALSE(grid.IsValid(-1, 0));
    EXPECT_FALSE(grid.IsValid(CCellID(3, 0)));
    EXPECT_TRUE(grid.IsValid(CCellRange(0, 0, 2, 2)));
    EXPECT_FALSE(grid.IsValid(CCellRange(0, 0, 3, 2)));
    EXPECT_TRUE(grid.IsFixedCell(0, 2));
    EXPECT_TRUE(grid.IsFixedCell(2, 0));
    EXPECT_FALSE(grid.IsFixedCell(1, 1));

    EXPECT_TRUE(grid.IsCellEditable(1, 1));
    grid.SetItemState(1, 1, GIS_READONLY);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
    grid.SetEditable(false);
    EXPECT_FALSE(grid.IsCellEditable(2, 2));

    grid.SetItemState(2, 2, GIS_SELECTED);
    EXPECT_TRUE(grid.IsCellSelected(2, 2));
    grid.EnableSelection(false);
    EXPECT_FALSE(grid.IsCellSelected(2, 2));
    EXPECT_EQ(grid.GetSelectedCount(), 0);  // disabling empties the selection
}

TEST(GridNextItem, DirectionsAndStates) {
    CGridCtrl grid(5, 5, 1, 1);
    grid.SetItemState(3, 3, GIS_SELECTED);
    grid.SetItemState(1, 4, GIS_READONLY);
    grid.SetItemState(4, 1, GIS_MODIFIED);
    struct Row {
        const char* name;
        CCellID start;
        int nFlags;
        CCellID expected;
    };
    const Row rows[] = {
        {"all from nothing", {-1, -1}, GNI_ALL | GNI_SELECTED, {3, 3}},
        {"all from the cell itself", {3, 3}, GNI_ALL | GNI_SELECTED, {}},
        {"all wraps to following rows", {1, 4}, GNI_ALL | GNI_SELECTED, {3, 3}},
        {"area keeps the column start", {1, 3}, GNI_AREA | GNI_SELECTED, {}},
        {"area from the left", {1, 2}, GNI_AREA | GNI_SELECTED, {3, 3}},
        {"below", {1, 3}, GNI_BELOW | GNI_SELECTED, {3, 3}},
        {"above", {4, 3}, GNI_ABOVE | GNI_SELECTED, {3, 3}},
        {"above stops at the fixed rows", {4, 4}, GNI_ABOVE | GNI_READONLY, {1, 4}},
        {"to the left", {3, 4}, GNI_TOLEFT | GNI_SELECTED, {3, 3}},
        {"to the right", {3, 1}, GNI_TORIGHT | GNI_SELECTED, {3, 3}},
        {"modified maps to its bit", {-1, -1}, GNI_ALL | GNI_MODIFIED, {4, 1}},
        {"any of several states", {-1, -1}, GNI_ALL | GNI_MODIFIED | GNI_READONLY, {1, 4}},
        {"no state asked", {-1, -1}, GNI_ALL, {}},
        {"fixed cells are not searched", {-1, -1}, GNI_ALL | GNI_FIXED, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(grid.GetNextItem(row.start, row.nFlags), row.expected) << row.name;
    }
}

TEST(GridCellType, ReplacesTheCellAndRefusesNonCells) {
    CGridCtrl grid(2, 2, 1, 0);
    grid.SetItemText(1, 1, "No");
    grid.SetItemState(1, 1, GIS_SELECTED);
    EXPECT_FALSE(grid.SetCellType(1, 1, RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(grid.SetCellType(1, 1, nullptr));
    EXPECT_FALSE(grid.SetCellType(2, 1, RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_FALSE(grid.SetCellType(-1, 1, RUNTIME_CLASS(CGridCellCombo)));
    ASSERT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_EQ(grid.GetCell(1, 1)->GetRuntimeClass(), RUNTIME_CLASS(CGridCellCombo));
    EXPECT_EQ(grid.GetItemText(1, 1), "No");
    EXPECT_TRUE(grid.IsCellSelected(1, 1));

    EXPECT_FALSE(grid.SetDefaultCellType(RUNTIME_CLASS(CObject)));
    EXPECT_EQ(grid.GetDefaultCellType(), RUNTIME_CLASS(CGridCell));
    EXPECT_TRUE(grid.SetDefaultCellType(RUNTIME_CLASS(CGridCellCombo)));
    grid.InsertRow("new");
    EXPECT_EQ(grid.GetCell(2, 0)->GetRuntimeClass(), RUNTIME_CLASS(CGridCellCombo));
}

TEST(GridCellType, OutsideTheGridInLightModeTheNewCellIsDropped) {
    CGridCtrl grid(2, 2);
    grid.SetLightCellMode();
    EXPECT_FALSE(grid.SetCellType(5, 5, RUNTIME_CLASS(CGridCell)));
    EXPECT_TRUE(grid.SetCellType(-1, 1, RUNTIME_CLASS(CGridCellCombo)));
    EXPECT_EQ(grid.GetCell(-1, 1)->GetRuntimeClass(), RUNTIME_CLASS(CGridCellCombo));
}

TEST(GridCells, SetCellOnlyReplacesColumnCellsInLightMode) {
    CGridCtrl grid(2, 2);
    CGridCell cell;
    EXPECT_FALSE(grid.SetCell(-1, 0, &cell));
    EXPECT_FALSE(grid.SetCell(2, 0, &cell));
    EXPECT_EQ(grid.GetCell(5, 0), nullptr);
    EXPECT_EQ(grid.GetCell(-1, 2), nullptr);
}

TEST(GridMergeFixedCells, SpansAndFormat) {
    CGridCtrl grid(4, 4, 2, 1);
    grid.SetHeaderSort(true);
    EXPECT_FALSE(grid.MergeFixedCells(2, 1, 1, 1, true));  // far corner not fixed
    EXPECT_FALSE(grid.MergeFixedCells(0, 2, 0, 5, true));  // beyond the grid
    EXPECT_FALSE(grid.MergeFixedCells(0, 1, -1, 1, true));
    ASSERT_TRUE(grid.MergeFixedCells(0, 1, 1, 2, false));
    struct Row {
        int nRow;
        int nCol;
        int nRowSpan;
        int nColSpan;
    };
    const Row rows[] = {{0, 1, 1, 2},  {0, 2, 1, -1},  {0, 3, 1, -1},
                        {1, 1, -1, 2}, {1, 2, -1, -1}, {1, 3, -1, -1}};
    for (const Row& row : rows) {
        const CGridCellBase* pCell = grid.GetCell(row.nRow, row.nCol);
        EXPECT_EQ(pCell->GetMergeRowSpan(), row.nRowSpan) << row.nRow << "," << row.nCol;
        EXPECT_EQ(pCell->GetMergeColSpan(), row.nColSpan) << row.nRow << "," << row.nCol;
    }
    EXPECT_EQ(grid.GetItemFormat(0, 1), 0x8815u);
    EXPECT_TRUE(grid.GetHeaderSort());
    ASSERT_TRUE(grid.MergeFixedCells(2, 0, 1, 0, true));  // rows below the fixed rows
    EXPECT_EQ(grid.GetItemFormat(2, 0), 0x8824u);
    EXPECT_FALSE(grid.GetHeaderSort());
}

TEST(GridNotifications, GoToTheOwnerWithTheControlId) {
    CGridCtrl grid(2, 2);
    EXPECT_EQ(grid.SendMessageToParent(1, 1, GN_BEGINLABELEDIT), 0);  // no owner
    RecordingNotifyTarget owner;
    owner.m_nAnswer = -1;
    grid.SetNotifyTarget(&owner, 1006);
    EXPECT_EQ(grid.SendMessageToParent(1, 0, GN_BEGINLABELEDIT), -1);
    EXPECT_EQ(grid.SendCacheHintToParent(CCellRange()), -1);
    ASSERT_EQ(owner.m_codes, (std::vector<int>{GN_BEGINLABELEDIT, GN_ODCACHEHINT}));
    EXPECT_EQ(owner.m_ids, (std::vector<int>{1006, 1006}));
    EXPECT_EQ(owner.m_cells[0], std::make_pair(1, 0));
}

TEST(GridWindow, RequestsReachTheWindowOnlyWhenThereIsOne) {
    CGridCtrl grid(3, 3);
    EXPECT_FALSE(grid.RedrawRow(1));
    grid.Refresh();
    FakeWindowHost host;
    grid.Create(&host);
    EXPECT_EQ(grid.GetColumnWidth(2), grid.GetDefaultCell(false, false)->GetWidth());
    EXPECT_TRUE(grid.RedrawRow(1));
    EXPECT_EQ(host.m_invalidRects.size(), 3u);
    grid.Refresh();
    EXPECT_EQ(host.m_nInvalidates, 1);
    grid.SetRedraw(false);
    grid.Refresh();
    EXPECT_EQ(host.m_nInvalidates, 1);
    grid.SetRedraw(true, true);
    EXPECT_EQ(host.m_nInvalidates, 2);
    grid.SetWindowHost(nullptr);
}

}  // namespace
