// The Table page's toolkit-free helpers: find over a real grid without a window (the
// Windows-1252 capitals), the progress texts.
#include <gtest/gtest.h>

#include <string>

#include "grid/GridCtrl.h"
#include "table/FindRows.h"
#include "table/TableRows.h"
#include "table/TablesPageText.h"

namespace {

class TablesPageHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SetUpTableGrid(m_grid));
        // Windows-1252: Ö 0xD6 / ö 0xF6, Š 0x8A / š 0x9A, Ÿ 0x9F / ÿ 0xFF, × 0xD7 / ÷ 0xF7.
        for (const char* name : {"P1 \xD6l temp", "P2 Speed", "P3 \xF6lfilter",
                                 "P4 \x8A"
                                 "ef",
                                 "P5 a\xD7"
                                 "b",
                                 "P6 speed max", "P7 \x9F"})
            AddParameterRow(m_grid, name);
    }
    CGridCtrl m_grid;
};

TEST_F(TablesPageHelpers, FindIgnoresCaseInWindows1252) {
    const struct {
        const char* pszText;
        int nFrom;
        EFindStep eStep;
        int nRow;
    } cases[] = {
        {"\xF6L", 1, EFindStep::kHere, 1},  // ö finds Ö
        {"\xF6L", 1, EFindStep::kNext, 3},
        {"\xF6L", 3, EFindStep::kNext, 1},      // round the end
        {"\xF6L", 1, EFindStep::kPrevious, 3},  // round the start
        {"\x9A"
         "EF",
         1, EFindStep::kHere, 4},          // š finds Š
        {"\xFF", 1, EFindStep::kHere, 7},  // ÿ finds Ÿ
        {"a\xF7"
         "b",
         1, EFindStep::kHere, 0},           // ÷ is no small ×
        {"SPEED", 2, EFindStep::kHere, 2},  // typing on keeps the row that still matches
        {"SPEED", 2, EFindStep::kNext, 6},
        {"", 1, EFindStep::kHere, 0},
        {"nothing", 1, EFindStep::kNext, 0},
        {"speed", -1, EFindStep::kHere, 2},  // no focus yet: from the top
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindRow(m_grid, c.pszText, c.nFrom, c.eStep), c.nRow) << c.pszText << " from " << c.nFrom;
    m_grid.SetRowHeight(6, 0);
    EXPECT_EQ(FindRow(m_grid, "speed", 2, EFindStep::kNext), 2) << "a hidden row is passed over";
}

TEST(TablesPageText, ProgressTexts) {
    EXPECT_EQ(ReadProgressText(120, 431, 2, 41'999), "Reading: 120 of 431 parameters, level 2, 0:41");
    EXPECT_EQ(ReadProgressText(120, 0, 0, 0), "Reading: 120 parameters, level 0, 0:00");
    EXPECT_EQ(ElapsedText(3'723'000), "1:02:03");
    EXPECT_EQ(ElapsedText(725'000), "12:05");
    EXPECT_EQ(ReadProgressBar(120, 0), (SProgressBar{0, 0})) << "first read: busy";
    EXPECT_EQ(ReadProgressBar(500, 431), (SProgressBar{431, 431})) << "more than last time: full";
    EXPECT_EQ(UpdateProgressBar(0, 0), (SProgressBar{1, 1}));
    EXPECT_EQ(RowsShownText(12, 431), "12 of 431 rows shown");
}

}  // namespace
