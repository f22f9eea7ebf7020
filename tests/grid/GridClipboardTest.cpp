// Copy, cut, paste and drag and drop of cell texts through the grid's handlers, with a
// clipboard in memory and a window whose drag the test decides.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <set>
#include <utility>

#include "GridFakes.h"
#include "grid/GridCtrl.h"
#include "grid/GridText.h"
#include "support/FakeClipboard.h"

namespace {

// Refuses the begin-edit of the cells it is given, and records the edits it allowed.
class GuardingOwner : public RecordingNotifyTarget {
public:
    std::intptr_t OnGridNotify(int idFrom, NMHDR* pNotify) override {
        RecordingNotifyTarget::OnGridNotify(idFrom, pNotify);
        const auto* pCell = reinterpret_cast<const GRID_NOTIFY*>(pNotify);
        if (pNotify->code == GN_BEGINLABELEDIT && m_refused.count({pCell->iRow, pCell->iColumn}) != 0) {
            return -1;
        }
        if (pNotify->code == GN_ENDLABELEDIT) {
            m_ended.emplace_back(pCell->iRow, pCell->iColumn);
        }
        return 0;
    }
    std::set<std::pair<int, int>> m_refused;
    std::vector<std::pair<int, int>> m_ended;
};

// A window whose drags end with the effect the test chose.
class DragWindowHost : public FakeWindowHost {
public:
    std::uint32_t DoDragDrop(const std::string& text, std::uint32_t dwAllowed) override {
        m_dragged.push_back(text);
        m_nAllowed = dwAllowed;
        if (m_onDrag) {
            m_onDrag(text);
        }
        return m_nEffect;
    }
    std::function<void(const std::string&)> m_onDrag;
    std::uint32_t m_nEffect = DROPEFFECT_NONE;
    std::uint32_t m_nAllowed = 0;
    std::vector<std::string> m_dragged;
};

class GridClipboard : public ::testing::Test {
protected:
    // 6 x 5 with a fixed row and column; cell texts "rRcC".
    void SetUp() override {
        m_grid.SetRowCount(6);
        m_grid.SetColumnCount(5);
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        m_grid.Create(&m_host);
        for (int nRow = 0; nRow < 6; ++nRow) {
            m_grid.SetRowHeight(nRow, 20);
            for (int nCol = 0; nCol < 5; ++nCol) {
                m_grid.SetItemText(nRow, nCol, "r" + std::to_string(nRow) + "c" + std::to_string(nCol));
            }
        }
        for (int nCol = 0; nCol < 5; ++nCol) {
            m_grid.SetColumnWidth(nCol, 60);
        }
        m_grid.SetNotifyTarget(&m_owner, 1006);
        m_grid.SetClipboard(&m_clipboard);
    }
    void TearDown() override { m_grid.SetWindowHost(nullptr); }
    CPoint Centre(int nRow, int nCol) const {
        CRect rect;
        EXPECT_TRUE(m_grid.GetCellRect(nRow, nCol, &rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void Click(int nRow, int nCol, std::uint32_t nFlags = 0) {
        m_grid.OnLButtonDown(nFlags | MK_LBUTTON, Centre(nRow, nCol));
        m_grid.OnLButtonUp(nFlags, Centre(nRow, nCol));
    }
    std::string Row(int nRow) const {
        std::string text;
        for (int nCol = 1; nCol < 5; ++nCol) {
            text += (nCol > 1 ? "|" : "") + m_grid.GetItemText(nRow, nCol);
        }
        return text;
    }

    DragWindowHost m_host;
    GuardingOwner m_owner;
    FakeClipboard m_clipboard;
    CGridCtrl m_grid;
};

TEST_F(GridClipboard, CopyTakesTheSelectionsRectangle) {
    struct Case {
        const char* name;
        CCellRange range;  // selected by SetSelectedRange
        CCellID extra;     // then Ctrl+clicked in addition
        int nHiddenCol;    // width 0 (-1: none)
        int nHiddenRow;    // height 0 (-1: none)
        const char* expected;
    };
    const Case cases[] = {
        {"two cells apart in a row", {1, 1, 1, 1}, {1, 3}, -1, -1, "r1c1\t\tr1c3"},
        {"a block", {1, 1, 2, 2}, {}, -1, -1, "r1c1\tr1c2\nr2c1\tr2c2"},
        {"hidden column left out", {1, 1, 2, 3}, {}, 2, -1, "r1c1\tr1c3\nr2c1\tr2c3"},
        {"hidden row left out", {1, 1, 3, 1}, {}, -1, 2, "r1c1\nr3c1"},
        {"hidden last column: no tab after the last shown",
         {1, 1, 2, 3},
         {},
         3,
         -1,
         "r1c1\tr1c2\nr2c1\tr2c2"},
        {"hidden last row: no line end after the last shown",
         {1, 1, 3, 2},
         {},
         -1,
         3,
         "r1c1\tr1c2\nr2c1\tr2c2"},
        {"one empty cell", {4, 4, 4, 4}, {}, -1, -1, ""},
    };
    m_grid.SetItemText(4, 4, "");
    for (const Case& c : cases) {
        for (int i = 1; i < 5; ++i) {
            m_grid.SetColumnWidth(i, c.nHiddenCol == i ? 0 : 60);
            m_grid.SetRowHeight(i, c.nHiddenRow == i ? 0 : 20);
        }
        m_grid.ResetSelectedRange();
        m_grid.SetSelectedRange(c.range);
        if (c.extra.IsValid()) {
            Click(c.extra.row, c.extra.col, MK_CONTROL);
        }
        m_grid.OnEditCopy();
        EXPECT_EQ(m_clipboard.m_text.value_or("<none>"), c.expected) << c.name;
    }
}

TEST_F(GridClipboard, CopyWithoutSelectionLeavesTheClipboard) {
    m_clipboard.m_text = "before";
    m_grid.OnEditCopy();
    EXPECT_EQ(m_clipboard.m_text, "before");
    EXPECT_EQ(m_clipboard.m_nSets, 0);
    EXPECT_FALSE(m_grid.CreateTextDataSource().has_value());
}

TEST_F(GridClipboard, PasteFillsCellsFromTheTarget) {
    struct Case {
        const char* name;
        std::string text;
        CCellID target;
        const char* row1;
        const char* row2;
        const char* row3;
    };
    const Case cases[] = {
        {"comma and tab", "a,b\tc", {1, 1}, "a|b|c|r1c4", "r2c1|r2c2|r2c3|r2c4", "r3c1|r3c2|r3c3|r3c4"},
        {"CR LF stores no CR",
         "x\r\ny\r\n",
         {1, 2},
         "r1c1|x|r1c3|r1c4",
         "r2c1|y|r2c3|r2c4",
         "r3c1|r3c2|r3c3|r3c4"},
        {"trimmed, empty kept",
         " p ,, q\n",
         {1, 1},
         "p||q|r1c4",
         "r2c1|r2c2|r2c3|r2c4",
         "r3c1|r3c2|r3c3|r3c4"},
        {"beyond the last column dropped",
         "1\t2\t3",
         {2, 3},
         "r1c1|r1c2|r1c3|r1c4",
         "r2c1|r2c2|1|2",
         "r3c1|r3c2|r3c3|r3c4"},
        {"ends at a zero byte",
         std::string("k\0z", 3),
         {3, 1},
         "r1c1|r1c2|r1c3|r1c4",
         "r2c1|r2c2|r2c3|r2c4",
         "k|r3c2|r3c3|r3c4"},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_TRUE(m_grid.PasteTextAt(c.target, &c.text)) << c.name;
        EXPECT_EQ(Row(1), c.row1) << c.name;
        EXPECT_EQ(Row(2), c.row2) << c.name;
        EXPECT_EQ(Row(3), c.row3) << c.name;
    }
}

TEST_F(GridClipboard, PasteStepsOverHiddenRowsAndColumnsAndSelectsWhatItFilled) {
    m_grid.SetColumnWidth(2, 0);
    m_grid.SetRowHeight(2, 0);
    const std::string text = "a\tb\nc\td";
    ASSERT_TRUE(m_grid.PasteTextAt({1, 1}, &text));
    EXPECT_EQ(Row(1), "a|r1c2|b|r1c4");
    EXPECT_EQ(Row(2), "r2c1|r2c2|r2c3|r2c4");
    EXPECT_EQ(Row(3), "c|r3c2|d|r3c4");
    EXPECT_EQ(m_grid.GetSelectedCellRange(), CCellRange(1, 1, 3, 3));
}

TEST_F(GridClipboard, PasteSkipsRefusedAndReadOnlyCellsAndGoesOn) {
    m_owner.m_refused.insert({1, 2});
    m_grid.SetItemState(1, 3, m_grid.GetItemState(1, 3) | GIS_READONLY);
    const std::string text = "a\tb\tc\td";
    ASSERT_TRUE(m_grid.PasteTextAt({1, 1}, &text));
    EXPECT_EQ(Row(1), "a|r1c2|r1c3|d");
    EXPECT_EQ(m_owner.m_ended, (std::vector<std::pair<int, int>>{{1, 1}, {1, 4}}));
    EXPECT_TRUE(m_grid.GetModified(1, 1));
}

TEST_F(GridClipboard, EndEditRefusalPutsTheOldTextBack) {
    class EndRefusing : public IGridNotifyTarget {
        std::intptr_t OnGridNotify(int, NMHDR* pNotify) override {
            return pNotify->code == GN_ENDLABELEDIT ? -1 : 0;
        }
    } owner;
    m_grid.SetNotifyTarget(&owner, 1006);
    m_grid.SetModified(false);
    m_grid.ApplyCellText(2, 2, "new");
    EXPECT_EQ(m_grid.GetItemText(2, 2), "r2c2");
}

TEST_F(GridClipboard, KeysCopyCutPasteAndDelete) {
    m_grid.SetSelectedRange(1, 1, 1, 2);
    m_grid.SetFocusCell(1, 1);
    m_grid.OnKeyDown('C', MK_CONTROL);
    EXPECT_EQ(m_clipboard.m_text, "r1c1\tr1c2");
    m_grid.SetSelectedRange(3, 3, 3, 3);
    m_grid.SetFocusCell(3, 3);
    m_grid.OnKeyDown('V', MK_CONTROL);
    EXPECT_EQ(Row(3), "r3c1|r3c2|r1c1|r1c2");
    m_grid.SetSelectedRange(2, 1, 2, 1);
    m_grid.OnKeyDown('X', MK_CONTROL);
    EXPECT_EQ(m_clipboard.m_text, "r2c1");
    EXPECT_EQ(m_grid.GetItemText(2, 1), "");
    m_grid.SetSelectedRange(4, 1, 4, 2);
    m_grid.OnKeyDown(VK_DELETE, 0);
    EXPECT_EQ(Row(4), "||r4c3|r4c4");
    m_grid.SetSelectedRange(5, 4, 5, 4);
    m_grid.OnKeyDown(VK_INSERT, MK_SHIFT);
    EXPECT_EQ(m_grid.GetItemText(5, 4), "r2c1");
}

// A cut whose copy failed (no clipboard, no memory for the text) leaves the cells.
TEST_F(GridClipboard, CutClearsOnlyWhatTheClipboardTook) {
    class NoMemoryClipboard : public FakeClipboard {
        void SetText(const std::string&) override { throw std::bad_alloc(); }
    } noMemory;
    struct Case {
        const char* name;
        IClipboard* pClipboard;
        const char* expected;
    };
    const Case cases[] = {
        {"taken", &m_clipboard, ""},
        {"no clipboard", nullptr, "r1c1"},
        {"out of memory", &noMemory, "r1c1"},
    };
    for (const Case& c : cases) {
        m_grid.SetItemText(1, 1, "r1c1");
        m_grid.SetClipboard(c.pClipboard);
        m_grid.SetSelectedRange(1, 1, 1, 1);
        m_grid.OnEditCut();
        EXPECT_EQ(m_grid.GetItemText(1, 1), c.expected) << c.name;
    }
}

TEST_F(GridClipboard, NotEditableGridCutsAndPastesNothing) {
    m_grid.SetEditable(false);
    m_grid.SetSelectedRange(1, 1, 1, 1);
    m_grid.SetFocusCell(1, 1);
    m_grid.OnEditCut();
    EXPECT_EQ(m_clipboard.m_nSets, 0);
    EXPECT_EQ(m_grid.GetItemText(1, 1), "r1c1");
    m_clipboard.m_text = "z";
    m_grid.OnEditPaste();
    m_grid.ClearSelectedText();
    EXPECT_EQ(m_grid.GetItemText(1, 1), "r1c1");
}

TEST_F(GridClipboard, CommandsAreEnabledByTheRules) {
    struct Case {
        const char* name;
        bool bEditable;
        bool bSelected;
        bool bFocus;
        bool bClipboardText;
        bool bCopy, bCut, bPaste;
    };
    const Case cases[] = {
        {"nothing", true, false, false, false, false, false, false},
        {"selection", true, true, false, false, true, true, false},
        {"selection, not editable", false, true, true, true, true, false, false},
        {"focus and text", true, false, true, true, false, false, true},
        {"focus, no text", true, false, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        m_grid.SetEditable(c.bEditable);
        m_grid.ResetSelectedRange();
        if (c.bSelected) {
            m_grid.SetSelectedRange(1, 1, 1, 1);
        }
        if (c.bFocus) {
            m_grid.SetFocusCell(2, 2);
        }
        m_clipboard.m_text.reset();
        if (c.bClipboardText) {
            m_clipboard.m_text = "t";
        }
        EXPECT_EQ(m_grid.CanEditCopy(), c.bCopy) << c.name;
        EXPECT_EQ(m_grid.CanEditCut(), c.bCut) << c.name;
        EXPECT_EQ(m_grid.CanEditPaste(), c.bPaste) << c.name;
    }
}

TEST_F(GridClipboard, DropTargetRefusesFixedAndReadOnlyCells) {
    m_grid.SetDragAndDrop(true);
    m_grid.SetItemState(2, 2, m_grid.GetItemState(2, 2) | GIS_READONLY);
    struct Case {
        const char* name;
        CCellID cell;
        std::uint32_t dwKeys;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"fixed row", {0, 2}, 0, DROPEFFECT_NONE},
        {"fixed column", {2, 0}, 0, DROPEFFECT_NONE},
        {"read-only", {2, 2}, 0, DROPEFFECT_NONE},
        {"editable: move", {3, 3}, 0, DROPEFFECT_MOVE},
        {"editable with Ctrl: copy", {3, 3}, MK_CONTROL, DROPEFFECT_COPY},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_grid.OnDragEnter(true, c.dwKeys, Centre(c.cell.row, c.cell.col)), c.expected) << c.name;
        EXPECT_EQ(m_grid.OnDragOver(true, c.dwKeys, Centre(c.cell.row, c.cell.col)), c.expected) << c.name;
        const bool bHighlit = (m_grid.GetItemState(c.cell.row, c.cell.col) & GIS_DROPHILITED) != 0;
        EXPECT_EQ(bHighlit, c.expected != DROPEFFECT_NONE) << c.name;
        const std::string text = "dropped";
        EXPECT_EQ(m_grid.OnDrop(&text, c.expected, Centre(c.cell.row, c.cell.col)),
                  c.expected != DROPEFFECT_NONE)
            << c.name;
        EXPECT_EQ(m_grid.GetItemState(c.cell.row, c.cell.col) & GIS_DROPHILITED, 0u) << c.name;
    }
    EXPECT_EQ(m_grid.GetItemText(2, 2), "r2c2");
    EXPECT_EQ(m_grid.GetItemText(3, 3), "dropped");
    EXPECT_EQ(m_grid.OnDragEnter(false, 0, Centre(3, 3)), DROPEFFECT_NONE);
}

TEST_F(GridClipboard, DropOverReadOnlyCellAfterAnEditableOneIsRefused) {
    m_grid.SetDragAndDrop(true);
    m_grid.SetItemState(2, 2, m_grid.GetItemState(2, 2) | GIS_READONLY);
    m_grid.OnDragEnter(true, 0, Centre(2, 1));
    m_grid.OnDragOver(true, 0, Centre(2, 2));
    const std::string text = "x";
    EXPECT_FALSE(m_grid.OnDrop(&text, DROPEFFECT_MOVE, Centre(2, 2)));
    EXPECT_EQ(Row(2), "r2c1|r2c2|r2c3|r2c4");
    EXPECT_EQ(m_grid.GetItemState(2, 1) & GIS_DROPHILITED, 0u);
}

// The move's cut runs only while the source still has its selection: a drop into the
// same grid has emptied it, so the dragged cells keep their texts.
TEST_F(GridClipboard, DragMovesClearTheSourceOnlyWhenItKeptItsSelection) {
    m_grid.SetDragAndDrop(true);
    struct Case {
        const char* name;
        bool bDropHere;
        std::uint32_t nEffect;
        const char* row1;
    };
    const Case cases[] = {
        {"moved to another program", false, DROPEFFECT_MOVE, "||r1c3|r1c4"},
        {"copied to another program", false, DROPEFFECT_COPY, "r1c1|r1c2|r1c3|r1c4"},
        {"moved inside the grid", true, DROPEFFECT_MOVE, "r1c1|r1c2|r1c3|r1c4"},
    };
    for (const Case& c : cases) {
        SetUp();
        m_host.m_nEffect = c.nEffect;
        m_grid.SetSelectedRange(1, 1, 1, 2);
        m_grid.SetFocusCell(1, 1);
        m_host.m_onDrag = nullptr;
        if (c.bDropHere) {
            m_host.m_onDrag = [this](const std::string& text) {
                m_grid.OnDragEnter(true, 0, Centre(4, 3));
                EXPECT_TRUE(m_grid.OnDrop(&text, DROPEFFECT_MOVE, Centre(4, 3)));
                EXPECT_EQ(Row(4), "r4c1|r4c2|r1c1|r1c2");
            };
        }
        m_grid.OnLButtonDown(MK_LBUTTON, Centre(1, 2));
        EXPECT_EQ(m_grid.GetMouseMode(), MOUSE_PREPARE_DRAG) << c.name;
        m_grid.OnMouseMove(MK_LBUTTON, Centre(2, 2));
        EXPECT_EQ(m_grid.GetMouseMode(), MOUSE_NOTHING) << c.name;
        EXPECT_FALSE(m_host.HasCapture()) << c.name;
        ASSERT_FALSE(m_host.m_dragged.empty()) << c.name;
        EXPECT_EQ(m_host.m_nAllowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        EXPECT_EQ(Row(1), c.row1) << c.name;
        m_host.m_dragged.clear();
    }
}

TEST_F(GridClipboard, DragNearAnEdgeScrolls) {
    m_grid.SetRowCount(60);
    m_host.m_client = CRect(0, 0, 200, 120);
    m_grid.ResetScrollBars();
    EXPECT_FALSE(m_grid.OnDragScroll(CPoint(100, 60)));
    EXPECT_TRUE(m_grid.OnDragScroll(CPoint(100, m_host.GetClientRect().bottom - 2)));
    EXPECT_GT(m_grid.GetScrollPosition(SB_VERT), 0);
    EXPECT_TRUE(m_grid.OnDragScroll(CPoint(100, 22)));
    EXPECT_EQ(m_grid.GetScrollPosition(SB_VERT), 0);
}

}  // namespace
