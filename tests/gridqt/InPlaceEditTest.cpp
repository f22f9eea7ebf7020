// The in-place text editor in the grid's window: the first key, the keys that end
// the edit, growth, focus loss, one report per edit and the editor freeing itself.
#include <QPointer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "grid/GridCellLitle.h"
#include "grid/qt/InPlaceEdit.h"
#include "grid/qt/InPlaceList.h"
#include "grid/qt/TitleTip.h"
#include "platform/TextFormat.h"
#include "platform/WindowInput.h"
#include "tests/gridqt/EditorTestSupport.h"

namespace {

struct SStart {
    const char* pszName;
    std::uint32_t nFirstChar;
    const char* pszText;  // UTF-8
    int nCursor;
    bool bAllSelected;
};

TEST(InPlaceEditTest, FirstKeyPlacesTheCaret) {
    const SStart kStarts[] = {
        {"digit replaces", '7', "7", 1, false},
        {"Backspace takes the last", VK_BACK, "12", 2, false},
        {"click keeps", VK_LBUTTON, "123", 3, false},
        {"Enter keeps", VK_RETURN, "123", 3, false},
        {"Tab keeps, all selected", VK_TAB, "123", 3, true},
        {"space types nothing", VK_SPACE, "123", 3, true},
        {"Windows-1252 byte", 0x80, "\xE2\x82\xAC", 1, false},
        {"code point", 0x416, "\xD0\x96", 1, false},
    };
    for (const SStart& start : kStarts) {
        SCOPED_TRACE(start.pszName);
        CEditorWindow window;
        window.StartEdit(1, 1, "123", start.nFirstChar);
        CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
        ASSERT_NE(pEdit, nullptr);
        EXPECT_TRUE(pEdit->hasFocus());
        EXPECT_EQ(pEdit->text(), QString::fromUtf8(start.pszText));
        EXPECT_EQ(pEdit->cursorPosition(), start.nCursor);
        EXPECT_EQ(pEdit->selectedText() == pEdit->text(), start.bAllSelected);
    }
}

struct SEnding {
    const char* pszName;
    std::uint32_t nFirstChar;
    const char* pszTyped;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int nEnds;
    std::uint32_t nLastKey;
    const char* pszReported;
};

// Tab and the arrow and page keys carry the edit on to the next cell.
TEST(InPlaceEditTest, KeysThatEndTheEdit) {
    const SEnding kEndings[] = {
        {"F2 start: Left moves the caret", VK_LBUTTON, "", Qt::Key_Left, Qt::NoModifier, 0, 0, ""},
        {"F2 start: Ctrl+Left ends", VK_LBUTTON, "", Qt::Key_Left, Qt::ControlModifier, 1, VK_LEFT, "123"},
        {"key start: Left ends", '7', "", Qt::Key_Left, Qt::NoModifier, 1, VK_LEFT, "7"},
        {"key start: Page Down ends", '7', "", Qt::Key_PageDown, Qt::NoModifier, 1, VK_NEXT, "7"},
        {"key start: Home stays", '7', "", Qt::Key_Home, Qt::NoModifier, 0, 0, ""},
        {"Tab", VK_LBUTTON, "4", Qt::Key_Tab, Qt::NoModifier, 1, VK_TAB, "1234"},
        {"Enter", VK_LBUTTON, "4", Qt::Key_Return, Qt::NoModifier, 1, VK_RETURN, "1234"},
        {"Escape: the initial text", '4', "56", Qt::Key_Escape, Qt::NoModifier, 1, VK_ESCAPE, "123"},
    };
    for (const SEnding& ending : kEndings) {
        SCOPED_TRACE(ending.pszName);
        CEditorWindow window;
        window.StartEdit(2, 2, "123", ending.nFirstChar);
        QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
        QTest::keyClicks(pEdit, ending.pszTyped);
        QTest::keyClick(pEdit, ending.key, ending.modifiers);
        ASSERT_EQ(static_cast<int>(window.m_grid.m_ends.size()), ending.nEnds);
        if (ending.nEnds == 0) {
            continue;
        }
        EXPECT_EQ(pEdit->GetLastKey(), ending.nLastKey);
        EXPECT_EQ(window.m_grid.m_ends[0].strText, ending.pszReported);
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), ending.pszReported);
        const bool bCarriesOn = ending.nLastKey != VK_RETURN && ending.nLastKey != VK_ESCAPE;
        EXPECT_EQ(window.m_grid.m_starts.back() == ending.nLastKey, bCarriesOn);
        CEditorWindow::FreeClosed();
        EXPECT_TRUE(pEdit.isNull());
    }
}

// Focus loss ends without a key; ending again, even from inside the report, and the
// focus loss that follows report nothing more.
TEST(InPlaceEditTest, OneReportPerEdit) {
    CEditorWindow window;
    window.m_grid.m_bEndAgain = true;
    window.StartEdit(1, 1, "123", '9');
    QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
    window.m_pOther->setFocus();
    pEdit->EndEdit();
    ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
    EXPECT_EQ(pEdit->GetLastKey(), 0u);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "9");
    EXPECT_FALSE(window.m_grid.IsItemEditing(1, 1));
    CEditorWindow::FreeClosed();
    EXPECT_TRUE(pEdit.isNull());
}

struct SChange {
    const char* pszName;
    std::function<void(CGridCtrl&)> change;
    int nRow;  // where the edited text ends up; -1: its cell went
    int nCol;
};

// Rows or columns changing under an open edit end it first, as a focus loss would: the
// text reaches the cell it was typed into, wherever that cell moves, and no cell keeps
// the editor, which is freed.
TEST(InPlaceEditTest, ChangesOfRowsAndColumnsEndTheEditFirst) {
    const SChange kChanges[] = {
        {"row inserted above", [](CGridCtrl& grid) { grid.InsertRow("", 2); }, 6, 1},
        {"row appended below", [](CGridCtrl& grid) { grid.InsertRow(""); }, 5, 1},
        {"row deleted above", [](CGridCtrl& grid) { grid.DeleteRow(2); }, 4, 1},
        {"column inserted left", [](CGridCtrl& grid) { grid.InsertColumn("", 0, 1); }, 5, 2},
        {"column deleted left", [](CGridCtrl& grid) { grid.DeleteColumn(0); }, 5, 0},
        {"sorted", [](CGridCtrl& grid) { grid.SortItems(1, false); }, 1, 1},
        {"row count cut", [](CGridCtrl& grid) { grid.SetRowCount(3); }, -1, -1},
        {"loaded", [](CGridCtrl& grid) { grid.LoadGridText("a,b\n1,2\n", ','); }, -1, -1},
    };
    for (const SChange& change : kChanges) {
        SCOPED_TRACE(change.pszName);
        CEditorWindow window;
        window.StartEdit(5, 1, "old", '9');
        QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
        ASSERT_FALSE(pEdit.isNull());
        change.change(window.m_grid);
        window.m_pOther->setFocus();
        CEditorWindow::FreeClosed();
        EXPECT_TRUE(pEdit.isNull());
        CGridCtrl& grid = window.m_grid;
        int nTyped = 0;
        for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
            for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol) {
                EXPECT_FALSE(grid.IsItemEditing(nRow, nCol)) << nRow << "," << nCol;
                nTyped += grid.GetItemText(nRow, nCol) == "9" ? 1 : 0;
            }
        }
        EXPECT_EQ(nTyped, change.nRow >= 0 ? 1 : 0);
        if (change.nRow >= 0) {
            EXPECT_EQ(grid.GetItemText(change.nRow, change.nCol), "9");
        }
        grid.EndEditing();
        EXPECT_EQ(window.m_grid.m_ends.size(), 1u);
    }
}

TEST(InPlaceEditTest, GrowsToTheClientEdgeAndNeverShrinks) {
    CEditorWindow window;
    window.StartEdit(1, 2, "", VK_LBUTTON);
    CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
    const int nStartWidth = pEdit->width();
    QTest::keyClicks(pEdit, "abcdefghij");
    const int nGrown = pEdit->width();
    EXPECT_GT(nGrown, nStartWidth);
    EXPECT_GE(nGrown, pEdit->fontMetrics().horizontalAdvance(pEdit->text() + "  "));
    QTest::keyClick(pEdit, Qt::Key_Backspace);
    EXPECT_EQ(pEdit->width(), nGrown);
    QTest::keyClicks(pEdit, QString(60, QLatin1Char('w')));
    EXPECT_EQ(pEdit->geometry().left(), 140);
    EXPECT_EQ(pEdit->geometry().right() + 1, window.m_pGridWnd->GetClientRect().right);
}

TEST(InPlaceEditTest, TextBeyondWindows1252BecomesQuestionMarks) {
    CEditorWindow window;
    window.StartEdit(1, 1, "", VK_LBUTTON);
    CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
    pEdit->insert(QString::fromUtf8("\xE2\x82\xAC \xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80"));  // € é Ж 😀
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "\x80 \xE9 ? ?");
}

// Both editors and a tip show in the grid's font (its SetFont, not the widget's); the
// editors hold a text past a line edit's default limit of 32767 characters, even on
// Escape.
TEST(InPlaceEditTest, EditorsTakeTheGridsFontAndLongTexts) {
    const std::string strLong = std::string(40000, 'x') + "end";
    LOGFONT lf;
    lf.lfHeight = -23;
    for (const bool bCombo : {false, true}) {
        SCOPED_TRACE(bCombo ? "option field" : "editor");
        CEditorWindow window;
        window.m_grid.SetFont(&lf);
        if (bCombo) {
            window.MakeCombo(1, 1, {"No", "Yes"}, CBS_DROPDOWN);
        }
        window.StartEdit(1, 1, strLong, VK_LBUTTON);
        QWidget* pEditor = bCombo ? static_cast<QWidget*>(window.Editor<CInPlaceList>()->lineEdit())
                                  : window.Editor<CInPlaceEdit>();
        EXPECT_EQ(pEditor->font().pixelSize(), 23);
        window.m_pGridWnd->ShowTitleTip({0, 0, 9, 9}, "tip", 0, {}, nullptr, CLR_DEFAULT, CLR_DEFAULT);
        EXPECT_EQ(window.m_pGridWnd->findChild<CTitleTip*>()->GetTipFont().pixelSize(), 23);
        QTest::keyClick(pEditor, Qt::Key_Escape);
        EXPECT_EQ(window.m_grid.GetItemText(1, 1), strLong);
    }
}

// The window going with an editor open frees the editor, and its cell forgets it.
TEST(InPlaceEditTest, WindowGoesWithAnOpenEditor) {
    auto pWindow = std::make_unique<CEditorWindow>();
    pWindow->StartEdit(1, 1, "123", VK_LBUTTON);
    CRecordingGrid& grid = pWindow->m_grid;
    delete pWindow->m_pGridWnd;
    EXPECT_FALSE(grid.IsItemEditing(1, 1));
    grid.EndEditing();
    EXPECT_TRUE(grid.m_ends.empty());
}

TEST(InPlaceEditTest, LightCellTakesItsColumnCellsAlignment) {
    CEditorWindow window(true);
    window.m_grid.GetCell(-1, 2)->SetFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    ASSERT_NE(dynamic_cast<CGridCellLitle*>(window.m_grid.GetCell(3, 2)), nullptr);
    window.StartEdit(3, 2, "42", VK_LBUTTON);
    CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
    EXPECT_TRUE(pEdit->alignment() & Qt::AlignRight);
    QTest::keyClicks(pEdit, "7\r");
    EXPECT_EQ(window.m_grid.GetItemText(3, 2), "427");
    EXPECT_FALSE(window.m_grid.IsItemEditing(3, 2));
}

// Light cells remember their column: it follows column insertions and deletions, so
// they keep their own column cell's attributes.
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
