#include <gtest/gtest.h>

#include <string>

#include "table/TableRows.h"
#include "table/TablesFakes.h"

namespace {
// A table as "Read File" leaves it, an update started and its settling phase answered.
class TablesUpdate : public ::testing::Test {
protected:
    void Start() {
        h.m_tables.OnUpdateDrive();
        EXPECT_EQ(h.Keys(), "o");
        EXPECT_EQ(h.Settle(), "oooooooooo");
    }
    TablesHarness h;
};

TEST_F(TablesUpdate, StepsDownToTheFileValue) {
    h.AddRow("P1", "5.2", "5.0", "Yes");
    h.AddRow("P2", "1", "", "No");
    Start();
    EXPECT_EQ(h.Name("P1"), "e");
    EXPECT_EQ(h.Value("5.2"), "d");
    EXPECT_EQ(h.m_tables.GetDirection(), 'D');
    EXPECT_EQ(h.Value("5.1"), "d");
    EXPECT_EQ(h.Value("5.0"), "e");
    EXPECT_EQ(h.m_tables.GetDirection(), 0);
    EXPECT_EQ(h.Text(1, 1), "5.0");
    EXPECT_EQ(h.Value("5.0"), "o") << "a value shown again after Enter is left";
    EXPECT_EQ(h.Name("P1"), "u");
    EXPECT_EQ(h.Name("P2"), "e");
    EXPECT_EQ(h.Value("1"), "o");
    EXPECT_EQ(h.Name("P2"), "u");
    EXPECT_EQ(h.Name("P1"), "");
    EXPECT_FALSE(h.m_tables.IsUpdating());
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kCompleted});
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, 1), kTableWhite);
}

TEST_F(TablesUpdate, PausesWhenItHasGonePastTheTarget) {
    h.AddRow("P1", "5.2", "5.05", "Yes");
    Start();
    h.Name("P1");
    EXPECT_EQ(h.Value("5.2"), "d");
    EXPECT_EQ(h.Value("5.1"), "d");
    EXPECT_EQ(h.Value("5.0"), "") << "5.0 < 5.05 while stepping down: pause";
    const unsigned timer = h.m_tables.GetPauseTimer();
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(h.m_timers.m_pending.at(timer), CTables::kPauseMs);
    const std::uint32_t stamp = h.m_tables.GetLastRecordTick();
    h.m_tick.m_now += 100;
    EXPECT_EQ(h.Value("4.9") + h.Name("P1") + h.Error("Error 1"), "") << "lines in a pause are dropped";
    EXPECT_EQ(h.Text(1, 1), "5.0");
    EXPECT_NE(h.m_tables.GetLastRecordTick(), stamp) << "but they still renew the watchdog";
    EXPECT_EQ(h.FirePause(), "u");
    EXPECT_EQ(h.m_tables.GetDirection(), 0);
    EXPECT_FALSE(h.m_timers.IsPending(timer));
    EXPECT_EQ(h.Value("5.1"), "d");
    EXPECT_EQ(h.m_tables.GetDirection(), 'D');
    EXPECT_EQ(h.Value("5.0"), "");
    EXPECT_EQ(h.FirePause(), "u") << "the value turns around the target, pausing at each turn";
}

TEST_F(TablesUpdate, StuckAtALimitIsGivenUpWithOneKey) {
    h.AddRow("P1", "0.0", "-1", "Yes");
    h.AddRow("P2", "3", "4", "Yes");
    Start();
    h.Name("P1");
    EXPECT_EQ(h.Value("0.0"), "d");
    for (int repeat = 1; repeat < CTables::kSameValueLimit; ++repeat)
        EXPECT_EQ(h.Value("0.0"), "d") << "repeat " << repeat;
    EXPECT_EQ(h.Value("0.0"), "o") << "the eleventh line in a row gives up: 'o' alone";
    EXPECT_EQ(h.m_tables.GetGiveUp(1), EValueGiveUp::kRepeats);
    EXPECT_EQ(h.Value("0.0"), "o");
    EXPECT_EQ(h.Name("P1"), "u");
    // The next parameter is opened and stepped from where the walk really is.
    EXPECT_EQ(h.Name("P2"), "e");
    EXPECT_EQ(h.Value("3"), "") << "the carried direction 'D' meets a target above: pause";
    EXPECT_EQ(h.FirePause(), "u");
    EXPECT_EQ(h.Value("4"), "e");
    EXPECT_EQ(h.Name("P2"), "u");
    EXPECT_EQ(h.Name("P1"), "");
    h.m_tables.FinishAndRefresh();
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, 1), kTableYellow);
}

TEST_F(TablesUpdate, EqualNumbersWrittenDifferentlyAreAcceptedAndKeepTheDirection) {
    h.AddRow("P1", "5.2", "5.0", "Yes");
    h.AddRow("P2", "3.00", "3", "Yes");
    Start();
    h.Name("P1");
    EXPECT_EQ(h.Value("5.2"), "d");
    EXPECT_EQ(h.Value("5.10"), "d");
    EXPECT_EQ(h.Value("5.00"), "e") << "5.00 equals 5.0 as a number";
    EXPECT_EQ(h.m_tables.GetDirection(), 'D');
    EXPECT_EQ(h.Name("P1"), "u");
    EXPECT_EQ(h.Name("P2"), "e");
    EXPECT_EQ(h.Value("3.00"), "e");
    EXPECT_EQ(h.m_tables.GetDirection(), 'D');
    EXPECT_EQ(h.Name("P2"), "u");
    EXPECT_EQ(h.Name("P1"), "");
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(2, 1), kTableYellow) << "'3.00' and '3' differ as text";
}

TEST_F(TablesUpdate, RowsNotMarkedYesOrWithoutANumberAreLeft) {
    struct Row {
        const char* flag;
        const char* file;
        const char* drive;
    };
    const Row rows[] = {
        {"No", "7", "5"},    {"Yes\tmore", "7", "5"}, {"yes", "7", "5"},   {"Yes", "", "5"},
        {"Yes", "abc", "5"}, {"Yes", " 7", "5"},      {"Yes", "7", "Off"}, {"Yes", "7", ""},
    };
    for (const Row& row : rows)
        h.AddRow(std::string("P1 ") + row.flag + "/" + row.file + "/" + row.drive, "", row.file, row.flag);
    Start();
    for (int i = 0; i < 8; ++i) {
        const std::string name = h.Text(i + 1, 0);
        EXPECT_EQ(h.Name(name), "e") << name;
        EXPECT_EQ(h.Value(rows[i].drive), "o") << name;
        EXPECT_EQ(h.Text(i + 1, 1), rows[i].drive) << name << ": the value is copied all the same";
        EXPECT_EQ(h.Name(name), "u") << name;
    }
    EXPECT_EQ(h.m_tables.GetDirection(), 0);
}

TEST_F(TablesUpdate, AParameterWithoutARowIsLeftAndTheWalkGoesOn) {
    h.AddRow("P1", "1", "1", "Yes");
    h.AddRow("P3", "1", "2", "Yes");
    Start();
    EXPECT_EQ(h.Name("P1"), "e");
    EXPECT_EQ(h.Value("1"), "e");
    EXPECT_EQ(h.Name("P1"), "u");
    // P2 appeared on the drive only now: it has no row and is not added.
    EXPECT_EQ(h.Name("P2"), "e");
    EXPECT_EQ(h.Value("0"), "o");
    EXPECT_EQ(h.Rows(), 3);
    EXPECT_EQ(h.Name("P2"), "u");
    EXPECT_EQ(h.Name("P3"), "e");
    EXPECT_EQ(h.Value("1"), "u");
    EXPECT_EQ(h.Value("2"), "e");
    EXPECT_EQ(h.Name("P3"), "u");
    EXPECT_EQ(h.Name("P1"), "");
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kCompleted});
}

TEST_F(TablesUpdate, ErrorLineWhileAParameterIsOpen) {
    h.AddRow("P1", "1", "2", "Yes");
    Start();
    h.Name("P1");
    EXPECT_EQ(h.Error("Error 4 locked"), "o");
    EXPECT_EQ(h.Text(1, 1), "Error 4 locked");
    EXPECT_EQ(h.Name("P1"), "u");
}

TEST_F(TablesUpdate, EndingStopsThePendingPause) {
    h.AddRow("P1", "5.2", "5.05", "Yes");
    Start();
    h.Name("P1");
    h.Value("5.1");
    h.Value("5.0");
    const unsigned timer = h.m_tables.GetPauseTimer();
    ASSERT_NE(timer, 0u);
    h.m_tables.OnClearTable();
    EXPECT_FALSE(h.m_timers.IsPending(timer));
    EXPECT_EQ(h.m_tables.GetPauseTimer(), 0u);
    h.m_tables.OnTimer(timer);
    EXPECT_EQ(h.Keys(), "") << "no key after the end";
    EXPECT_EQ(h.m_tables.GetDirection(), 'D') << "the direction is left as it is";
}

TEST_F(TablesUpdate, TheWatchdogEndsAPause) {
    h.AddRow("P1", "5.2", "5.05", "Yes");
    Start();
    h.Name("P1");
    h.Value("5.1");
    h.Value("5.0");
    h.m_tick.m_now += 1301;
    h.m_tables.ContinueModal();
    EXPECT_EQ(h.m_timers.PendingCount(), 0u);
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kWatchdog});
}

// A target between two of the drive's steps (8 and 10 for 9): after ten trips past it
// the parameter is given up instead of stepping back and forth for ever.
TEST_F(TablesUpdate, TargetBetweenStepsIsGivenUp) {
    h.AddRow("P1", "8", "9", "Yes");
    Start();
    h.Name("P1");
    EXPECT_EQ(h.Value("8"), "u");
    for (int nTrip = 1; nTrip < CTables::kOvershootLimit; ++nTrip) {
        EXPECT_EQ(h.Value("10"), "") << "trip " << nTrip << ": pause";
        EXPECT_EQ(h.FirePause(), "d") << "trip " << nTrip;
        EXPECT_EQ(h.Value("8"), "u") << "trip " << nTrip;
    }
    EXPECT_EQ(h.Value("10"), "o") << "the tenth trip past the target gives up";
    EXPECT_EQ(h.m_tables.GetPauseTimer(), 0u);
    EXPECT_EQ(h.m_tables.GetGiveUp(1), EValueGiveUp::kTrips);
    EXPECT_EQ(h.Value("10"), "o");
    EXPECT_EQ(h.Name("P1"), "u");
}

// A value that wraps round the end of its range (Up from 3 shows 0) never passes a
// target outside the range, nor repeats: each wrap counts as a trip, as does a Down that
// wraps to the top.
TEST_F(TablesUpdate, TargetOutsideAWrappingRangeIsGivenUp) {
    struct Row {
        const char* file;
        const char* first;  // the key the first value gets
        const char* cycle[4];
    };
    const Row rows[] = {
        {"5", "u", {"0", "1", "2", "3"}},
        {"-1", "d", {"3", "2", "1", "0"}},
    };
    for (const Row& row : rows) {
        TablesHarness fresh;
        fresh.AddRow("P1", "1", row.file, "Yes");
        fresh.m_tables.OnUpdateDrive();
        fresh.Settle();
        fresh.Name("P1");
        std::string sent;
        for (int line = 0; line < 200 && sent.find('o') == std::string::npos; ++line)
            sent += fresh.Value(row.cycle[line % 4]);
        EXPECT_EQ(sent.substr(0, 1), row.first) << "file " << row.file;
        EXPECT_EQ(sent.size(), 4u * CTables::kOvershootLimit + 1) << "file " << row.file << ": " << sent;
        EXPECT_EQ(sent.back(), 'o') << "file " << row.file;
        EXPECT_EQ(fresh.m_tables.GetGiveUp(1), EValueGiveUp::kTrips) << "file " << row.file;
    }
}

TEST_F(TablesUpdate, StartingTheScanEndsTheUpdate) {
    h.AddRow("P1", "5.2", "5.05", "Yes");
    Start();
    h.Name("P1");
    h.Value("5.1");
    h.Value("5.0");
    const unsigned timer = h.m_tables.GetPauseTimer();
    h.m_tables.OnReadDrive();
    EXPECT_EQ(h.Keys(), "o");
    EXPECT_FALSE(h.m_tables.IsUpdating());
    EXPECT_TRUE(h.m_tables.IsReading());
    EXPECT_FALSE(h.m_timers.IsPending(timer));
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kStopped});
    EXPECT_EQ(h.m_view.m_runningAtEnd, std::vector<bool>{false}) << "reported before the scan started";
    h.Settle();
    EXPECT_EQ(h.Name("P1"), "e");
    EXPECT_EQ(h.Value("5.2"), "o") << "one key per line: the scan's";
    EXPECT_EQ(h.m_cursor.m_nBegin, 1) << "one busy cursor for both";
}

TEST_F(TablesUpdate, StartingTheUpdateEndsTheScan) {
    h.AddRow("P1", "5.2", "5.0", "Yes");
    h.m_tables.OnReadDrive();
    h.Keys();
    Start();
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kStopped});
    EXPECT_EQ(h.m_view.m_runningAtEnd, std::vector<bool>{false}) << "reported before the update started";
    EXPECT_EQ(h.Name("P1"), "e");
    EXPECT_EQ(h.Value("5.2"), "d") << "one key per line: the update's";
}
}  // namespace
