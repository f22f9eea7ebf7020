// The in-place text editor over a real widget: how the first key places the caret,
// which keys end the edit, growth, focus loss, the one report per edit and the
// editor freeing itself.
#include <QPointer>

#include <gtest/gtest.h>

#include "grid/GridCellLitle.h"
#include "grid/qt/InPlaceEdit.h"
#include "platform/TextFormat.h"
#include "platform/WindowInput.h"
#include "platform/qt/Cp1252.h"
#include "tests/gridqt/EditorTestSupport.h"

namespace {

struct SStart {
    const char* pszName;
    std::uint32_t nFirstChar;
    const char* pszText;  // shown after the start (UTF-8)
    int nCursor;          // caret position
    bool bAllSelected;
};

const SStart kStarts[] = {
    {"digit replaces", '7', "7", 1, false},
    {"Backspace deletes the last", VK_BACK, "12", 2, false},
    {"click keeps, caret at end", VK_LBUTTON, "123", 3, false},
    {"Enter keeps", VK_RETURN, "123", 3, false},
    {"Tab keeps all selected", VK_TAB, "123", 3, true},
    {"space types nothing", VK_SPACE, "123", 3, true},
    {"Down keeps", VK_DOWN, "123", 3, true},
    {"Windows-1252 byte", 0xE9, "\xC3\xA9", 1, false},
    {"code point above Latin-1", 0x20AC, "\xE2\x82\xAC", 1, false},
};

TEST(InPlaceEditTest, FirstKeyPlacesCaret) {
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
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool bEnds;
    std::uint32_t nLastKey;
};

const SEnding kEndings[] = {
    {"click start: Left moves the caret", VK_LBUTTON, Qt::Key_Left, Qt::NoModifier, false, 0},
    {"F2 start: Ctrl+Left ends", VK_LBUTTON, Qt::Key_Left, Qt::ControlModifier, true, VK_LEFT},
    {"key start: Left ends at once", '7', Qt::Key_Left, Qt::NoModifier, true, VK_LEFT},
    {"key start: Page Down ends", '7', Qt::Key_PageDown, Qt::NoModifier, true, VK_NEXT},
    {"key start: Home stays", '7', Qt::Key_Home, Qt::NoModifier, false, 0},
    {"Tab", VK_LBUTTON, Qt::Key_Tab, Qt::NoModifier, true, VK_TAB},
    {"Enter", VK_LBUTTON, Qt::Key_Return, Qt::NoModifier, true, VK_RETURN},
};

TEST(InPlaceEditTest, KeysThatEndTheEdit) {
    for (const SEnding& ending : kEndings) {
        SCOPED_TRACE(ending.pszName);
        CEditorWindow window;
        window.StartEdit(2, 2, "123", ending.nFirstChar);
        QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
        ASSERT_NE(pEdit, nullptr);
        QTest::keyClick(pEdit, ending.key, ending.modifiers);
        if (!ending.bEnds) {
            EXPECT_TRUE(window.m_grid.m_ends.empty());
            EXPECT_TRUE(pEdit->isVisible());
            continue;
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(pEdit->GetLastKey(), ending.nLastKey);
        EXPECT_EQ(window.m_grid.m_ends[0].nRow, 2);
        EXPECT_EQ(window.m_grid.m_ends[0].nCol, 2);
        // Tab and the arrows carry the edit on to the next cell.
        const bool bCarriesOn = ending.nLastKey != VK_RETURN;
        EXPECT_EQ(window.m_grid.m_starts.back() == ending.nLastKey, bCarriesOn);
        CEditorWindow::FreeClosed();
        EXPECT_TRUE(pEdit.isNull());
    }
}

TEST(InPlaceEditTest, EscapeReportsTheInitialText) {
    CEditorWindow window;
    window.StartEdit(1, 1, "123", '4');
    QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
    QTest::keyClicks(pEdit, "56");
    QTest::keyClick(pEdit, Qt::Key_Escape);
    ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
    EXPECT_EQ(window.m_grid.m_ends[0].strText, "123");
    EXPECT_EQ(pEdit->GetLastKey(), VK_ESCAPE);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "123");
}

TEST(InPlaceEditTest, FocusLossEndsWithoutKey) {
    CEditorWindow window;
    window.StartEdit(1, 1, "123", '9');
    QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
    window.m_pOther->setFocus();
    ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
    EXPECT_EQ(pEdit->GetLastKey(), 0u);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "9");
    EXPECT_FALSE(window.m_grid.IsItemEditing(1, 1));
}

TEST(InPlaceEditTest, OneReportEvenWhenEndedAgainFromTheReport) {
    CEditorWindow window;
    window.m_grid.m_bEndAgain = true;
    window.StartEdit(1, 1, "123", '9');
    QPointer<CInPlaceEdit> pEdit = window.Editor<CInPlaceEdit>();
    pEdit->EndEdit();
    pEdit->EndEdit();
    QTest::keyClick(window.m_pOther, Qt::Key_A);
    EXPECT_EQ(window.m_grid.m_ends.size(), 1u);
    CEditorWindow::FreeClosed();
    EXPECT_TRUE(pEdit.isNull());
}

TEST(InPlaceEditTest, GrowsToTheClientEdgeAndNeverShrinks) {
    CEditorWindow window;
    window.StartEdit(1, 2, "", VK_LBUTTON);  // column 2 starts at x = 140
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
    EXPECT_EQ(pEdit->geometry().right() + 1, window.m_host.GetClientRect().right);
}

TEST(InPlaceEditTest, TextBeyondWindows1252BecomesQuestionMarks) {
    CEditorWindow window;
    window.StartEdit(1, 1, "", VK_LBUTTON);
    CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
    pEdit->insert(QString::fromUtf8("\xE2\x82\xAC \xC3\xA9 \xD0\x96 \xF0\x9F\x98\x80"));  // € é Ж 😀
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "\x80 \xE9 ? ?");
    EXPECT_EQ(DecodeWindows1252("\x80 \xE9 ? ?"), QString::fromUtf8("\xE2\x82\xAC \xC3\xA9 ? ?"));
}

// The window going with an editor open frees the editor once, and its cell forgets it.
TEST(InPlaceEditTest, WindowGoingWithAnOpenEditor) {
    auto pWindow = std::make_unique<CEditorWindow>();
    pWindow->StartEdit(1, 1, "123", VK_LBUTTON);
    CRecordingGrid& grid = pWindow->m_grid;
    ASSERT_TRUE(grid.IsItemEditing(1, 1));
    grid.Create(nullptr);  // as the grid widget does first when it goes
    delete pWindow->m_pGridWidget;
    EXPECT_FALSE(grid.IsItemEditing(1, 1));
    grid.EndEditing();
    EXPECT_TRUE(grid.m_ends.empty());
}

TEST(InPlaceEditTest, LightCellEditsWithItsColumnCellsAlignment) {
    CEditorWindow window(true);
    window.m_grid.GetCell(-1, 2)->SetFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    ASSERT_NE(dynamic_cast<CGridCellLitle*>(window.m_grid.GetCell(3, 2)), nullptr);
    window.StartEdit(3, 2, "42", VK_LBUTTON);
    CInPlaceEdit* pEdit = window.Editor<CInPlaceEdit>();
    ASSERT_NE(pEdit, nullptr);
    EXPECT_TRUE(pEdit->alignment() & Qt::AlignRight);
    QTest::keyClicks(pEdit, "7");
    QTest::keyClick(pEdit, Qt::Key_Return);
    EXPECT_EQ(window.m_grid.GetItemText(3, 2), "427");
    EXPECT_FALSE(window.m_grid.IsItemEditing(3, 2));
}

}  // namespace
