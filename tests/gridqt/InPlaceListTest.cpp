// Combo cells: the drop-down button in the drawing, and the option list with and
// without its edit field in the grid's window.
#include <QAbstractItemView>
#include <QPointer>

#include <gtest/gtest.h>

#include "grid/qt/InPlaceList.h"
#include "platform/SystemMetrics.h"
#include "platform/WindowInput.h"
#include "support/FakeDrawContext.h"
#include "tests/gridqt/EditorTestSupport.h"

namespace {

class CRecordingContext : public FakeDrawContext {
public:
    bool DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) override {
        m_buttons.push_back(rect);
        return nType == DFC_SCROLL && nState == DFCS_SCROLLDOWN;
    }
    std::vector<CRect> m_buttons;
};

TEST(GridCellComboTest, ButtonOnlyOnTheFocusedNonFixedCell) {
    const struct {
        const char* pszName;
        int nRow, nCol;
        bool bFocus;
        CRect rect;
        bool bButton;
    } kCases[] = {
        {"focused", 2, 2, true, {0, 0, 60, 20}, true},
        {"not focused", 2, 2, false, {0, 0, 60, 20}, false},
        {"fixed row", 0, 2, true, {0, 0, 60, 20}, false},
        {"fixed column", 2, 0, true, {0, 0, 60, 20}, false},
        {"as low as a scroll bar", 2, 2, true, {0, 0, 60, 17}, false},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.pszName);
        CGridCtrl grid(4, 4, 1, 1);
        grid.SetCellType(test.nRow, test.nCol, RUNTIME_CLASS(CGridCellCombo));
        grid.SetItemState(test.nRow, test.nCol,
                          grid.GetItemState(test.nRow, test.nCol) | (test.bFocus ? 1 : 0));
        CRecordingContext dc;
        grid.GetCell(test.nRow, test.nCol)->Draw(&dc, test.nRow, test.nCol, test.rect);
        const CRect button(test.rect.right - GetSystemMetrics(SM_CXVSCROLL), 0, test.rect.right,
                           GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_EQ(dc.m_buttons, test.bButton ? std::vector<CRect>{button} : std::vector<CRect>{});
    }
}

struct SListEnd {
    const char* pszName;
    std::uint32_t dwStyle;
    std::vector<Qt::Key> keys;  // into the dropped list while it is down, then the box
    const char* pszText;
    std::uint32_t nLastKey;
};

// Every way out reports once; no key at all means the focus went elsewhere.
TEST(InPlaceListTest, EndsReportTheChosenText) {
    const SListEnd kEnds[] = {
        {"list: Enter takes the option moved to",
         CBS_DROPDOWNLIST,
         {Qt::Key_Down, Qt::Key_Return},
         "Yes",
         VK_RETURN},
        {"list: Tab", CBS_DROPDOWNLIST, {Qt::Key_Down, Qt::Key_Tab}, "Yes", VK_TAB},
        {"list: focus loss", CBS_DROPDOWNLIST, {}, "No", 0},
        {"list: Ctrl+Down", CBS_DROPDOWNLIST, {Qt::Key_Down}, "Yes", VK_DOWN},
        {"field: typing, then Escape", CBS_DROPDOWN, {Qt::Key_X, Qt::Key_Escape}, "No", VK_ESCAPE},
        {"field: typing, then Enter", CBS_DROPDOWN, {Qt::Key_X, Qt::Key_Return}, "Nox", VK_RETURN},
    };
    for (const SListEnd& end : kEnds) {
        SCOPED_TRACE(end.pszName);
        CEditorWindow window;
        window.MakeCombo(2, 2, {"No", "Yes"}, end.dwStyle);
        window.StartEdit(2, 2, "No", VK_LBUTTON);
        QPointer<CInPlaceList> pList = window.Editor<CInPlaceList>();
        ASSERT_TRUE(pList->view()->isVisible());
        for (Qt::Key key : end.keys) {
            QTest::keyClick(pList->view()->isVisible() ? pList->view() : static_cast<QWidget*>(pList), key);
        }
        if (end.nLastKey == VK_DOWN) {
            pList->hidePopup();
            QTest::keyClick(pList, Qt::Key_Down, Qt::ControlModifier);
        } else if (end.nLastKey == 0) {
            pList->hidePopup();
            window.m_pOther->setFocus();
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(window.m_grid.m_ends[0].strText, end.pszText);
        EXPECT_EQ(pList->GetLastKey(), end.nLastKey);
        CEditorWindow::FreeClosed();
        EXPECT_TRUE(pList.isNull());
    }
}

TEST(InPlaceListTest, StartingTextAndKey) {
    CEditorWindow window;
    window.MakeCombo(2, 2, {"No", "Yes"}, CBS_DROPDOWN);
    window.StartEdit(2, 2, "Maybe", VK_LBUTTON);  // no option: the field shows the text
    EXPECT_EQ(window.Editor<CInPlaceList>()->currentIndex(), -1);
    EXPECT_EQ(window.Editor<CInPlaceList>()->currentText(), "Maybe");
    window.MakeCombo(3, 2, {"No", "Yes"}, CBS_DROPDOWN);
    window.StartEdit(3, 2, "Yes", 'N');  // a letter replaces the text, and no option completes it
    CEditorWindow::FreeClosed();
    EXPECT_EQ(window.Editor<CInPlaceList>()->currentText(), "N");
    window.MakeCombo(4, 2, {"No", "Yes"}, CBS_DROPDOWNLIST);
    window.StartEdit(4, 2, "Yes", 'q');  // a list only: the option, the key unused
    CEditorWindow::FreeClosed();
    EXPECT_EQ(window.Editor<CInPlaceList>()->currentText(), "Yes");
}

// A key event may carry two characters (an input method's text): one list opens, and
// the second character goes to it.
TEST(InPlaceListTest, TwoCharactersInOneKeyOpenOneList) {
    for (const auto& [dwStyle, pszText] :
         {std::pair{CBS_DROPDOWN, "xy"}, std::pair{CBS_DROPDOWNLIST, "Yes"}}) {
        SCOPED_TRACE(dwStyle);
        CEditorWindow window;
        window.MakeCombo(2, 2, {"No", "Yes"}, dwStyle);
        window.m_grid.SetFocusCell(2, 2);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("xy"));
        QApplication::sendEvent(window.m_pGridWnd, &key);
        ASSERT_EQ(window.m_pGridWnd->findChildren<CInPlaceList*>().size(), 1);
        EXPECT_EQ(window.Editor<CInPlaceList>()->currentText(), pszText);
    }
}

TEST(InPlaceListTest, DroppedWidthIsCappedAt200) {
    CEditorWindow window;
    window.MakeCombo(2, 2, {"No", std::string(80, 'W')}, CBS_DROPDOWNLIST);
    window.StartEdit(2, 2, "No", VK_LBUTTON);
    CInPlaceList* pList = window.Editor<CInPlaceList>();
    EXPECT_EQ(pList->GetDroppedWidth(), CInPlaceList::kMaxDropWidth);
    EXPECT_GE(pList->view()->window()->width(), CInPlaceList::kMaxDropWidth);
    pList->setItemText(1, "Yes");  // narrow: the widest option, a scroll bar and a "0"
    pList->showPopup();
    const QFontMetrics metrics = pList->fontMetrics();
    EXPECT_EQ(pList->GetDroppedWidth(), metrics.horizontalAdvance("Yes") + GetSystemMetrics(SM_CXVSCROLL) +
                                            metrics.horizontalAdvance("0"));
}

}  // namespace
