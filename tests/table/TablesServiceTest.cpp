// "Stop", "Mark Differing", the compare as numbers and the outcomes of an update, on
// CTables driven by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/TableRows.h"
#include "table/TablesFakes.h"
#include "table/TablesStatus.h"
#include "table/UpdateOutcome.h"
#include "table/ValueCompare.h"

namespace {
// Feeds the lines in order ("P1" a name, "=10" a value, "!Err" an error) and returns the
// keys they were answered with.
std::string Lines(TablesHarness& h, const std::vector<std::string>& lines) {
    std::string sent;
    for (const std::string& line : lines) {
        if (line[0] == '=')
            sent += h.Value(line.substr(1));
        else if (line[0] == '!')
            sent += h.Error(line.substr(1));
        else
            sent += h.Name(line);
    }
    return sent;
}

struct SComparedRow {
    const char* drive;
    const char* file;
    COLORREF textColour;  // the drive cell's colour with each compare
    COLORREF numericColour;
    const char* markText;  // what Mark Differing sets with each compare
    const char* markNumeric;
};

const std::vector<SComparedRow> kRows = {
    {"3", "3", kTableWhite, kTableWhite, "No", "No"},
    {"3.00", "3", kTableYellow, kTableWhite, "Yes", "No"},
    {"4.20 A", "4.2 A", kTableYellow, kTableWhite, "Yes", "No"},
    {"4.20 A", "4.5 A", kTableYellow, kTableYellow, "Yes", "Yes"},
    {"-0.5", "-.5", kTableYellow, kTableWhite, "Yes", "No"},
    {"Error 07", "7", kTableYellow, kTableYellow, "No", "No"},
    {"on", "off", kTableYellow, kTableYellow, "No", "No"},
    {"", "7", kTableRed, kTableRed, "No", "No"},
    {"5", "", kTableWhite, kTableWhite, "No", "No"},
};

TEST(TablesCompare, ColoursAndMarksFollowTheCompare) {
    for (const ECompare eCompare : {ECompare::kText, ECompare::kNumeric}) {
        TablesHarness h;
        for (const SComparedRow& row : kRows)
            h.AddRow(std::string("P") + row.drive + "/" + row.file, row.drive, row.file, "Yes");
        h.m_tables.FinishAndRefresh();
        h.m_tables.SetCompare(eCompare);
        const bool bNumeric = eCompare == ECompare::kNumeric;
        int nExpected = 0;
        for (std::size_t i = 0; i < kRows.size(); ++i) {
            const int nRow = static_cast<int>(i) + 1;
            EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(nRow, kColDrive),
                      bNumeric ? kRows[i].numericColour : kRows[i].textColour)
                << h.Text(nRow, 0) << " numeric " << bNumeric;
            nExpected += std::string(bNumeric ? kRows[i].markNumeric : kRows[i].markText) == "Yes" ? 1 : 0;
        }
        EXPECT_EQ(h.m_tables.MarkDiffering(), nExpected);
        for (std::size_t i = 0; i < kRows.size(); ++i)
            EXPECT_EQ(h.Text(static_cast<int>(i) + 1, kColUpdate),
                      bNumeric ? kRows[i].markNumeric : kRows[i].markText)
                << h.Text(static_cast<int>(i) + 1, 0) << " numeric " << bNumeric;
    }
    EXPECT_EQ(MarkedStatusText(1), "Mark Differing: 1 parameter marked");
}

class TablesStop : public ::testing::Test {
protected:
    TablesHarness h;
};

TEST_F(TablesStop, ReadStopsAtOnceKeepingTheTable) {
    h.m_tables.OnReadDrive();
    h.Settle();
    EXPECT_EQ(Lines(h, {"P1", "=10", "P1", "P2"}), "eoue");
    h.m_tables.OnStop();
    EXPECT_EQ(h.Keys(), "") << "a read has no value to leave";
    EXPECT_EQ(Lines(h, {"=20", "P2", "P3"}), "") << "no key after the stop";
    EXPECT_EQ(h.Rows(), 3);
    EXPECT_EQ(h.Text(1, kColDrive), "10");
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kStopped});
    EXPECT_EQ(StoppedStatusText(h.m_tables, false), "Read stopped: 1 parameter");
}

TEST_F(TablesStop, StopInTheSettlingPhaseAnswersNothingMore) {
    h.m_tables.OnReadDrive();
    EXPECT_EQ(h.Keys() + Lines(h, {"P9", "P9"}), "ooo");
    h.m_tables.OnStop();
    EXPECT_EQ(h.Settle(), "");
}

// Each case stops the update at a different point of the parameter being stepped.
TEST_F(TablesStop, UpdateLeavesTheSteppedValueWithEscape) {
    struct SCase {
        const char* name;
        std::vector<const char*> lines;  // after "P1" was opened
        const char* keyAtStop;
    };
    const std::vector<SCase> cases = {
        {"while stepping", {"5.2", "5.1"}, "o"},
        {"opened, no value yet", {}, "o"},
        {"in a pause", {"5.2", "5.1", "5.0"}, "o"},
        {"accepted", {"5.2", "5.1", "5.05"}, ""},
    };
    for (const SCase& c : cases) {
        TablesHarness t;
        t.AddRow("P1", "5.2", "5.05", "Yes");
        t.AddRow("P2", "1", "2", "Yes");
        t.m_tables.OnUpdateDrive();
        t.Settle();
        EXPECT_EQ(t.Name("P1"), "e") << c.name;
        for (const char* line : c.lines)
            t.Value(line);
        t.Keys();
        t.m_tables.OnStop();
        EXPECT_EQ(t.Keys(), c.keyAtStop) << c.name;
        EXPECT_EQ(t.m_timers.PendingCount(), 0u) << c.name;
        EXPECT_EQ(Lines(t, {"=5.1", "P1", "P2"}), "") << c.name << ": no key after the stop";
        EXPECT_FALSE(t.m_tables.IsUpdating());
        const bool bAccepted = c.keyAtStop[0] == 0;
        EXPECT_EQ(t.m_tables.GetOutcome(1),
                  bAccepted ? EUpdateOutcome::kReached : EUpdateOutcome::kNotReachedAtEnd)
            << c.name;
        EXPECT_EQ(t.m_tables.GetOutcome(2), EUpdateOutcome::kNotReachedAtEnd) << c.name;
        EXPECT_EQ(
            StoppedStatusText(t.m_tables, true),
            std::string("Update stopped: ") + (bAccepted ? "1" : "0") + " of 2 marked parameters reached");
    }
}

// One update over a table with a row for each outcome; the colours go with a new read.
TEST(TablesOutcome, EachMarkedRowGetsItsOutcomeAndColour) {
    TablesHarness h;
    h.AddRow("P1", "1", "2", "Yes");     // reached
    h.AddRow("P2", "3.00", "3", "Yes");  // already equal
    h.AddRow("P3", "0", "-1", "Yes");    // stuck
    h.AddRow("P4", "Err", "7", "Yes");   // not a number
    h.AddRow("P5", "", "7", "Yes");      // not on the drive
    h.AddRow("P6", "1", "2", "No");      // not marked
    h.m_tables.OnUpdateDrive();
    h.Settle();
    h.Name("P1");
    EXPECT_EQ(Lines(h, {"=1", "=2", "P1"}), "ueu");
    EXPECT_EQ(Lines(h, {"P2", "=3.00", "P2"}), "eeu");
    h.Name("P3");
    h.Value("0");
    h.FirePause();
    for (int i = 0; i < CTables::kSameValueLimit; ++i)
        h.Value("0");
    EXPECT_EQ(Lines(h, {"P3", "P4", "!Err", "P4"}), "ueou");
    EXPECT_EQ(Lines(h, {"P6", "=1", "P6", "P1"}), "eou");
    const std::vector<EUpdateOutcome> expected = {
        EUpdateOutcome::kReached,    EUpdateOutcome::kAlreadyEqual, EUpdateOutcome::kGaveUpRepeats,
        EUpdateOutcome::kNotANumber, EUpdateOutcome::kNotFound,     EUpdateOutcome::kNone,
    };
    const std::vector<COLORREF> colours = {kOutcomeGreen, kOutcomeGreen, kOutcomeOrange,
                                           kTableRed,     kTableRed,     CLR_DEFAULT};
    for (int nRow = 1; nRow <= 6; ++nRow) {
        EXPECT_EQ(h.m_tables.GetOutcome(nRow), expected[nRow - 1]) << nRow;
        EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(nRow, kColUpdate), colours[nRow - 1]) << nRow;
        EXPECT_EQ(h.Text(nRow, kColUpdate), nRow == 6 ? "No" : "Yes") << "the cell keeps its flag";
    }
    EXPECT_EQ(UpdateReportText(h.m_tables),
              "name\tdrive before\tfile\tdrive after\toutcome\n"
              "P1\t1\t2\t2\treached\n"
              "P2\t3.00\t3\t3.00\talready equal\n"
              "P3\t0\t-1\t0\tgave up after ten repeats\n"
              "P4\tErr\t7\tErr\tnot a number\n"
              "P5\t\t7\t\tnot found on the drive\n");
    // The verifying read keeps the outcomes; it finds P1 back at 1 (changed at the panel).
    h.m_tables.OnVerifyDrive();
    h.Settle();
    EXPECT_EQ(Lines(h, {"P1", "=1", "P1", "P2", "=3.00", "P2", "P1"}), "eoueou");
    EXPECT_EQ(h.m_tables.GetOutcome(1), EUpdateOutcome::kReached);
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, kColUpdate), kOutcomeGreen);
    EXPECT_EQ(VerifiedStatusText(h.m_tables),
              "Update complete: 2 of 5 reached; verified: 1 now equal the file");
    h.m_tables.OnReadDrive();
    EXPECT_FALSE(h.m_tables.HasOutcomes());
    EXPECT_EQ(h.m_tables.GetGrid().GetItemBkColour(1, kColUpdate), CLR_DEFAULT);
}
}  // namespace
