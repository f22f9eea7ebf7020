// The option cell: options, style, size and opening its list through the window.
#include "grid/GridCellCombo.h"

#include <gtest/gtest.h>

#include <utility>

#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"

namespace {

TEST(GridCellCombo, StartsAsDropDownWithoutOptionsAndKeepsWhatItIsGiven) {
    CGridCellCombo cell;
    EXPECT_EQ(cell.GetStyle(), CBS_DROPDOWN);
    EXPECT_TRUE(cell.GetOptions().empty());
    std::vector<std::string> options{"No", "Yes"};
    cell.SetOptions(options);
    options.push_back("Maybe");  // the cell keeps its own copy
    cell.SetStyle(CBS_DROPDOWNLIST);
    EXPECT_EQ(cell.GetOptions(), (std::vector<std::string>{"No", "Yes"}));
    EXPECT_EQ(cell.GetStyle(), CBS_DROPDOWNLIST);
}

TEST(GridCellCombo, SetCellTypeKeepsTheTextAndAllowsOptions) {
    CGridCtrl grid(3, 4, 1, 1);
    grid.SetItemText(1, 3, "Yes");
    grid.SetItemBkColour(1, 3, RGB(1, 2, 3));
    ASSERT_TRUE(grid.SetCellType(1, 3, RUNTIME_CLASS(CGridCellCombo)));
    auto* pCombo = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 3));
    ASSERT_NE(pCombo, nullptr);
    pCombo->SetOptions({"No", "Yes"});
    pCombo->SetStyle(CBS_DROPDOWNLIST);
    EXPECT_EQ(grid.GetItemText(1, 3), "Yes");
    EXPECT_EQ(grid.GetItemBkColour(1, 3), RGB(1, 2, 3));
    EXPECT_EQ(pCombo->GetGrid(), &grid);
}

TEST(GridCellCombo, ExtentMakesRoomForTheButton) {
    CGridCtrl grid;
    CGridCellCombo combo;
    CGridCell plain;
    for (CGridCellBase* pCell : {static_cast<CGridCellBase*>(&combo), static_cast<CGridCellBase*>(&plain)}) {
        pCell->SetGrid(&grid);
        pCell->SetText("Yes");
    }
    FakeDrawContext dc;
    const CSize plainSize = plain.GetCellExtent(&dc);
    EXPECT_EQ(combo.GetCellExtent(&dc), CSize(plainSize.cx + GetSystemMetrics(SM_CXVSCROLL),
                                              plainSize.cy + GetSystemMetrics(SM_CYHSCROLL)));
}

TEST(GridCellCombo, EditOpensAListWithTheOptionsAndStyle) {
    FakeWindowHost host;
    CGridCtrl grid(2, 2, 1, 0);
    grid.SetWindowHost(&host);
    ASSERT_TRUE(grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCellCombo)));
    auto* pCombo = static_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    pCombo->SetOptions({"No", "Yes"});
    grid.SetItemText(1, 1, "No");

    struct Row {
        std::uint32_t dwStyle;
        bool bHasEditField;
    };
    for (const Row row : {Row{CBS_DROPDOWNLIST, false}, Row{CBS_DROPDOWN, true}}) {
        pCombo->SetStyle(row.dwStyle);
        host.m_edits.clear();
        ASSERT_TRUE(pCombo->Edit(1, 1, CRect(0, 0, 60, 18), CPoint(), 8, 'Y'));
        ASSERT_EQ(host.m_edits.size(), 1u);
        EXPECT_EQ(host.m_edits[0].dwStyle, row.dwStyle);
        EXPECT_EQ(host.m_edits[0].options, (std::vector<std::string>{"No", "Yes"}));
        EXPECT_EQ(host.m_edits[0].strText, "No");
        EXPECT_TRUE(pCombo->IsEditing());
        EXPECT_EQ(pCombo->GetEditWnd() != nullptr, row.bHasEditField) << "style " << row.dwStyle;
        pCombo->EndEdit();
        pCombo->OnEndEdit();
        EXPECT_FALSE(pCombo->IsEditing());
        EXPECT_EQ(pCombo->GetEditWnd(), nullptr);
    }
    EXPECT_EQ(host.m_editor.m_nEndEdits, 2);
    grid.SetWindowHost(nullptr);
}

// The low two bits choose the kind of box: a list holds its options whatever else the
// style carries (automatic scrolling here).
TEST(GridCellCombo, OnlyAListKeepsToItsOptions) {
    const std::pair<std::uint32_t, bool> kStyles[] = {
        {CBS_DROPDOWNLIST, false}, {CBS_DROPDOWNLIST | 0x40u, false}, {CBS_DROPDOWN | 0x40u, true}};
    for (const auto& [dwStyle, bOtherTextTaken] : kStyles) {
        CGridCellCombo cell;
        cell.SetStyle(dwStyle);
        cell.SetOptions({"No", "Yes"});
        EXPECT_EQ(cell.ValidateEdit("Maybe"), bOtherTextTaken) << "style " << dwStyle;
    }
}

}  // namespace
