// The dialogs as data: every control inside its template with an id of its own, the
// pixel scale of dialog units, and how the Table page shares out a larger window.
#include "app/DialogLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(DialogLayout, ControlsLieInsideTheirTemplateWithIdsOfTheirOwn) {
    for (const SDialogTemplate* dialog :
         {&kPortDialogTemplate, &kAboutBoxTemplate, &kEditPageTemplate, &kTablesPageTemplate}) {
        std::set<int> ids;
        for (const SControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(std::string(dialog->pszTitle) + " / " + std::to_string(control.nId));
            // A combo box's height is its dropped list; the closed box has to fit.
            const int cy = control.eKind == EControlKind::kComboBox ? kPortComboClosedHeight : control.cy;
            EXPECT_GE(control.x, 0);
            EXPECT_GE(control.y, 0);
            EXPECT_LE(control.x + control.cx, dialog->cx);
            EXPECT_LE(control.y + cy, dialog->cy);
            if (control.nId != res::kIdStatic) {
                EXPECT_TRUE(ids.insert(control.nId).second) << "id twice";
            }
        }
    }
}

TEST(DialogLayout, DialogUnitsScaleLikeTheDialogManager) {
    struct Row {
        int nBaseX, nBaseY, x, y, cx, cy;
        CRect expected;
    };
    const Row rows[] = {
        {6, 13, 7, 179, 50, 14, {11, 291, 86, 314}},  // 10.5 and 22.75 round up
        {8, 16, 0, 0, 446, 268, {0, 0, 892, 536}},
    };
    for (const Row& row : rows) {
        const SDialogScale du{row.nBaseX, row.nBaseY};
        EXPECT_EQ(du.Rect(row.x, row.y, row.cx, row.cy), row.expected) << row.nBaseX << "," << row.nBaseY;
    }
}

TEST(DialogLayout, GrowFlagsMoveAndStretchByTheExtraRoom) {
    const CRect rect{10, 20, 30, 40};
    const CSize extra{5, 7};
    struct Row {
        unsigned nGrow;
        CRect expected;
    };
    const Row rows[] = {
        {kGrowNone, {10, 20, 30, 40}},
        {kMoveRight | kMoveDown, {15, 27, 35, 47}},
        {kMoveDown | kWiden, {10, 27, 35, 47}},
        {kWiden | kHeighten, {10, 20, 35, 47}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GrowRect(rect, row.nGrow, extra), row.expected) << row.nGrow;
    EXPECT_EQ(ExtraRoom({100, 50}, {120, 40}), CSize(0, 10)) << "a window never has less than nothing";
}

class TablesPageRectsTest : public ::testing::Test {
protected:
    const SDialogScale m_du{6, 13};
    const CSize m_least = m_du.Size(kTablesPageTemplate.cx, kTablesPageTemplate.cy);
    CRect At(int nId) const { return m_du.Rect(*kTablesPageTemplate.Find(nId)); }
};

TEST_F(TablesPageRectsTest, AtTheLeastSizeEveryControlIsAtItsTemplatePlace) {
    const std::map<int, CRect> rects = TablesPageRects(m_du, m_least, false, false);
    for (const SControlTemplate& control : kTablesPageControls) {
        if (control.nId != res::kIdProgress) {  // its place follows the status line's pixels
            EXPECT_EQ(rects.at(control.nId), At(control.nId)) << control.nId;
        }
    }
    EXPECT_EQ(rects.at(res::kIdProgress).right, At(res::kIdStatus).right);
}

TEST_F(TablesPageRectsTest, ALargerPageGrowsTheGridAndMovesWhatIsBelowIt) {
    const std::map<int, CRect> rects =
        TablesPageRects(m_du, {m_least.cx + 100, m_least.cy + 50}, false, false);
    CRect grid = At(res::kIdGrid);
    grid.right += 100;
    grid.bottom += 50;
    EXPECT_EQ(rects.at(res::kIdGrid), grid);
    CRect read = At(res::kIdReadDrive);
    read.OffsetRect(0, 50);
    EXPECT_EQ(rects.at(res::kIdReadDrive), read);
    CRect status = At(res::kIdStatus);
    status.OffsetRect(0, 50);
    status.right += 100;
    EXPECT_EQ(rects.at(res::kIdStatus), status);
}

TEST_F(TablesPageRectsTest, TheFindRowAndTheProgressBarTakeTheirRoom) {
    const std::map<int, CRect> closed = TablesPageRects(m_du, m_least, false, false);
    const std::map<int, CRect> open = TablesPageRects(m_du, m_least, true, true);
    const CRect& find = open.at(res::kIdFind);
    EXPECT_EQ(find.bottom, closed.at(res::kIdGrid).bottom) << "the find row is the grid's bottom";
    EXPECT_EQ(find.Height(), m_du.Y(14));
    EXPECT_EQ(open.at(res::kIdFindLabel).right, find.left);
    EXPECT_EQ(open.at(res::kIdGrid).bottom, find.top - m_du.Y(kFindGap) + 1);
    const CRect& bar = open.at(res::kIdProgress);
    EXPECT_EQ(open.at(res::kIdStatus).right + m_du.X(kProgressGap) + bar.Width(), bar.right);
    EXPECT_EQ(bar.right, closed.at(res::kIdStatus).right);
}

}  // namespace
