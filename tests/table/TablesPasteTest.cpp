// The clipboard keys on the Table page: a paste goes through the page's begin-edit and
// end-edit answers cell by cell, so only the file and update columns take pasted texts.
#include <gtest/gtest.h>

#include <string>

#include "support/FakeClipboard.h"
#include "table/TablesFakes.h"

namespace {

TEST(TablesPaste, OnlyTheFileAndUpdateColumnsTakePastedTexts) {
    TablesHarness h;
    FakeClipboard clipboard;
    CGridCtrl& grid = h.m_tables.GetGrid();
    grid.SetClipboard(&clipboard);
    h.AddRow("P1", "10", "", "No");
    h.AddRow("P2", "20", "", "No");
    struct Case {
        const char* name;
        CCellID focus;
        const char* text;
        const char* row1;
        const char* row2;
    };
    const Case cases[] = {
        {"from the drive column on", {1, 1}, "99\t11\tYes\r\n98\t21", "P1|10|11|Yes", "P2|20|21|No"},
        {"file values from column 2", {1, 2}, "12\n22\n", "P1|10|12|Yes", "P2|20|22|No"},
        {"into the drive column: refused", {2, 1}, "99", "P1|10|12|Yes", "P2|20|22|No"},
        {"update column takes only No and Yes", {1, 3}, "maybe\nYes", "P1|10|12|Yes", "P2|20|22|Yes"},
    };
    for (const Case& c : cases) {
        clipboard.m_text = c.text;
        grid.SetFocusCell(c.focus);
        grid.OnKeyDown('V', MK_CONTROL);
        for (const auto& [nRow, expected] : {std::pair{1, c.row1}, std::pair{2, c.row2}}) {
            std::string row;
            for (int nCol = 0; nCol < 4; ++nCol)
                row += (nCol > 0 ? "|" : "") + h.Text(nRow, nCol);
            EXPECT_EQ(row, expected) << c.name << ", row " << nRow;
        }
    }
}

}  // namespace
