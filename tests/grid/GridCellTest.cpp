// CGridCell and CGridDefaultCell: reset, inheritance from the default cell, copying,
// and measuring text through a drawing context.
#include "grid/GridCell.h"

#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridFakes.h"

namespace {

TEST(GridCellReset, KeepsMergeSpansAndClearsTheRest) {
    CGridCell cell;
    EXPECT_EQ(cell.GetMergeRowSpan(), 0);
    EXPECT_EQ(cell.GetMergeColSpan(), 0);
    cell.SetMergeSpan(2, -1);
    cell.SetText("abc");
    cell.SetData(7);
    cell.SetImage(3);
    cell.SetState(GIS_SELECTED);
    cell.SetFormat(DT_RIGHT);
    cell.SetTextColor(RGB(1, 2, 3));
    cell.SetBackColor(RGB(4, 5, 6));
    LOGFONT lf;
    lf.lfHeight = 20;
    cell.SetFont(&lf);
    cell.SetMargin(5);

    cell.Reset();
    EXPECT_EQ(cell.GetMergeRowSpan(), 2);
    EXPECT_EQ(cell.GetMergeColSpan(), -1);
    EXPECT_EQ(*cell.GetText(), "");
    EXPECT_EQ(cell.GetData(), 0u);
    EXPECT_EQ(cell.GetImage(), -1);
    EXPECT_EQ(cell.GetState(), 0u);
    EXPECT_EQ(cell.GetTextColor(), CLR_DEFAULT);
    EXPECT_EQ(cell.GetBackColor(), CLR_DEFAULT);
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(cell.GetGrid(), nullptr);
}

TEST(GridCellInheritance, WithoutAGridUnsetValuesReadAsNothing) {
    CGridCell cell;
    EXPECT_EQ(cell.GetFormat(), 0u);
    EXPECT_EQ(cell.GetMargin(), 0u);
    EXPECT_EQ(cell.GetFont(), nullptr);
    EXPECT_EQ(cell.GetFontObject(), nullptr);
    EXPECT_EQ(cell.GetDefaultCell(), nullptr);
}

TEST(GridCellInheritance, UnsetFormatMarginAndFontComeFromTheDefaultCellOfItsKind) {
    CGridCtrl grid;
    CGridCell cell;
    cell.SetGrid(&grid);
    cell.SetState(GIS_FIXED | GIS_FIXEDROW);
    CGridDefaultCell* pDefault = grid.GetDefaultCell(true, false);
    ASSERT_EQ(cell.GetDefaultCell(), pDefault);
    pDefault->SetFormat(DT_CENTER);
    pDefault->SetMargin(9);

    EXPECT_EQ(cell.GetFormat(), DT_CENTER);
    EXPECT_EQ(cell.GetMargin(), 9u);
    EXPECT_EQ(cell.GetFont(), pDefault->GetFont());
    EXPECT_EQ(cell.GetFontObject(), pDefault->GetFontObject());
    // Colours are reported as stored; the painting resolves the marker.
    EXPECT_EQ(cell.GetTextColor(), CLR_DEFAULT);

    pDefault->SetFormat(DT_RIGHT);  // resolved on each call, not copied
    EXPECT_EQ(cell.GetFormat(), DT_RIGHT);
}

TEST(GridCellInheritance, OwnFontIsServedThroughTheSharedFontObject) {
    CGridCtrl grid;
    CGridCell cellA;
    CGridCell cellB;
    cellA.SetGrid(&grid);
    cellB.SetGrid(&grid);
    LOGFONT lfA;
    lfA.lfHeight = 11;
    LOGFONT lfB;
    lfB.lfHeight = 22;
    cellA.SetFont(&lfA);
    cellB.SetFont(&lfB);

    const CFont* pFontA = cellA.GetFontObject();
    EXPECT_EQ(pFontA->GetLogFont().lfHeight, 11);
    const CFont* pFontB = cellB.GetFontObject();
    EXPECT_EQ(pFontA, pFontB);
    EXPECT_EQ(pFontB->GetLogFont().lfHeight, 22);
    EXPECT_FALSE(cellA.IsDefaultFont());
}

TEST(GridCellCopy, CopyHoldsTheResolvedFormatAndKeepsItsOwnSpans) {
    CGridCtrl grid;
    grid.GetDefaultCell(false, false)->SetFormat(DT_RIGHT | DT_SINGLELINE);
    CGridCell source;
    source.SetGrid(&grid);
    source.SetText("src");
    source.SetData(42);
    source.SetBackColor(RGB(9, 9, 9));
    source.SetMergeSpan(1, 1);
    CGridCell copy;
    copy.SetMergeSpan(0, -1);

    copy.CopyFrom(source);
    grid.GetDefaultCell(false, false)->SetFormat(DT_LEFT);
    EXPECT_EQ(copy.GetFormat(), DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ(*copy.GetText(), "src");
    EXPECT_EQ(copy.GetData(), 42u);
    EXPECT_EQ(copy.GetBackColor(), RGB(9, 9, 9));
    EXPECT_EQ(copy.GetGrid(), &grid);
    EXPECT_TRUE(copy.IsDefaultFont());
    EXPECT_EQ(copy.GetMergeRowSpan(), 0);
    EXPECT_EQ(copy.GetMergeColSpan(), -1);

    copy.CopyFrom(copy);  // copying itself changes nothing
    EXPECT_EQ(*copy.GetText(), "src");
}

TEST(GridDefaultCell, IsAlwaysReadOnlyAndIgnoresStateAndData) {
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetState(), GIS_READONLY);
    cell.SetState(GIS_SELECTED);
    cell.SetData(5);
    EXPECT_EQ(cell.GetState(), GIS_READONLY);
    EXPECT_EQ(cell.GetData(), 0u);
    EXPECT_EQ(cell.GetFormat(), DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    EXPECT_EQ(cell.GetTextColor(), CLR_DEFAULT);
    cell.SetSpare(3);
    EXPECT_EQ(cell.GetSpare(), 3u);
}

TEST(GridDefaultCell, WithoutAScreenTheSizesAreFixed) {
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetMargin(), 3u);
    EXPECT_EQ(cell.GetWidth(), 40);
    EXPECT_EQ(cell.GetHeight(), 16);
    ASSERT_NE(cell.GetFont(), nullptr);
    EXPECT_EQ(*cell.GetFont(), SystemMetrics().GetMessageFont());
    ASSERT_NE(cell.GetFontObject(), nullptr);
}

TEST(GridDefaultCell, OnAScreenTheFontIsMeasured) {
    ScreenSystemMetrics metrics;
    const ScopedSystemMetrics installed(&metrics);
    CGridDefaultCell cell;
    EXPECT_EQ(cell.GetMargin(), 1u * FakeDrawContext::kCharWidth);
    EXPECT_EQ(cell.GetWidth(), 14 * FakeDrawContext::kCharWidth);
    EXPECT_EQ(cell.GetHeight(), FakeDrawContext::kLineHeight * 3 / 2);

    LOGFONT lf;
    lf.lfWeight = FW_BOLD;
    cell.SetFont(&lf);
    EXPECT_EQ(cell.GetFontObject()->GetLogFont().lfWeight, FW_BOLD);
    EXPECT_EQ(cell.GetFont()->lfWeight, FW_BOLD);
    cell.SetFont(nullptr);  // nothing given: nothing changes
    EXPECT_EQ(cell.GetFont()->lfWeight, FW_BOLD);
}

TEST(GridDefaultCell, UnsetFormatDoesNotLoopBackToItself) {
    CGridCtrl grid;
    CGridDefaultCell* pDefault = grid.GetDefaultCell(false, false);
    pDefault->SetFormat(0xFFFFFFFFu);
    pDefault->SetMargin(0xFFFFFFFFu);
    EXPECT_EQ(pDefault->GetFormat(), 0xFFFFFFFFu);
    EXPECT_EQ(pDefault->GetMargin(), 0xFFFFFFFFu);
}

// --- Measuring -------------------------------------------------------------------------------

class GridCellExtentTest : public ::testing::Test {
protected:
    GridCellExtentTest() {
        m_cell.SetGrid(&m_grid);
        m_cell.SetMargin(2);
        m_dc.SetOverhang(1);
    }
    CGridCtrl m_grid;
    CGridCell m_cell;
    FakeDrawContext m_dc;
};

TEST_F(GridCellExtentTest, MissingTextGivesTheDefaultCellsSize) {
    const CGridDefaultCell* pDefault = m_grid.GetDefaultCell(false, false);
    EXPECT_EQ(m_cell.GetTextExtent(nullptr, &m_dc), CSize(pDefault->GetWidth(), pDefault->GetHeight()));
    // No context given and no window to measure on: the same.
    const std::string text = "abc";
    EXPECT_EQ(m_cell.GetTextExtent(&text, nullptr), CSize(pDefault->GetWidth(), pDefault->GetHeight()));
}

TEST_F(GridCellExtentTest, TextIsMeasuredWithMarginsAndOverhang) {
    struct Row {
        const char* name;
        std::string text;
        std::uint32_t nFormat;
        CSize expected;
    };
    const int w = FakeDrawContext::kCharWidth;
    const int h = FakeDrawContext::kLineHeight;
    const Row rows[] = {
        {"empty", "", DT_SINGLELINE, {1 + 8, h + 4}},
        {"single line", "abcd", DT_SINGLELINE, {4 * w + 1 + 8, h + 4}},
        {"no word break keeps line feeds on one line", "ab\nabcd", 0, {7 * w + 1 + 8, h + 4}},
        {"word break measures the widest line", "ab\nabcd", DT_WORDBREAK, {4 * w + 1 + 8, 2 * h + 4}},
        {"word break with single line is one line",
         "ab\nabcd",
         DT_WORDBREAK | DT_SINGLELINE,
         {7 * w + 1 + 8, h + 4}},
    };
    for (const Row& row : rows) {
        m_cell.SetFormat(row.nFormat);
        EXPECT_EQ(m_cell.GetTextExtent(&row.text, &m_dc), row.expected) << row.name;
    }
}

TEST_F(GridCellExtentTest, VerticalTextSwapsTheSides) {
    LOGFONT lf;
    lf.lfEscapement = 900;
    m_cell.SetFont(&lf);
    m_cell.SetFormat(DT_SINGLELINE);
    const std::string text = "abc";
    const int w = FakeDrawContext::kCharWidth;
    EXPECT_EQ(m_cell.GetTextExtent(&text, &m_dc), CSize(FakeDrawContext::kLineHeight + 4, 3 * w + 1 + 8 + 8));
}

TEST_F(GridCellExtentTest, OwnFontIsSelectedForMeasuringAndPutBack) {
    LOGFONT lf;
    lf.lfHeight = 30;
    m_cell.SetFont(&lf);
    const std::string text = "x";
    m_cell.GetTextExtent(&text, &m_dc);
    ASSERT_EQ(m_dc.Selections().size(), 2u);
    EXPECT_EQ(m_dc.Selections()[0]->GetLogFont().lfHeight, 30);
    EXPECT_EQ(m_dc.GetSelectedFont(), nullptr);
}

TEST_F(GridCellExtentTest, WindowContextIsUsedWhenNoneIsGiven) {
    FakeWindowHost host;
    m_grid.SetWindowHost(&host);
    m_cell.SetFormat(DT_SINGLELINE);
    const std::string text = "ab";
    EXPECT_EQ(m_cell.GetTextExtent(&text),
              CSize(2 * FakeDrawContext::kCharWidth + 8, FakeDrawContext::kLineHeight + 4));
    m_grid.SetWindowHost(nullptr);
}

TEST_F(GridCellExtentTest, CellExtentAddsTheImageWithoutMargin) {
    class TwoImages : public IImageList {
    public:
        bool GetImageSize(int nImage, CSize* pSize) const override {
            if (nImage < 0 || nImage > 1) {
                return false;
            }
            *pSize = CSize(16, 40);
            return true;
        }
    } images;
    m_grid.SetImageList(&images);
    m_cell.SetFormat(DT_SINGLELINE);
    m_cell.SetText("ab");
    const CSize text(2 * FakeDrawContext::kCharWidth + 1 + 8, FakeDrawContext::kLineHeight + 4);
    EXPECT_EQ(m_cell.GetCellExtent(&m_dc), text);
    m_cell.SetImage(1);
    EXPECT_EQ(m_cell.GetCellExtent(&m_dc), CSize(16 + text.cx, 40));
    m_cell.SetImage(5);  // not in the list
    EXPECT_EQ(m_cell.GetCellExtent(&m_dc), text);

    m_cell.SetImage(0);
    CRect rect(10, 0, 100, 20);
    EXPECT_TRUE(m_cell.GetTextRect(&rect));
    EXPECT_EQ(rect.left, 10 + 16 + 2);
    m_grid.SetImageList(nullptr);
}

TEST(GridCellEdit, WithoutAWindowNoEditStarts) {
    CGridCtrl grid(2, 2);
    CGridCellBase* pCell = grid.GetCell(1, 1);
    EXPECT_FALSE(pCell->Edit(1, 1, CRect(0, 0, 10, 10), CPoint(), 8, 'a'));
    EXPECT_FALSE(pCell->IsEditing());
}

TEST(GridCellEdit, EditorIsAlignedByTheFormatAndFurtherKeysAreForwarded) {
    FakeWindowHost host;
    CGridCtrl grid(2, 2);
    grid.SetWindowHost(&host);
    grid.SetItemText(1, 1, "12");
    grid.SetItemFormat(1, 1, DT_RIGHT | DT_CENTER);
    CGridCellBase* pCell = grid.GetCell(1, 1);

    ASSERT_TRUE(pCell->Edit(1, 1, CRect(0, 0, 50, 20), CPoint(), 8, 'x'));
    ASSERT_EQ(host.m_edits.size(), 1u);
    EXPECT_EQ(host.m_edits[0].dwStyle, ES_RIGHT);
    EXPECT_EQ(host.m_edits[0].strText, "12");
    EXPECT_EQ(host.m_edits[0].nFirstChar, 'x');
    EXPECT_TRUE(pCell->IsEditing());
    EXPECT_EQ(pCell->GetEditWnd(), &host.m_editor);

    EXPECT_TRUE(pCell->Edit(1, 1, CRect(0, 0, 50, 20), CPoint(), 8, 'y'));
    EXPECT_EQ(host.m_edits.size(), 1u);
    EXPECT_EQ(host.m_editor.m_chars, std::vector<std::uint32_t>{'y'});

    pCell->EndEdit();
    EXPECT_EQ(host.m_editor.m_nEndEdits, 1);
    pCell->OnEndEdit();
    EXPECT_FALSE(pCell->IsEditing());
    EXPECT_EQ(pCell->GetEditWnd(), nullptr);
    grid.SetWindowHost(nullptr);
}

}  // namespace
