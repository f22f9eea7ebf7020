// Combo cells: the drop-down button in the drawing, and the option list over a real
// widget with and without its edit field.
#include <QAbstractItemView>
#include <QPointer>

#include <gtest/gtest.h>

#include "grid/qt/ComboEdit.h"
#include "grid/qt/InPlaceList.h"
#include "platform/SystemMetrics.h"
#include "platform/WindowInput.h"
#include "support/FakeDrawContext.h"
#include "tests/gridqt/EditorTestSupport.h"

namespace {

// Records the buttons and texts drawn.
class CRecordingContext : public FakeDrawContext {
public:
    bool DrawFrameControl(const CRect& rect, std::uint32_t nType, std::uint32_t nState) override {
        m_buttons.push_back(rect);
        EXPECT_EQ(nType, DFC_SCROLL);
        EXPECT_EQ(nState, DFCS_SCROLLDOWN);
        return true;
    }
    int DrawText(std::string_view text, CRect* pRect, std::uint32_t nFormat) override {
        if ((nFormat & DT_CALCRECT) == 0) {
            m_texts.emplace_back(text);
        }
        return FakeDrawContext::DrawText(text, pRect, nFormat);
    }
    std::vector<CRect> m_buttons;
    std::vector<std::string> m_texts;
};

struct SButton {
    const char* pszName;
    int nRow;
    int nCol;
    bool bFocus;
    CRect rect;
    bool bButton;
};

const SButton kButtons[] = {
    {"focused", 2, 2, true, {0, 0, 60, 20}, true},
    {"not focused", 2, 2, false, {0, 0, 60, 20}, false},
    {"fixed row", 0, 2, true, {0, 0, 60, 20}, false},
    {"fixed column", 2, 0, true, {0, 0, 60, 20}, false},
    {"as low as a scroll bar", 2, 2, true, {0, 0, 60, 17}, false},
    {"as narrow as a scroll bar", 2, 2, true, {0, 0, 17, 20}, false},
};

TEST(GridCellComboTest, DropDownButtonOnlyOnTheFocusedNonFixedCell) {
    for (const SButton& button : kButtons) {
        SCOPED_TRACE(button.pszName);
        CGridCtrl grid(4, 4, 1, 1);
        ASSERT_TRUE(grid.SetCellType(button.nRow, button.nCol, RUNTIME_CLASS(CGridCellCombo)));
        grid.SetItemText(button.nRow, button.nCol, "Yes");
        if (button.bFocus) {
            grid.SetItemState(button.nRow, button.nCol,
                              grid.GetItemState(button.nRow, button.nCol) | GIS_FOCUSED);
        }
        CRecordingContext dc;
        grid.GetCell(button.nRow, button.nCol)->Draw(&dc, button.nRow, button.nCol, button.rect);
        const int cx = GetSystemMetrics(SM_CXVSCROLL);
        const int cy = GetSystemMetrics(SM_CYHSCROLL);
        if (button.bButton) {
            ASSERT_EQ(dc.m_buttons.size(), 1u);
            EXPECT_EQ(dc.m_buttons[0], CRect(button.rect.right - cx, 0, button.rect.right, cy));
        } else {
            EXPECT_TRUE(dc.m_buttons.empty());
        }
    }
}

struct SListEnd {
    const char* pszName;
    std::uint32_t dwStyle;
    std::vector<Qt::Key> keys;  // typed into the dropped list, then the box
    bool bFocusLoss;
    const char* pszText;
    std::uint32_t nLastKey;
};

const SListEnd kListEnds[] = {
    {"list: Enter takes the option moved to",
     CBS_DROPDOWNLIST,
     {Qt::Key_Down, Qt::Key_Return},
     false,
     "Yes",
     VK_RETURN},
    {"list: Tab", CBS_DROPDOWNLIST, {Qt::Key_Down, Qt::Key_Tab}, false, "Yes", VK_TAB},
    {"list: focus loss", CBS_DROPDOWNLIST, {}, true, "No", 0},
    {"list: Escape goes back", CBS_DROPDOWNLIST, {Qt::Key_Down, Qt::Key_Escape}, false, "No", VK_ESCAPE},
    {"edit field: typing then Escape", CBS_DROPDOWN, {Qt::Key_X, Qt::Key_Escape}, false, "No", VK_ESCAPE},
    {"edit field: typing then Enter", CBS_DROPDOWN, {Qt::Key_X, Qt::Key_Return}, false, "Nox", VK_RETURN},
};

TEST(InPlaceListTest, EndsReportTheChosenText) {
    for (const SListEnd& end : kListEnds) {
        SCOPED_TRACE(end.pszName);
        CEditorWindow window;
        window.m_grid.SetCellType(2, 2, RUNTIME_CLASS(CGridCellCombo));
        auto* pCell = static_cast<CGridCellCombo*>(window.m_grid.GetCell(2, 2));
        pCell->SetOptions({"No", "Yes"});
        pCell->SetStyle(end.dwStyle);
        window.StartEdit(2, 2, "No", VK_LBUTTON);
        QPointer<CInPlaceList> pList = window.Editor<CInPlaceList>();
        ASSERT_NE(pList, nullptr);
        EXPECT_TRUE(pList->view()->isVisible());
        EXPECT_EQ(pList->currentText(), "No");
        EXPECT_EQ(pList->GetEdit() != nullptr, end.dwStyle == CBS_DROPDOWN);
        for (Qt::Key key : end.keys) {
            QTest::keyClick(pList->view()->isVisible() ? static_cast<QWidget*>(pList->view()) : pList.data(),
                            key);
        }
        if (end.bFocusLoss) {
            pList->hidePopup();
            window.m_pOther->setFocus();
        }
        ASSERT_EQ(window.m_grid.m_ends.size(), 1u);
        EXPECT_EQ(window.m_grid.m_ends[0].strText, end.pszText);
        EXPECT_EQ(pList->GetLastKey(), end.nLastKey);
        EXPECT_FALSE(window.m_grid.IsItemEditing(2, 2));
        QTest::qWait(1);  // the box closes once the event loop comes back
        CEditorWindow::FreeClosed();
        EXPECT_TRUE(pList.isNull());
    }
}

TEST(InPlaceListTest, StartingTextAndKey) {
    CEditorWindow window;
    window.m_grid.SetCellType(2, 2, RUNTIME_CLASS(CGridCellCombo));
    auto* pCell = static_cast<CGridCellCombo*>(window.m_grid.GetCell(2, 2));
    pCell->SetOptions({"No", "Yes"});
    window.StartEdit(2, 2, "Maybe", VK_LBUTTON);  // no option: the field shows it
    CInPlaceList* pList = window.Editor<CInPlaceList>();
    EXPECT_EQ(pList->currentIndex(), -1);
    EXPECT_EQ(pList->currentText(), "Maybe");
    pList->EndEdit();
    QTest::qWait(1);
    window.m_grid.SetCellType(3, 2, RUNTIME_CLASS(CGridCellCombo));
    static_cast<CGridCellCombo*>(window.m_grid.GetCell(3, 2))->SetOptions({"No", "Yes"});
    window.StartEdit(3, 2, "Yes", 'q');  // a letter replaces the field's text
    pList = window.Editor<CInPlaceList>();
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->currentText(), "q");
}

TEST(InPlaceListTest, DroppedWidthIsCappedAt200) {
    CEditorWindow window;
    window.m_grid.SetCellType(2, 2, RUNTIME_CLASS(CGridCellCombo));
    auto* pCell = static_cast<CGridCellCombo*>(window.m_grid.GetCell(2, 2));
    pCell->SetOptions({"No", std::string(80, 'W')});
    pCell->SetStyle(CBS_DROPDOWNLIST);
    window.StartEdit(2, 2, "No", VK_LBUTTON);
    CInPlaceList* pList = window.Editor<CInPlaceList>();
    EXPECT_EQ(pList->GetDroppedWidth(), CInPlaceList::kMaxDropWidth);
    EXPECT_GE(pList->view()->window()->width(), CInPlaceList::kMaxDropWidth);
    pCell->SetOptions({"No", "Yes"});  // a narrow list: the widest option, a scroll bar and a "0"
    pList->EndEdit();
    QTest::qWait(1);
    window.StartEdit(2, 2, "No", VK_LBUTTON);
    pList = window.Editor<CInPlaceList>();
    const QFontMetrics metrics = pList->fontMetrics();
    EXPECT_EQ(pList->GetDroppedWidth(), metrics.horizontalAdvance("Yes") + GetSystemMetrics(SM_CXVSCROLL) +
                                            metrics.horizontalAdvance("0"));
}

TEST(InPlaceListTest, EditingCellDrawsNoTextOfItsOwn) {
    CEditorWindow window;
    window.m_grid.SetCellType(2, 2, RUNTIME_CLASS(CGridCellCombo));
    auto* pCell = static_cast<CGridCellCombo*>(window.m_grid.GetCell(2, 2));
    pCell->SetOptions({"No", "Yes"});
    window.StartEdit(2, 2, "Yes", VK_LBUTTON);
    CRecordingContext dc;
    pCell->Draw(&dc, 2, 2, CRect(0, 0, 70, 20));
    EXPECT_TRUE(std::find(dc.m_texts.begin(), dc.m_texts.end(), "Yes") == dc.m_texts.end());
    EXPECT_EQ(*pCell->GetText(), "Yes");
}

}  // namespace
