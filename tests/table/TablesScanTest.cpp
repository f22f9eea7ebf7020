#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "grid/GridCellCombo.h"
#include "table/TableRows.h"
#include "table/TablesFakes.h"

namespace {
// "name=drive value" of every parameter row, in grid order.
std::string GridSummary(const TablesHarness& h) {
    std::string summary;
    for (int nRow = 1; nRow < h.Rows(); ++nRow)
        summary += (nRow > 1 ? "|" : "") + h.Text(nRow, 0) + "=" + h.Text(nRow, 1);
    return summary;
}

// Runs a scan over a drive showing `lines` after the settling phase ("name" or "=value").
struct ScanStep {
    const char* line;  // "P1" name, "=10" value, "!Error" error
    const char* sent;
    const char* grid;  // GridSummary after the line
};

void RunSteps(TablesHarness& h, const std::vector<ScanStep>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string line = steps[i].line;
        std::string sent;
        if (line[0] == '=')
            sent = h.Value(line.substr(1));
        else if (line[0] == '!')
            sent = h.Error(line.substr(1));
        else
            sent = h.Name(line);
        EXPECT_EQ(sent, steps[i].sent) << "step " << i << " line " << line;
        EXPECT_EQ(GridSummary(h), steps[i].grid) << "step " << i << " line " << line;
    }
}

// A top level of P1, the sub-menu P2 (P2a, P2b) and P3; the drive shows P1 first.
TEST(TablesScan, TopLevelWithASubMenuRowByRow) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    EXPECT_EQ(h.Keys(), "o");
    EXPECT_EQ(h.Settle(), "oooooooooo");
    EXPECT_EQ(h.Rows(), 1) << "settling lines are never written";
    RunSteps(h, {
                    {"P1", "e", "P1="},
                    {"=10", "o", "P1=10"},
                    {"P1", "u", "P1=10"},
                    {"P2", "e", "P1=10|P2="},
                    {"P2a", "e", "P1=10|P2=|P2a="},
                    {"=1.5", "o", "P1=10|P2=|P2a=1.5"},
                    {"P2a", "u", "P1=10|P2=|P2a=1.5"},
                    {"P2b", "e", "P1=10|P2=|P2a=1.5|P2b="},
                    {"=2", "o", "P1=10|P2=|P2a=1.5|P2b=2"},
                    {"P2b", "u", "P1=10|P2=|P2a=1.5|P2b=2"},
                    {"P2a", "o", "P1=10|P2=|P2a=1.5|P2b=2"},
                    {"P2", "u", "P1=10|P2=|P2a=1.5|P2b=2"},
                    {"P3", "e", "P1=10|P2=|P2a=1.5|P2b=2|P3="},
                    {"=7", "o", "P1=10|P2=|P2a=1.5|P2b=2|P3=7"},
                    {"P3", "u", "P1=10|P2=|P2a=1.5|P2b=2|P3=7"},
                    {"P1", "", "P1=10|P2=|P2a=1.5|P2b=2|P3=7"},
                });
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_tables.GetLastRecordTick(), 0u);
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kCompleted});
    EXPECT_TRUE(h.m_view.m_buttons.bDriveToFile);
    EXPECT_FALSE(h.m_view.m_buttons.bUpdateDrive);
    EXPECT_EQ(h.m_cursor.m_nBegin, 1);
    EXPECT_GE(h.m_cursor.m_nEnd, 1);
    EXPECT_EQ(h.Name("P1"), "") << "nothing answered once the scan is over";
}

TEST(TablesScan, SettlingAnswersTenLinesOfAnyKindAndWritesNothing) {
    TablesHarness h;
    h.AddRow("P1", "old", "", "No");
    h.m_tables.OnReadDrive();
    h.Keys();
    std::string sent;
    for (int i = 0; i < 3; ++i)
        sent += h.Value("5") + h.Error("Error 7") + h.Name("P1");
    sent += h.Value("5");
    EXPECT_EQ(sent, "oooooooooo");
    EXPECT_EQ(h.Text(1, 1), "old");
    EXPECT_EQ(h.m_cursor.m_nRestore, 0);
    EXPECT_EQ(h.Name("P1"), "e") << "the eleventh line is the walk's first";
}

TEST(TablesScan, RecordsWhileIdleAreDroppedUnanswered) {
    TablesHarness h;
    EXPECT_EQ(h.Name("P1") + h.Value("1") + h.Error("Error"), "");
    EXPECT_EQ(h.Rows(), 1);
}

TEST(TablesScan, SingleItemTopLevelRetriesTenTimesThenEnds) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    RunSteps(h, {{"P1", "e", "P1="}, {"=3", "o", "P1=3"}, {"P1", "u", "P1=3"}});
    for (int i = 0; i < CTables::kWrapRetryLimit; ++i)
        EXPECT_EQ(h.Name("P1"), "u") << "retry " << i;
    EXPECT_TRUE(h.m_tables.IsReading());
    EXPECT_EQ(h.Name("P1"), "");
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kCompleted});
}

// A level that never comes back to its first item (Up on its last item shows it again)
// would be answered for ever: it gets as many 'u' as it showed items, plus ten. The lines
// open P1 and P2 on the top level, or P1a and P1b in the sub-menu P1.
TEST(TablesScan, LevelThatDoesNotWrapStopsAfterItsItemsAndTenPresses) {
    const std::vector<std::vector<std::string>> starts = {
        {"P1", "=1", "P1", "P2", "=2", "P2"},
        {"P1", "P1a", "=1", "P1a", "P1b", "=2", "P1b"},
    };
    for (const std::vector<std::string>& lines : starts) {
        TablesHarness h;
        h.m_tables.OnReadDrive();
        h.Settle();
        std::string sent;
        for (const std::string& line : lines)
            sent += line[0] == '=' ? h.Value(line.substr(1)) : h.Name(line);
        for (int repeat = 0; repeat < 100 && h.m_tables.IsReading(); ++repeat)
            sent += h.Name(lines.back());
        EXPECT_EQ(std::count(sent.begin(), sent.end(), 'u'), 2 + CTables::kWrapRetryLimit) << lines.back();
        EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kNoWrap}) << lines.back();
    }
}

TEST(TablesScan, NestingBeyondTenLevelsStopsWithOverflov) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    // Every name right after 'e' is the first item of a deeper sub-menu.
    for (int level = 0; level <= CTables::kMaxLevel; ++level) {
        EXPECT_EQ(h.Name("P" + std::to_string(level)), "e") << "level " << level;
        EXPECT_EQ(h.m_tables.GetLevel(), level);
    }
    EXPECT_TRUE(h.m_messages.Messages().empty());
    EXPECT_EQ(h.Name("P10"), "e");
    ASSERT_EQ(h.m_messages.Messages().size(), 1u);
    EXPECT_EQ(h.m_messages.Messages()[0].text, "Overflov Levels");
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_tables.GetLevel(), CTables::kMaxLevel);
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kOverflow});
    EXPECT_EQ(h.Rows(), 12) << "the grid keeps what was read";
    EXPECT_EQ(h.Value("1"), "") << "later records are ignored";
    // The stamp was left for the watchdog, which then ends the rest quietly.
    EXPECT_NE(h.m_tables.GetLastRecordTick(), 0u);
    h.m_tick.m_now += 1301;
    h.m_tables.ContinueModal();
    EXPECT_EQ(h.m_tables.GetLastRecordTick(), 0u);
    EXPECT_EQ(h.m_view.m_ends.size(), 1u);
}

TEST(TablesScan, ErrorLineGoesIntoTheOpenParameter) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    RunSteps(h, {
                    {"!Error 12 early", "o", ""},
                    {"P1", "e", "P1="},
                    {"=4", "o", "P1=4"},
                    {"P1", "u", "P1=4"},
                    {"P2", "e", "P1=4|P2="},
                    {"!Error 12 locked", "o", "P1=4|P2=Error 12 locked"},
                    {"P2", "u", "P1=4|P2=Error 12 locked"},
                    {"P3", "e", "P1=4|P2=Error 12 locked|P3="},
                    {"=5", "o", "P1=4|P2=Error 12 locked|P3=5"},
                    {"P3", "u", "P1=4|P2=Error 12 locked|P3=5"},
                    {"P1", "", "P1=4|P2=Error 12 locked|P3=5"},
                });
    EXPECT_EQ(h.m_tables.GetLevel(), 0);
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kCompleted});
}

TEST(TablesScan, AnErrorTextAloneCountsAsADriveValue) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Settle();
    h.Name("P1");
    h.Error("Error 12 locked");
    h.m_tables.FinishAndRefresh();
    EXPECT_TRUE(h.m_view.m_buttons.bDriveToFile);
}

TEST(TablesScan, ScanningTwiceMatchesRowsByName) {
    TablesHarness h;
    h.AddRow("P0 gone", "9", "", "No");
    h.AddRow("P1", "old", "", "Yes");
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    RunSteps(h, {
                    {"P1", "e", "P0 gone=9|P1=old"},
                    {"=10", "o", "P0 gone=9|P1=10"},
                    {"P1", "u", "P0 gone=9|P1=10"},
                    {"P1 ", "e", "P0 gone=9|P1=10|P1 ="},
                    {"=11", "o", "P0 gone=9|P1=10|P1 =11"},
                    {"P1 ", "u", "P0 gone=9|P1=10|P1 =11"},
                    {"P1", "", "P0 gone=9|P1=10|P1 =11"},
                });
    EXPECT_EQ(h.Text(2, 3), "Yes") << "the flag of a matched row stays";
    EXPECT_EQ(h.Text(3, 3), "No");
    EXPECT_EQ(h.m_tables.GetParametersSeen(), 2) << "P0 gone keeps its value but was not seen";
}

TEST(TablesScan, StartingInTheMiddleOfTheTopLevelEndsWhereItBegan) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    RunSteps(h, {
                    {"P2", "e", "P2="},
                    {"=2", "o", "P2=2"},
                    {"P2", "u", "P2=2"},
                    {"P3", "e", "P2=2|P3="},
                    {"=3", "o", "P2=2|P3=3"},
                    {"P3", "u", "P2=2|P3=3"},
                    {"P1", "e", "P2=2|P3=3|P1="},
                    {"=1", "o", "P2=2|P3=3|P1=1"},
                    {"P1", "u", "P2=2|P3=3|P1=1"},
                    {"P2", "", "P2=2|P3=3|P1=1"},
                });
}

TEST(TablesScan, NewRowsGetAComboOfNoAndYes) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.Keys();
    h.Settle();
    h.Name("P1");
    CGridCtrl& grid = h.m_tables.GetGrid();
    EXPECT_EQ(h.Text(1, 3), "No");
    auto* pCombo = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 3));
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetOptions(), (std::vector<std::string>{"No", "Yes"}));
    EXPECT_EQ(pCombo->GetStyle(), CBS_DROPDOWNLIST);
    for (int nCol = 1; nCol <= 3; ++nCol)
        EXPECT_EQ(grid.GetItemFormat(1, nCol), DT_RIGHT | DT_VCENTER | DT_SINGLELINE) << "column " << nCol;
}

TEST(TablesGrid, SetUpGivesFourHeadedColumns) {
    TablesHarness h;
    const CGridCtrl& grid = h.m_tables.GetGrid();
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    const char* headers[] = {"Parameter name", "From DC Drive", "From File", "Update from File"};
    const int widths[] = {180, 170, 170, 100};
    for (int nCol = 0; nCol < 4; ++nCol) {
        EXPECT_EQ(grid.GetItemText(0, nCol), headers[nCol]);
        EXPECT_EQ(grid.GetColumnWidth(nCol), widths[nCol]);
    }
    EXPECT_EQ(grid.GetItemFormat(0, 2), 0x26u);
    EXPECT_TRUE(grid.IsEditable());
    EXPECT_FALSE(grid.IsSelectable());
    EXPECT_FALSE(grid.GetHandleTabKey());
    EXPECT_FALSE(grid.GetFixedRowSelection());
    EXPECT_FALSE(grid.GetHeaderSort());
}

TEST(TablesGrid, EditNotifications) {
    TablesHarness h;
    h.AddRow("P1", "1", "", "No");
    struct Row {
        int code;
        int col;
        std::intptr_t result;
        bool ends;
    };
    const Row rows[] = {
        {GN_BEGINLABELEDIT, 0, -1, false}, {GN_BEGINLABELEDIT, 1, -1, false},
        {GN_BEGINLABELEDIT, 2, 1, false},  {GN_BEGINLABELEDIT, 3, 1, false},
        {GN_ENDLABELEDIT, 3, 1, false},    {GN_ENDLABELEDIT, 2, 1, true},
        {GN_SELCHANGED, 2, 1, false},
    };
    for (const Row& row : rows) {
        h.m_tables.OnReadDrive();
        h.Keys();
        GRID_NOTIFY notify;
        notify.hdr.idFrom = CTables::kGridId;
        notify.hdr.code = row.code;
        notify.iRow = 1;
        notify.iColumn = row.col;
        const std::string name = "code " + std::to_string(row.code) + " column " + std::to_string(row.col);
        EXPECT_EQ(h.m_tables.OnGridNotify(CTables::kGridId, &notify.hdr), row.result) << name;
        EXPECT_EQ(h.m_tables.IsReading(), !row.ends) << name;
    }
    GRID_NOTIFY other;
    other.hdr.code = GN_BEGINLABELEDIT;
    other.iColumn = 0;
    EXPECT_EQ(h.m_tables.OnGridNotify(1234, &other.hdr), 0) << "not from the grid";
}

TEST(TablesRefresh, ColoursCompareDriveAndFileTexts) {
    TablesHarness h;
    struct Row {
        const char* drive;
        const char* file;
        COLORREF colour;
    };
    const Row rows[] = {
        {"1", "", kTableWhite},  {"", "2", kTableRed},  {"3.0", "3", kTableYellow},
        {"4", "4", kTableWhite}, {"", "", kTableWhite},
    };
    for (const Row& row : rows)
        h.AddRow("P", row.drive, row.file, "No");
    h.m_tables.FinishAndRefresh();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(i + 1, 1), rows[i].colour)
            << "drive \"" << rows[i].drive << "\" file \"" << rows[i].file << "\"";
    EXPECT_EQ(h.m_view.m_buttons, (STablesButtons{true, true, true}));
    EXPECT_GE(h.m_view.m_nRedraws, 1);
}

TEST(TablesRefresh, WithoutFileValuesColoursStayAndUpdateIsDisabled) {
    TablesHarness h;
    h.AddRow("P1", "1", "2", "No");
    h.m_tables.FinishAndRefresh();
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, 1), kTableYellow);
    h.m_tables.GetGrid().SetItemText(1, 2, "");
    h.m_tables.FinishAndRefresh();
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, 1), kTableYellow);
    EXPECT_EQ(h.m_view.m_buttons, (STablesButtons{true, false, false}));
}

TEST(TablesRefresh, ClearTableKeepsTheHeaderAndEndsTheScan) {
    TablesHarness h;
    h.AddRow("P1", "1", "2", "No");
    h.m_tables.OnReadDrive();
    h.m_tables.OnClearTable();
    EXPECT_EQ(h.Rows(), 1);
    EXPECT_EQ(h.Text(0, 0), "Parameter name");
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kStopped});
    EXPECT_EQ(h.m_view.m_buttons, (STablesButtons{false, false, false}));
}

TEST(TablesWatchdog, EndsAfterMoreThan1300MsOfSilence) {
    struct Row {
        std::uint32_t start;
        std::uint32_t silence;
        bool ends;
    };
    const Row rows[] = {
        {5000, 1300, false},
        {5000, 1301, true},
        {0xFFFFFF00u, 16, false},  // last + 1300 wraps: must not end early
        {0xFFFFFF00u, 1300, false},
        {0xFFFFFF00u, 1301, true},  // the clock itself wraps
        {0, 1301, false},           // a start at tick 0 is stamped 1 ...
        {0, 1302, true},            // ... and still watched
    };
    for (const Row& row : rows) {
        TablesHarness h;
        h.m_tick.m_now = row.start;
        h.m_tables.OnReadDrive();
        h.m_tick.m_now = row.start + row.silence;
        h.m_tables.ContinueModal();
        const std::string name =
            "start " + std::to_string(row.start) + " silence " + std::to_string(row.silence);
        EXPECT_EQ(h.m_tables.IsReading(), !row.ends) << name;
        EXPECT_EQ(h.m_view.m_ends.size(), row.ends ? 1u : 0u) << name;
        if (row.ends) {
            EXPECT_EQ(h.m_view.m_ends[0], ETablesEnd::kWatchdog) << name;
        }
    }
}

TEST(TablesWatchdog, SettlingDoesNotRenewTheStampButTheWalkDoes) {
    TablesHarness h;
    h.m_tables.OnReadDrive();
    h.m_tick.m_now += 1000;
    h.Settle();
    h.m_tick.m_now += 301;
    h.m_tables.ContinueModal();
    EXPECT_FALSE(h.m_tables.IsReading()) << "1301 ms after the start";

    h.m_tables.OnReadDrive();
    h.Settle();
    h.m_tick.m_now += 1000;
    h.Name("P1");
    h.m_tick.m_now += 1000;
    h.m_tables.ContinueModal();
    EXPECT_TRUE(h.m_tables.IsReading()) << "1000 ms after the last record";
}
}  // namespace
