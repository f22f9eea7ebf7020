// The light cell: attributes read through the column cell, editing through it.
#include "grid/GridCellLitle.h"

#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/GridFakes.h"

namespace {

class GridCellLitleTest : public ::testing::Test {
protected:
    // The header row exists before the mode is set, so it stays made of ordinary cells.
    GridCellLitleTest() {
        m_grid.SetLightCellMode();
        m_grid.SetRowCount(4);
    }
    CGridCellLitle* Light(int nRow, int nCol) {
        return dynamic_cast<CGridCellLitle*>(m_grid.GetCell(nRow, nCol));
    }

    CGridCtrl m_grid{1, 3, 1, 1};
};

TEST_F(GridCellLitleTest, OnlyNonFixedCellsAreLight) {
    for (int nRow = 0; nRow < m_grid.GetRowCount(); ++nRow) {
        for (int nCol = 0; nCol < m_grid.GetColumnCount(); ++nCol) {
            EXPECT_EQ(Light(nRow, nCol) != nullptr, !m_grid.IsFixedCell(nRow, nCol)) << nRow << "," << nCol;
        }
    }
    for (int nCol = 0; nCol < m_grid.GetColumnCount(); ++nCol) {
        EXPECT_EQ(m_grid.GetCell(-1, nCol)->GetRuntimeClass(), RUNTIME_CLASS(CGridCell)) << nCol;
    }
    EXPECT_EQ(Light(2, 2)->GetColumn(), 2);
}

TEST_F(GridCellLitleTest, AttributesComeFromTheColumnCellThenTheDefaultCell) {
    CGridCellLitle* pCell = Light(2, 1);
    const CGridDefaultCell* pDefault = m_grid.GetDefaultCell(false, false);
    // Column cells start with the default format copied in; unset values fall through.
    m_grid.SetItemFormat(-1, 1, 0xFFFFFFFFu);
    EXPECT_EQ(pCell->GetFormat(), pDefault->GetFormat());
    EXPECT_EQ(pCell->GetMargin(), pDefault->GetMargin());
    EXPECT_EQ(pCell->GetFont(), pDefault->GetFont());
    // The column cell answers with the default cell's description, so the light cell
    // builds its shared font from that description.
    EXPECT_EQ(pCell->GetFontObject()->GetLogFont(), pDefault->GetFontObject()->GetLogFont());
    EXPECT_FALSE(pCell->IsDefaultFont());

    m_grid.SetItemFormat(-1, 1, DT_RIGHT);
    m_grid.SetItemBkColour(-1, 1, RGB(10, 20, 30));
    m_grid.SetItemFgColour(-1, 1, RGB(1, 1, 1));
    GRID_ITEM item;
    item.row = -1;
    item.col = 1;
    item.mask = GIF_MARGIN | GIF_FONT;
    item.nMargin = 6;
    item.lfFont.lfHeight = 17;
    ASSERT_TRUE(m_grid.SetItem(&item));

    for (int nRow = 1; nRow < m_grid.GetRowCount(); ++nRow) {
        EXPECT_EQ(m_grid.GetItemFormat(nRow, 1), DT_RIGHT) << nRow;
        EXPECT_EQ(m_grid.GetItemBkColour(nRow, 1), RGB(10, 20, 30)) << nRow;
        EXPECT_EQ(m_grid.GetItemFgColour(nRow, 1), RGB(1, 1, 1)) << nRow;
    }
    EXPECT_EQ(pCell->GetMargin(), 6u);
    EXPECT_EQ(pCell->GetFont()->lfHeight, 17);
    EXPECT_EQ(pCell->GetFontObject()->GetLogFont().lfHeight, 17);
    EXPECT_FALSE(pCell->IsDefaultFont());
    // Another column keeps its own column cell's values.
    EXPECT_NE(m_grid.GetItemBkColour(2, 2), RGB(10, 20, 30));
}

TEST_F(GridCellLitleTest, OwnVisualSettersDoNothing) {
    CGridCellLitle* pCell = Light(1, 1);
    const COLORREF crBefore = pCell->GetTextColor();
    const std::uint32_t nFormatBefore = pCell->GetFormat();
    pCell->SetTextColor(RGB(200, 0, 0));
    pCell->SetBackColor(RGB(0, 200, 0));
    pCell->SetFormat(DT_CENTER);
    pCell->SetImage(4);
    EXPECT_EQ(pCell->GetTextColor(), crBefore);
    EXPECT_EQ(pCell->GetFormat(), nFormatBefore);
    EXPECT_EQ(pCell->GetImage(), -1);
    EXPECT_FALSE(pCell->SetMergeSpan(1, 1));
    EXPECT_EQ(pCell->GetMergeRowSpan(), 0);
}

TEST_F(GridCellLitleTest, ResetForgetsTheColumn) {
    CGridCellLitle cell;
    cell.SetGrid(&m_grid);
    cell.SetCoords(7, 2);
    cell.SetText("t");
    cell.SetData(3);
    EXPECT_EQ(cell.GetColumn(), 2);
    cell.Reset();
    EXPECT_EQ(cell.GetColumn(), -1);
    EXPECT_EQ(*cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 0u);
    EXPECT_EQ(cell.GetGrid(), nullptr);
    // No grid: nothing to inherit.
    EXPECT_EQ(cell.GetFormat(), 0u);
    EXPECT_EQ(cell.GetBackColor(), CLR_DEFAULT);
    EXPECT_EQ(cell.GetFont(), nullptr);
}

TEST_F(GridCellLitleTest, ReplacingAColumnCellIsAllowedInLightMode) {
    auto* pNew = new CGridCell;
    pNew->SetGrid(&m_grid);
    pNew->SetBackColor(RGB(5, 5, 5));
    CGridCellBase* pOld = m_grid.GetCell(-1, 2);
    ASSERT_TRUE(m_grid.SetCell(-1, 2, pNew));
    delete pOld;  // SetCell hands the old cell back to the caller
    EXPECT_EQ(m_grid.GetItemBkColour(3, 2), RGB(5, 5, 5));
}

TEST_F(GridCellLitleTest, EditGoesThroughTheColumnCell) {
    FakeWindowHost host;
    m_grid.SetWindowHost(&host);
    m_grid.SetItemFormat(-1, 2, DT_RIGHT);
    m_grid.SetItemText(2, 2, "2500.0 rpm");
    CGridCellLitle* pCell = Light(2, 2);

    ASSERT_TRUE(pCell->Edit(2, 2, CRect(5, 6, 70, 24), CPoint(), 8, 13));
    ASSERT_EQ(host.m_edits.size(), 1u);
    EXPECT_EQ(host.m_edits[0].dwStyle, ES_RIGHT);
    EXPECT_EQ(host.m_edits[0].nRow, 2);
    EXPECT_EQ(host.m_edits[0].rect, CRect(5, 6, 70, 24));
    EXPECT_EQ(host.m_edits[0].strText, "2500.0 rpm");
    EXPECT_EQ(*m_grid.GetCell(-1, 2)->GetText(), "2500.0 rpm");
    EXPECT_TRUE(pCell->IsEditing());
    EXPECT_EQ(pCell->GetEditWnd(), &host.m_editor);

    EXPECT_TRUE(pCell->Edit(2, 2, CRect(5, 6, 70, 24), CPoint(), 8, 'z'));  // already editing
    EXPECT_TRUE(host.m_editor.m_chars.empty());
    pCell->EndEdit();
    EXPECT_EQ(host.m_editor.m_nEndEdits, 1);
    pCell->OnEndEdit();
    EXPECT_FALSE(pCell->IsEditing());
    EXPECT_FALSE(m_grid.GetCell(-1, 2)->IsEditing());
    m_grid.SetWindowHost(nullptr);
}

TEST_F(GridCellLitleTest, WithoutAWindowNoEditStarts) {
    CGridCellLitle* pCell = Light(1, 1);
    EXPECT_FALSE(pCell->Edit(1, 1, CRect(0, 0, 9, 9), CPoint(), 8, 'a'));
    EXPECT_FALSE(pCell->IsEditing());
}

}  // namespace
