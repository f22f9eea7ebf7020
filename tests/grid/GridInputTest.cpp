// Keys and the mouse through the grid's handlers, and the round trip of an in-place
// edit, on a window of known size.
#include <gtest/gtest.h>

#include "GridFakes.h"
#include "grid/GridCtrl.h"

namespace {

class GridInput : public ::testing::Test {
protected:
    // nRows x nCols, one fixed row and column, rows 20 and columns 60 pixels.
    void Build(int nRows, int nCols) {
        m_grid.SetRowCount(nRows);
        m_grid.SetColumnCount(nCols);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        m_grid.Create(&m_host);
        for (int nRow = 0; nRow < nRows; ++nRow) {
            m_grid.SetRowHeight(nRow, 20);
        }
        for (int nCol = 0; nCol < nCols; ++nCol) {
            m_grid.SetColumnWidth(nCol, 60);
        }
        m_grid.SetNotifyTarget(&m_owner, 1006);
    }
    CPoint Centre(int nRow, int nCol) const {
        CRect rect;
        EXPECT_TRUE(m_grid.GetCellRect(nRow, nCol, &rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void Click(int nRow, int nCol, std::uint32_t nFlags = 0) {
        const CPoint point = Centre(nRow, nCol);
        m_grid.OnLButtonDown(nFlags | MK_LBUTTON, point);
        m_grid.OnLButtonUp(nFlags, point);
    }
    void TearDown() override { m_grid.SetWindowHost(nullptr); }

    FakeWindowHost m_host;
    RecordingNotifyTarget m_owner;
    CGridCtrl m_grid;
};

// Hidden column 3 and hidden row 5 are stepped over; Tab wraps to the next row and
// leaves the grid after the last cell.
TEST_F(GridInput, KeysMoveTheFocus) {
    Build(20, 6);
    m_grid.SetColumnWidth(3, 0);
    m_grid.SetRowHeight(5, 0);
    struct Row {
        CCellID start;
        std::uint32_t nKey;
        std::uint32_t nFlags;
        CCellID expected;
        bool bHandled;
    };
    const Row rows[] = {
        {{2, 2}, VK_RIGHT, 0, {2, 4}, true},
        {{2, 4}, VK_LEFT, 0, {2, 2}, true},
        {{2, 1}, VK_LEFT, 0, {2, 1}, true},
        {{4, 2}, VK_DOWN, 0, {6, 2}, true},
        {{6, 2}, VK_UP, 0, {4, 2}, true},
        {{1, 2}, VK_UP, 0, {1, 2}, true},
        {{2, 5}, VK_TAB, 0, {3, 1}, true},
        {{4, 5}, VK_TAB, 0, {6, 1}, true},
        {{19, 5}, VK_TAB, 0, {19, 5}, false},
        {{3, 1}, VK_TAB, MK_SHIFT, {2, 5}, true},
        {{1, 1}, VK_TAB, MK_SHIFT, {1, 1}, false},
        {{2, 2}, VK_HOME, 0, {2, 1}, true},
        {{2, 2}, VK_END, 0, {2, 5}, true},
        {{7, 4}, VK_HOME, MK_CONTROL, {1, 1}, true},
        {{7, 2}, VK_END, MK_CONTROL, {19, 5}, true},
        {{7, 2}, 'Q', 0, {7, 2}, false},
    };
    for (const Row& row : rows) {
        m_grid.SetFocusCell(row.start);
        m_grid.EnsureVisible(row.start);
        EXPECT_EQ(m_grid.OnKeyDown(row.nKey, row.nFlags), row.bHandled)
            << row.start.row << "," << row.start.col << " key " << row.nKey;
        EXPECT_EQ(m_grid.GetFocusCell(), row.expected)
            << row.start.row << "," << row.start.col << " key " << row.nKey;
        EXPECT_TRUE(m_grid.IsCellVisible(m_grid.GetFocusCell()));
    }
}

// A page key moves the focus row by as many rows as the view scrolled.
TEST_F(GridInput, PageKeysMoveWithTheView) {
    Build(30, 3);
    m_grid.SetFocusCell(1, 1);
    const std::pair<std::uint32_t, int> steps[] = {
        {VK_NEXT, 15}, {VK_NEXT, 16}, {VK_PRIOR, 2}, {VK_PRIOR, 1}, {VK_PRIOR, 1}};
    for (auto [nKey, nRow] : steps) {
        m_grid.OnKeyDown(nKey, 0);
        EXPECT_EQ(m_grid.GetFocusCell().row, nRow) << nKey;
    }
}

TEST_F(GridInput, ShiftClickExtendsAndCtrlClickDeselectsOne) {
    Build(10, 5);
    Click(2, 2);
    Click(4, 3, MK_SHIFT);
    EXPECT_EQ(m_grid.GetSelectedCount(), 6);
    EXPECT_EQ(m_grid.GetSelectedCellRange(), CCellRange(2, 2, 4, 3));
    Click(3, 2, MK_CONTROL);
    EXPECT_EQ(m_grid.GetSelectedCount(), 5);
    EXPECT_FALSE(m_grid.IsCellSelected(3, 2));
    EXPECT_EQ(m_host.m_nCommands, 3);  // one owner command per release
}

TEST_F(GridInput, DividersAndColumnDrags) {
    Build(10, 5);
    EXPECT_FALSE(m_grid.IsOverRowResizeArea(CPoint(5, 0)));  // top edge of row 0
    EXPECT_TRUE(m_grid.IsOverRowResizeArea(CPoint(5, 19)));
    EXPECT_TRUE(m_grid.IsOverColumnResizeArea(CPoint(119, 5)));
    EXPECT_FALSE(m_grid.IsOverColumnResizeArea(CPoint(119, 25)));  // not in the header

    // Released on a divider (the new one included), the resize cursor shows at once.
    struct Row {
        const char* name;
        bool bAllowHide;
        int nReleaseX;
        int nExpectedWidth;
        bool bEndResize;
        int nModeAfter;
    };
    const Row rows[] = {
        {"released at the press point", true, 119, 60, false, MOUSE_OVER_COL_DIVIDE},
        {"dragged wider", true, 150, 90, true, MOUSE_OVER_COL_DIVIDE},
        {"dragged left of the column", true, 20, 0, true, MOUSE_NOTHING},
        {"left of the column, hiding refused", false, 20, 1, true, MOUSE_NOTHING},
    };
    for (const Row& row : rows) {
        m_grid.SetColumnWidth(1, 60);
        m_grid.EnableColumnHide(row.bAllowHide);
        m_owner.m_codes.clear();
        const CPoint press(119, 5);  // the right edge of column 1, in the header
        m_grid.OnMouseMove(0, press);
        ASSERT_EQ(m_grid.GetMouseMode(), MOUSE_OVER_COL_DIVIDE) << row.name;
        m_grid.OnLButtonDown(MK_LBUTTON, press);
        EXPECT_EQ(m_grid.GetMouseMode(), MOUSE_SIZING_COL) << row.name;
        m_grid.OnMouseMove(MK_LBUTTON, CPoint(row.nReleaseX, 5));
        m_grid.OnLButtonUp(0, CPoint(row.nReleaseX, 5));
        EXPECT_EQ(m_grid.GetColumnWidth(1), row.nExpectedWidth) << row.name;
        const bool bEndResize =
            std::find(m_owner.m_codes.begin(), m_owner.m_codes.end(), GN_ENDRESIZE) != m_owner.m_codes.end();
        EXPECT_EQ(bEndResize, row.bEndResize) << row.name;
        EXPECT_FALSE(m_host.m_bDragLine) << row.name;
        EXPECT_EQ(m_grid.GetMouseMode(), row.nModeAfter) << row.name;
        EXPECT_EQ(m_host.m_nCursor, row.nModeAfter == MOUSE_NOTHING ? IDC_ARROW : IDC_SIZEWE) << row.name;
        m_grid.OnMouseMove(0, CPoint(row.nReleaseX, 100));  // off the header
    }
}

// Which column a header divider sizes when hidden columns lie next to it; a double click
// that follows a still release auto-sizes; a drag cut short changes nothing.
TEST_F(GridInput, DividerGrabsDoubleClicksAndLostCapture) {
    enum Gesture { kDrag, kCaptureLost, kDoubleClick };
    constexpr int kAutoSized = -1;
    struct Row {
        const char* name;
        bool bUnhide;
        std::vector<int> widths;  // columns 0 to 3
        int nPressX;
        Gesture gesture;
        int nToX;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"hidden neighbour reopened", true, {60, 60, 0, 60}, 121, kDrag, 150, {60, 60, 30, 60}},
        {"hidden neighbour kept shut", false, {60, 60, 0, 60}, 121, kDrag, 150, {60, 90, 0, 60}},
        {"no shown column left of it", false, {0, 0, 0, 60}, 1, kDrag, 30, {0, 0, 0, 60}},
        {"capture lost mid-drag", true, {60, 60, 60, 60}, 119, kCaptureLost, 150, {60, 60, 60, 60}},
        {"double click after a still release",
         true,
         {60, 60, 60, 60},
         119,
         kDoubleClick,
         119,
         {60, kAutoSized, 60, 60}},
    };
    Build(10, 4);
    ASSERT_TRUE(m_grid.AutoSizeColumn(1));
    const int nAutoWidth = m_grid.GetColumnWidth(1);
    ASSERT_NE(nAutoWidth, 60);
    for (const Row& row : rows) {
        m_grid.EnableHiddenColUnhide(row.bUnhide);
        for (int nCol = 0; nCol < 4; ++nCol) {
            m_grid.SetColumnWidth(nCol, row.widths[static_cast<std::size_t>(nCol)]);
        }
        const CPoint press(row.nPressX, 5);
        const CPoint to(row.nToX, 5);
        m_grid.OnLButtonDown(MK_LBUTTON, press);
        if (row.gesture == kDoubleClick) {
            m_grid.OnLButtonUp(0, press);
            m_grid.OnLButtonDblClk(MK_LBUTTON, press);
        } else {
            m_grid.OnMouseMove(MK_LBUTTON, to);
        }
        if (row.gesture == kCaptureLost) {
            m_host.m_bCapture = false;
            m_grid.OnCaptureChanged();
            EXPECT_EQ(m_grid.GetMouseMode(), MOUSE_NOTHING) << row.name;
        } else {
            m_grid.OnLButtonUp(0, to);
        }
        EXPECT_FALSE(m_host.m_bDragLine) << row.name;
        for (int nCol = 0; nCol < 4; ++nCol) {
            const int nExpected = row.expected[static_cast<std::size_t>(nCol)];
            EXPECT_EQ(m_grid.GetColumnWidth(nCol), nExpected == kAutoSized ? nAutoWidth : nExpected)
                << row.name << ", column " << nCol;
        }
        m_grid.OnMouseMove(0, CPoint(row.nToX, 100));  // off the header
    }
}

// A press on the focus cell's text edits it on release unless a drag starts, which needs
// drag and drop and a move past the platform's start-drag distance (4 pixels here).
TEST_F(GridInput, ShakyClickOnTheFocusCellStillEdits) {
    struct Row {
        const char* name;
        bool bDragAndDrop;
        int nMoveX;
        bool bEdits;
        bool bDrags;
    };
    const Row rows[] = {
        {"still", false, 0, true, false},
        {"one pixel, no drag and drop", false, 1, true, false},
        {"far, no drag and drop", false, 20, true, false},
        {"one pixel with drag and drop", true, 1, true, false},
        {"past the distance with drag and drop", true, 5, false, true},
    };
    Build(10, 5);
    // The fake editor does not report by itself.
    const auto endEdit = [this] { m_grid.OnEndEditCell(2, 2, m_grid.GetItemText(2, 2)); };
    for (const Row& row : rows) {
        m_grid.SetDragAndDrop(row.bDragAndDrop);
        Click(2, 2);
        endEdit();
        m_host.m_edits.clear();
        m_host.m_nDrags = 0;
        const CPoint press = Centre(2, 2);
        const CPoint moved(press.x + row.nMoveX, press.y);
        m_grid.OnLButtonDown(MK_LBUTTON, press);
        ASSERT_EQ(m_grid.GetMouseMode(), MOUSE_PREPARE_EDIT) << row.name;
        m_grid.OnMouseMove(MK_LBUTTON, moved);
        m_grid.OnLButtonUp(0, moved);
        EXPECT_EQ(m_host.m_edits.size(), row.bEdits ? 1u : 0u) << row.name;
        EXPECT_EQ(m_host.m_nDrags, row.bDrags ? 1 : 0) << row.name;
        EXPECT_EQ(m_grid.GetFocusCell(), CCellID(2, 2)) << row.name;
        endEdit();
    }
}

// The corner selects everything once; dragging on from it moves nothing.
TEST_F(GridInput, CornerPressSelectsOnce) {
    Build(10, 5);
    m_grid.OnLButtonDown(MK_LBUTTON, Centre(0, 0));
    EXPECT_EQ(m_grid.GetSelectedCount(), 9 * 4);
    m_grid.OnMouseMove(MK_LBUTTON, Centre(3, 2));
    m_grid.OnLButtonUp(0, Centre(3, 2));
    EXPECT_FALSE(m_grid.GetFocusCell().IsValid());
    EXPECT_EQ(m_grid.GetSelectedCount(), 9 * 4);
}

// With the window shrunk to nothing there is no cell under the pointer to select.
TEST_F(GridInput, AutoScrollInAWindowShrunkToNothing) {
    Build(10, 5);
    m_grid.OnLButtonDown(MK_LBUTTON, Centre(2, 2));
    ASSERT_EQ(m_host.m_nTimer, WM_LBUTTONDOWN_TIMER_ID);
    m_host.m_client = CRect(0, 0, 0, 0);
    m_host.m_cursor = CPoint(30, 50);
    m_grid.OnTimer(WM_LBUTTONDOWN_TIMER_ID);
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(m_grid.GetSelectedCount(), 1);
}

TEST_F(GridInput, WithSelectionOffKeysStillNotify) {
    Build(10, 5);
    m_grid.EnableSelection(false);
    m_grid.SetFocusCell(2, 2);
    m_owner.m_codes.clear();
    m_grid.OnKeyDown(VK_DOWN, 0);
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(3, 2));
    EXPECT_EQ(m_grid.GetSelectedCount(), 0);
    EXPECT_EQ(m_owner.m_codes, (std::vector<int>{GN_SELCHANGING, GN_SELCHANGED}));
}

TEST_F(GridInput, EndOfEditAcceptedOrRefused) {
    Build(10, 5);
    m_grid.SetItemText(2, 2, "old");
    m_owner.m_nAnswer = -1;
    m_grid.OnEndEditCell(2, 2, "new");
    EXPECT_EQ(m_grid.GetItemText(2, 2), "old");
    m_owner.m_nAnswer = 0;
    m_grid.OnEndEditCell(2, 2, "new");
    EXPECT_EQ(m_grid.GetItemText(2, 2), "new");
    EXPECT_TRUE(m_grid.GetModified(2, 2));
}

// The editor's report of an edit ended by Down: the text is taken, the focus moves
// one row down and a new edit starts there with Down as its first key.
TEST_F(GridInput, EditEndedByDownCarriesOn) {
    Build(10, 5);
    m_grid.SetFocusCell(2, 2);
    m_grid.OnChar('7', 0);
    ASSERT_EQ(m_host.m_edits.size(), 1u);
    EXPECT_EQ(m_host.m_edits[0].nFirstChar, static_cast<std::uint32_t>('7'));
    EXPECT_EQ(m_owner.m_codes.back(), GN_BEGINLABELEDIT);

    GRID_DISPINFO dispinfo;
    dispinfo.hdr.code = GN_ENDLABELEDIT;
    dispinfo.item.row = 2;
    dispinfo.item.col = 2;
    dispinfo.item.strText = "7";
    dispinfo.item.lParam = VK_DOWN;
    m_grid.OnChildNotify(IDC_INPLACE_CONTROL, &dispinfo.hdr);
    EXPECT_EQ(m_grid.GetItemText(2, 2), "7");
    EXPECT_EQ(m_grid.GetFocusCell(), CCellID(3, 2));
    ASSERT_EQ(m_host.m_edits.size(), 2u);
    EXPECT_EQ(m_host.m_edits[1].nRow, 3);
    EXPECT_EQ(m_host.m_edits[1].nFirstChar, VK_DOWN);
}

TEST_F(GridInput, HeaderClickSortsWithTheArrowColumn) {
    Build(4, 3);
    m_grid.SetHeaderSort(true);
    for (int nRow = 1; nRow < 4; ++nRow) {
        m_grid.SetItemText(nRow, 1, std::string(1, static_cast<char>('d' - nRow)));
    }
    Click(0, 1);
    EXPECT_EQ(m_grid.GetSortColumn(), 1);
    EXPECT_TRUE(m_grid.GetSortAscending());
    EXPECT_EQ(m_grid.GetItemText(1, 1), "a");
    Click(0, 1);
    EXPECT_FALSE(m_grid.GetSortAscending());
    EXPECT_EQ(m_grid.GetItemText(1, 1), "c");
}

}  // namespace
