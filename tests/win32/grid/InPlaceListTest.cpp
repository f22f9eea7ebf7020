// The option list of a combo cell in the grid window: choosing by keys, the ways out,
// the starting text and key, one list per cell, the dropped width.
#include <gtest/gtest.h>

#include "GridTestWindow.h"
#include "grid/win32/InPlaceList.h"

namespace {

// The list whose box or field has the focus.
CInPlaceList* OpenList() {
    const HWND hFocus = GetFocus();
    CInPlaceList* pList = CInPlaceList::FromHandle(hFocus);
    return pList != nullptr ? pList : CInPlaceList::FromHandle(GetParent(hFocus));
}

bool IsDropped(const CInPlaceList* pList) {
    return SendMessageW(pList->GetHwnd(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

// Every way out reports once; no key at all means the focus went elsewhere.
TEST(InPlaceListTest, EndsReportTheChosenText) {
    const struct {
        const char* pszName;
        std::uint32_t dwStyle;
        std::vector<UINT> keys;  // key downs
        const wchar_t* pszTyped;
        UINT nEnd;  // the character that ends it; 0: Ctrl+Down; 1: focus elsewhere
        const char* pszText;
        std::uint32_t nLastKey;
    } kEnds[] = {
        {"list: Down then Enter chooses Yes", CBS_DROPDOWNLIST, {VK_DOWN}, L"", VK_RETURN, "Yes", VK_RETURN},
        {"list: Tab", CBS_DROPDOWNLIST, {VK_DOWN}, L"", VK_TAB, "Yes", VK_TAB},
        {"list: Escape goes back", CBS_DROPDOWNLIST, {VK_DOWN}, L"", VK_ESCAPE, "No", VK_ESCAPE},
        {"list: focus loss", CBS_DROPDOWNLIST, {}, L"", 1, "No", 0},
        {"list: Ctrl+Down", CBS_DROPDOWNLIST, {}, L"", 0, "No", VK_DOWN},
        {"field: typing, then Escape", CBS_DROPDOWN, {}, L"x", VK_ESCAPE, "No", VK_ESCAPE},
        {"field: typing, then Enter", CBS_DROPDOWN, {}, L"x", VK_RETURN, "Nox", VK_RETURN},
    };
    for (const auto& end : kEnds) {
        SCOPED_TRACE(end.pszName);
        CGridTestWindow window;
        window.MakeCombo(2, 2, {"No", "Yes"}, end.dwStyle);
        window.StartEdit(2, 2, "No", VK_LBUTTON);
        CInPlaceList* pList = OpenList();
        ASSERT_NE(pList, nullptr);
        EXPECT_TRUE(IsDropped(pList));
        const HWND hFocus = GetFocus();
        for (const UINT nKey : end.keys) {
            CGridTestWindow::Key(hFocus, nKey);
        }
        for (const wchar_t* pch = end.pszTyped; *pch != 0; ++pch) {
            CGridTestWindow::Char(hFocus, *pch);
        }
        if (end.nEnd == 0) {
            CGridTestWindow::Key(hFocus, VK_DOWN, false, true);
        } else if (end.nEnd == 1) {
            SetFocus(window.m_hOther);
        } else {
            CGridTestWindow::Char(hFocus, static_cast<wchar_t>(end.nEnd));
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(window.m_grid.m_ends[0].strText, end.pszText);
        EXPECT_EQ(pList->GetLastKey(), end.nLastKey);
        const HWND hList = pList->GetHwnd();
        CGridTestWindow::Pump();
        EXPECT_FALSE(IsWindow(hList)) << "closed and freed";
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), end.pszText);
    }
}

TEST(InPlaceListTest, StartingTextAndKey) {
    CGridTestWindow window;
    window.MakeCombo(2, 2, {"No", "Yes"}, CBS_DROPDOWN);
    window.StartEdit(2, 2, "Ye", VK_LBUTTON);  // no option, though the start of one
    EXPECT_EQ(SendMessageW(OpenList()->GetHwnd(), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(OpenList()->GetText(), "Ye");
    window.MakeCombo(3, 2, {"No", "Yes"}, CBS_DROPDOWN);
    window.StartEdit(3, 2, "Yes", 'N');  // a letter replaces the text
    EXPECT_EQ(OpenList()->GetText(), "N");
    window.MakeCombo(4, 2, {"no", "No"}, CBS_DROPDOWNLIST);
    window.StartEdit(4, 2, "No", 'q');  // a list only: the option, byte for byte; the key unused
    EXPECT_EQ(OpenList()->GetText(), "No");
}

// A second character reaching the grid before the list took the keyboard goes to the
// open list (a list only chooses by it): one list per cell.
TEST(InPlaceListTest, TwoCharactersOpenOneList) {
    for (const auto& [dwStyle, pszText] :
         {std::pair{CBS_DROPDOWN, "xy"}, std::pair{CBS_DROPDOWNLIST, "Yes"}}) {
        SCOPED_TRACE(dwStyle);
        CGridTestWindow window;
        window.MakeCombo(2, 2, {"No", "Yes"}, dwStyle);
        window.m_grid.SetItemText(2, 2, "No");
        window.m_grid.SetFocusCell(2, 2);
        CGridTestWindow::Char(window.m_hGrid, L'x');
        CGridTestWindow::Char(window.m_hGrid, L'y');
        int nLists = 0;
        for (HWND hChild = GetWindow(window.m_hGrid, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            nLists += CInPlaceList::FromHandle(hChild) != nullptr ? 1 : 0;
        }
        EXPECT_EQ(nLists, 1);
        EXPECT_EQ(OpenList()->GetText(), pszText);
    }
}

TEST(InPlaceListTest, DroppedWidthIsCappedAt200) {
    CGridTestWindow window;
    window.MakeCombo(2, 2, {"No", std::string(80, 'W')}, CBS_DROPDOWNLIST);
    window.StartEdit(2, 2, "No", VK_LBUTTON);
    CInPlaceList* pList = OpenList();
    EXPECT_EQ(pList->GetDroppedWidth(), CInPlaceList::kMaxDropWidth);
    EXPECT_EQ(SendMessageW(pList->GetHwnd(), CB_GETDROPPEDWIDTH, 0, 0), CInPlaceList::kMaxDropWidth);
    window.MakeCombo(3, 2, {"No", "Yes"}, CBS_DROPDOWNLIST);
    window.StartEdit(3, 2, "No", VK_LBUTTON);
    EXPECT_LT(OpenList()->GetDroppedWidth(), CInPlaceList::kMaxDropWidth);
    EXPECT_GT(OpenList()->GetDroppedWidth(), GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace

namespace {

// As typed in the dialog (its own key handling first): F2 opens the list, Down moves to
// "Yes", Enter (or Tab, which goes on to the next cell) takes it.
TEST(InPlaceListTest, KeysTypedInTheDialogChooseYes) {
    for (const auto& [dwStyle, nEndKey, focus] : {std::tuple{CBS_DROPDOWNLIST, VK_RETURN, CCellID(2, 2)},
                                                  std::tuple{CBS_DROPDOWN, VK_TAB, CCellID(2, 3)}}) {
        SCOPED_TRACE(dwStyle);
        CGridTestWindow window;
        window.MakeCombo(2, 2, {"No", "Yes"}, dwStyle);
        window.m_grid.SetItemText(2, 2, "No");
        window.m_grid.SetFocusCell(2, 2);
        for (const UINT nKey :
             {static_cast<UINT>(VK_F2), static_cast<UINT>(VK_DOWN), static_cast<UINT>(nEndKey)}) {
            window.DialogKey(nKey);
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(window.m_grid.GetItemText(2, 2), "Yes");
        EXPECT_EQ(window.m_grid.GetFocusCell(), focus);
    }
}

}  // namespace
