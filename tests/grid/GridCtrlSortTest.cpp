// Sorting rows by a column: the compare functions and the row exchange.
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"

namespace {

std::vector<std::string> Column(const CGridCtrl& grid, int nCol) {
    std::vector<std::string> texts;
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow) {
        texts.push_back(grid.GetItemText(nRow, nCol));
    }
    return texts;
}

// A grid with a header row, a fixed first column holding the row's original index,
// and the given texts in column 1.
void Fill(CGridCtrl& grid, const std::vector<std::string>& texts) {
    grid.SetColumnCount(2);
    grid.SetFixedColumnCount(1);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 1, "header");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int nRow = grid.InsertRow(std::to_string(i));
        grid.SetItemText(nRow, 1, texts[i]);
        grid.SetRowHeight(nRow, 10 + static_cast<int>(i));
    }
}

TEST(GridSort, CompareFunctionsByColumnType) {
    struct Row {
        const char* name;
        std::vector<std::string> texts;
        int nSortType;
        bool bAscending;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"text", {"10", "9", "100"}, GVSORT_USER, true, {"10", "100", "9"}},
        {"numeric", {"10", "9", "100"}, GVSORT_NUMERIC, true, {"9", "10", "100"}},
        {"numeric descending", {"10", "9", "100"}, GVSORT_NUMERIC, false, {"100", "10", "9"}},
        {"numeric reads leading digits",
         {" 12abc", "-3", "+7", "x"},
         GVSORT_NUMERIC,
         true,
         {"-3", "x", "+7", " 12abc"}},
        {"floating", {"2.5", "-1e2", "2.25", "0x10"}, GVSORT_FLOAT, true, {"-1e2", "2.25", "2.5", "0x10"}},
        {"floating out of range",
         {"1e400", "5", "-1e400", "1e-400"},
         GVSORT_FLOAT,
         true,
         {"-1e400", "1e-400", "5", "1e400"}},
        {"text ignores case",
         {"beta", "Alpha", "ALPHA2", "alpha1"},
         GVSORT_USER,
         true,
         {"Alpha", "alpha1", "ALPHA2", "beta"}},
        {"text descending", {"b", "c", "a"}, GVSORT_USER, false, {"c", "b", "a"}},
    };
    for (const Row& row : rows) {
        CGridCtrl grid;
        Fill(grid, row.texts);
        grid.SetColumnSortType(row.nSortType, 1);
        EXPECT_TRUE(grid.SortItems(1, row.bAscending)) << row.name;
        std::vector<std::string> expected{"header"};
        expected.insert(expected.end(), row.expected.begin(), row.expected.end());
        EXPECT_EQ(Column(grid, 1), expected) << row.name;
        EXPECT_EQ(grid.GetSortColumn(), 1) << row.name;
        EXPECT_EQ(grid.GetSortAscending(), row.bAscending) << row.name;
    }
}

TEST(GridSort, WholeRowsMoveWithTheirHeightsAndFixedRowsStay) {
    CGridCtrl grid;
    Fill(grid, {"c", "a", "b"});
    ASSERT_TRUE(grid.SortItemsByText(1, true));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"", "1", "2", "0"}));
    EXPECT_EQ(grid.GetRowHeight(1), 11);
    EXPECT_EQ(grid.GetRowHeight(3), 10);
    EXPECT_EQ(grid.GetItemText(0, 1), "header");
    EXPECT_EQ(grid.GetItemState(1, 0) & ~GIS_MODIFIED, GIS_FIXED | GIS_FIXEDCOL);
}

TEST(GridSort, DefaultTypeAndUserCompare) {
    CGridCtrl grid;
    Fill(grid, {"10", "9", "100"});
    grid.SetColumnSortType(GVSORT_NUMERIC, -1);  // no such column: the grid's default
    EXPECT_EQ(grid.GetColumnSortType(1), 0);
    ASSERT_TRUE(grid.SortItems(1, true));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"header", "9", "10", "100"}));

    // By length, longest first through the data word.
    auto byLength = [](const CGridCellBase* p1, const CGridCellBase* p2, std::intptr_t nSign) {
        return static_cast<int>(nSign) *
               (static_cast<int>(p1->GetText()->size()) - static_cast<int>(p2->GetText()->size()));
    };
    ASSERT_TRUE(grid.SortItems(byLength, 1, true, -1));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"header", "100", "10", "9"}));

    grid.SetColumnSortType(GVSORT_USER, -1);
    grid.SetCompareFunction(byLength);
    ASSERT_TRUE(grid.SortItems(1, true, 1));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"header", "9", "10", "100"}));
}

TEST(GridSort, EdgesAndSideEffects) {
    CGridCtrl grid;
    Fill(grid, {"b", "a"});
    grid.SetItemState(2, 1, GIS_SELECTED);
    grid.SetFocusCell(1, 1);
    EXPECT_FALSE(grid.SortItems(2, true));  // no such column
    EXPECT_EQ(grid.GetSelectedCount(), 0);
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_FALSE(grid.SortItems(-1, true));

    CGridCtrl single;
    Fill(single, {"only"});
    EXPECT_FALSE(single.SortItems(1, true));  // nothing to order
}

TEST(GridSort, LargeSortedAndEqualInputsStayBalanced) {
    CGridCtrl grid(1, 1, 1, 0);
    constexpr int kRows = 20000;
    for (int i = 0; i < kRows; ++i) {
        grid.InsertRow(i % 2 == 0 ? "same" : std::to_string(kRows - i));
    }
    grid.SetColumnSortType(GVSORT_NUMERIC, 0);
    ASSERT_TRUE(grid.SortItems(0, true));
    for (int nRow = 2; nRow < grid.GetRowCount(); ++nRow) {
        ASSERT_LE(std::atoi(grid.GetItemText(nRow - 1, 0).c_str()),
                  std::atoi(grid.GetItemText(nRow, 0).c_str()))
            << nRow;
    }
}

}  // namespace
