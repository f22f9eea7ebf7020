// The in-place editors in the grid window: the first key, the keys that end an edit,
// growth, one report per edit, edits ended before rows and columns move, the option
// list choosing by keys, the grid's font and long texts.
#include <gtest/gtest.h>

#include <functional>

#include "GridTestWindow.h"
#include "grid/win32/InPlaceEdit.h"
#include "platform/win32/WideCp1252.h"

namespace {

CInPlaceEdit* OpenEdit(const CGridTestWindow& window) {
    CInPlaceEdit* pEdit = CInPlaceEdit::FromHandle(GetFocus());
    return pEdit != nullptr && GetParent(pEdit->GetHwnd()) == window.m_hGrid ? pEdit : nullptr;
}

std::wstring TextOf(HWND hWnd) {
    wchar_t szText[256] = {};
    GetWindowTextW(hWnd, szText, 256);
    return szText;
}

std::pair<int, int> Selection(HWND hEdit) {
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<SysLPARAM>(&dwEnd));
    return {static_cast<int>(dwStart), static_cast<int>(dwEnd)};
}

void Type(HWND hWnd, const wchar_t* pszText) {
    for (; *pszText != 0; ++pszText) {
        CGridTestWindow::Char(hWnd, *pszText);
    }
}

TEST(InPlaceEditTest, FirstKeyPlacesTheCaret) {
    const struct {
        const char* pszName;
        std::uint32_t nFirstChar;
        const wchar_t* pszText;
        std::pair<int, int> selection;
    } kStarts[] = {
        {"digit replaces", '7', L"7", {1, 1}},
        {"Backspace takes the last", VK_BACK, L"12", {2, 2}},
        {"click keeps", VK_LBUTTON, L"123", {3, 3}},
        {"Enter keeps", VK_RETURN, L"123", {3, 3}},
        {"Tab keeps, all selected", VK_TAB, L"123", {0, 3}},
        {"space types nothing", VK_SPACE, L"123", {0, 3}},
        {"Windows-1252 byte", 0x80, L"\u20AC", {1, 1}},
    };
    for (const auto& start : kStarts) {
        SCOPED_TRACE(start.pszName);
        CGridTestWindow window;
        window.StartEdit(1, 1, "123", start.nFirstChar);
        CInPlaceEdit* pEdit = OpenEdit(window);
        ASSERT_NE(pEdit, nullptr);
        EXPECT_EQ(TextOf(pEdit->GetHwnd()), start.pszText);
        EXPECT_EQ(Selection(pEdit->GetHwnd()), start.selection);
    }
}

// Started by a character typed on the grid, ended by Enter (the text goes in) or by
// Escape (the text before the edit stays), in Windows-1252.
TEST(InPlaceEditTest, ACharacterStartsTheEditEnterAndEscapeEndIt) {
    for (const wchar_t chEnd : {L'\r', L'\x1B'}) {
        CGridTestWindow window;
        window.m_grid.SetItemText(2, 2, "old");
        window.m_grid.SetFocusCell(2, 2);
        CGridTestWindow::Char(window.m_hGrid, L'\u00E9');
        CInPlaceEdit* pEdit = OpenEdit(window);
        ASSERT_NE(pEdit, nullptr);
        Type(pEdit->GetHwnd(), L"t\u20AC");
        CGridTestWindow::Char(pEdit->GetHwnd(), chEnd);
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), chEnd == L'\r' ? "\xE9t\x80" : "old");
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(OpenEdit(window), nullptr) << "the editor is gone";
        EXPECT_EQ(GetFocus(), window.m_hGrid);
        EXPECT_FALSE(window.m_grid.IsItemEditing(2, 2));
    }
}

// AltGr holds Ctrl and Alt: the character it types starts an edit, and AltGr with X is
// no Cut; Ctrl alone is a shortcut and types nothing.
TEST(InPlaceEditTest, AltGrTypesWhereCtrlIsAShortcut) {
    for (const bool bAlt : {true, false}) {
        SCOPED_TRACE(bAlt ? "AltGr" : "Ctrl");
        CGridTestWindow window;
        window.m_grid.SetItemText(2, 2, "x");
        window.m_grid.SetFocusCell(2, 2);
        window.m_grid.SetSelectedRange(2, 2, 2, 2);
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_MENU] = bAlt ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(window.m_hGrid, WM_KEYDOWN, 'X', 1);
        CGridTestWindow::Char(window.m_hGrid, L'@');
        state[VK_CONTROL] = 0;
        state[VK_MENU] = 0;
        SetKeyboardState(state);
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), bAlt ? "x" : "");
        CInPlaceEdit* pEdit = OpenEdit(window);
        ASSERT_EQ(pEdit != nullptr, bAlt);
        if (pEdit != nullptr) {
            EXPECT_EQ(TextOf(pEdit->GetHwnd()), L"@");
        }
    }
}

// Tab and the arrow and page keys carry the edit on to the next cell.
TEST(InPlaceEditTest, KeysThatEndTheEdit) {
    const struct {
        const char* pszName;
        std::uint32_t nFirstChar;
        const wchar_t* pszTyped;
        UINT nKey;  // a key down, or a character for Tab, Enter and Escape
        bool bCtrl;
        std::size_t nEnds;
        const char* pszReported;
        bool bCarriesOn;
    } kEndings[] = {
        {"F2 start: Left moves the caret", VK_LBUTTON, L"", VK_LEFT, false, 0, "", false},
        {"F2 start: Ctrl+Left ends", VK_LBUTTON, L"", VK_LEFT, true, 1, "123", true},
        {"key start: Left ends", '7', L"", VK_LEFT, false, 1, "7", true},
        {"key start: Page Down ends", '7', L"", VK_NEXT, false, 1, "7", true},
        {"key start: Home stays", '7', L"", VK_HOME, false, 0, "", false},
        {"Tab", VK_LBUTTON, L"4", VK_TAB, false, 1, "1234", true},
        {"Enter", VK_LBUTTON, L"4", VK_RETURN, false, 1, "1234", false},
        {"Escape: the initial text", '4', L"56", VK_ESCAPE, false, 1, "123", false},
    };
    for (const auto& ending : kEndings) {
        SCOPED_TRACE(ending.pszName);
        CGridTestWindow window;
        window.StartEdit(2, 2, "123", ending.nFirstChar);
        CInPlaceEdit* pEdit = OpenEdit(window);
        ASSERT_NE(pEdit, nullptr);
        const HWND hEdit = pEdit->GetHwnd();
        Type(hEdit, ending.pszTyped);
        if (ending.nKey == VK_TAB || ending.nKey == VK_RETURN || ending.nKey == VK_ESCAPE) {
            CGridTestWindow::Char(hEdit, static_cast<wchar_t>(ending.nKey));
        } else {
            CGridTestWindow::Key(hEdit, ending.nKey, false, ending.bCtrl);
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), ending.nEnds);
        if (ending.nEnds == 0) {
            continue;
        }
        EXPECT_FALSE(IsWindow(hEdit));
        EXPECT_EQ(window.m_grid.m_ends[0].strText, ending.pszReported);
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), ending.pszReported);
        EXPECT_EQ(window.m_grid.m_starts.size(), ending.bCarriesOn ? 2u : 1u);
        EXPECT_EQ(OpenEdit(window) != nullptr, ending.bCarriesOn);
    }
}

// Focus loss ends without a key; ending again and the focus loss that follows report
// nothing more.
TEST(InPlaceEditTest, OneReportPerEdit) {
    CGridTestWindow window;
    window.StartEdit(1, 1, "123", '9');
    CInPlaceEdit* pEdit = OpenEdit(window);
    ASSERT_NE(pEdit, nullptr);
    const HWND hEdit = pEdit->GetHwnd();
    SetFocus(window.m_hOther);
    EXPECT_FALSE(IsWindow(hEdit));
    window.m_grid.EndEditing();
    ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
    EXPECT_EQ(window.m_grid.GetItemText(1, 1), "9");
    EXPECT_FALSE(window.m_grid.IsItemEditing(1, 1));
}

// Rows or columns changing under an open edit end it first, as a focus loss would: the
// text reaches the cell it was typed into, wherever that cell moves.
TEST(InPlaceEditTest, ChangesOfRowsAndColumnsEndTheEditFirst) {
    const struct {
        const char* pszName;
        std::function<void(CGridCtrl&)> change;
        int nRow;  // where the edited text ends up; -1: its cell went
        int nCol;
    } kChanges[] = {
        {"row inserted above", [](CGridCtrl& grid) { grid.InsertRow("", 2); }, 6, 1},
        {"column deleted left", [](CGridCtrl& grid) { grid.DeleteColumn(0); }, 5, 0},
        {"sorted", [](CGridCtrl& grid) { grid.SortItems(1, false); }, 1, 1},
        {"row count cut", [](CGridCtrl& grid) { grid.SetRowCount(3); }, -1, -1},
    };
    for (const auto& change : kChanges) {
        SCOPED_TRACE(change.pszName);
        CGridTestWindow window;
        window.StartEdit(5, 1, "old", '9');
        ASSERT_NE(OpenEdit(window), nullptr);
        change.change(window.m_grid);
        EXPECT_EQ(OpenEdit(window), nullptr);
        EXPECT_EQ(window.m_grid.m_ends.size(), 1u);
        if (change.nRow >= 0) {
            EXPECT_EQ(window.m_grid.GetItemText(change.nRow, change.nCol), "9");
        }
        for (int nRow = 0; nRow < window.m_grid.GetRowCount(); ++nRow) {
            EXPECT_FALSE(window.m_grid.IsItemEditing(nRow, 1)) << nRow;
        }
    }
}

TEST(InPlaceEditTest, GrowsToTheClientEdgeAndNeverShrinks) {
    CGridTestWindow window;
    for (int nCol = 0; nCol < 4; ++nCol) {
        window.m_grid.SetColumnWidth(nCol, 70);
    }
    window.StartEdit(1, 2, "", VK_LBUTTON);
    CInPlaceEdit* pEdit = OpenEdit(window);
    ASSERT_NE(pEdit, nullptr);
    const int nStartWidth = pEdit->GetRect().Width();
    Type(pEdit->GetHwnd(), L"abcdefghijklmn");
    const int nGrown = pEdit->GetRect().Width();
    EXPECT_GT(nGrown, nStartWidth);
    CGridTestWindow::Char(pEdit->GetHwnd(), L'\b');
    EXPECT_EQ(pEdit->GetRect().Width(), nGrown);
    Type(pEdit->GetHwnd(), std::wstring(60, L'w').c_str());
    EXPECT_EQ(pEdit->GetRect().left, 140);
    EXPECT_EQ(pEdit->GetRect().right, window.m_pWnd->GetClientRect().right);
    RECT rc{};
    GetWindowRect(pEdit->GetHwnd(), &rc);
    EXPECT_EQ(rc.right - rc.left, pEdit->GetRect().Width());
}

// Both editors show in the grid's font (its SetFont, not the dialog's); they hold a
// text past an edit control's default limit, even on Escape.
TEST(InPlaceEditTest, EditorsTakeTheGridsFontAndLongTexts) {
    const std::string strLong = std::string(40000, 'x') + "end";
    LOGFONT lf;
    lf.lfHeight = -23;
    SetFaceName(lf, "Arial");
    for (const bool bCombo : {false, true}) {
        SCOPED_TRACE(bCombo ? "option field" : "editor");
        CGridTestWindow window;
        window.m_grid.SetFont(&lf);
        if (bCombo) {
            window.MakeCombo(1, 1, {"No", "Yes"}, CBS_DROPDOWN);
        }
        window.StartEdit(1, 1, strLong, VK_LBUTTON);
        const HWND hEditor = GetFocus();
        LOGFONTW lfw{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hEditor, WM_GETFONT, 0, 0)), sizeof(lfw), &lfw);
        EXPECT_EQ(lfw.lfHeight, MulDiv(-23, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96));
        Type(hEditor, L"more");
        CGridTestWindow::Char(hEditor, L'\x1B');
        CGridTestWindow::Pump();
        EXPECT_EQ(window.m_grid.GetItemText(1, 1), strLong);
    }
}

// A window that goes with an editor open frees it, and its cell forgets it; the grid
// hears nothing from a window it no longer has.
TEST(InPlaceEditTest, WindowGoesWithAnOpenEditor) {
    CGridTestWindow window;
    const RECT rect = {0, 0, 200, 150};
    CGridWnd* pOwn = CGridWnd::Create(window.m_hDlg, rect, 1100);
    ASSERT_NE(pOwn, nullptr);
    CRecordingGrid grid;
    pOwn->Attach(grid);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFocusCell(1, 1);
    grid.OnEditCell(1, 1, CPoint(-1, -1), VK_LBUTTON);
    ASSERT_TRUE(grid.IsItemEditing(1, 1));
    DestroyWindow(pOwn->GetHwnd());
    EXPECT_FALSE(grid.IsItemEditing(1, 1));
    EXPECT_EQ(grid.GetWindowHost(), nullptr);
    EXPECT_TRUE(grid.m_ends.empty());
}

}  // namespace
