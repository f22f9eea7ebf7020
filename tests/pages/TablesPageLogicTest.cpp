// The Table page's decisions around CTables: status line, progress bar, buttons, the
// questions before a running procedure is stopped, the file-name line and find's keys.
#include "app/PageFileChooser.h"
#include "app/Resources.h"
#include "app/TablesPageLogic.h"
#include "platform/WindowInput.h"
#include "support/TempDir.h"
#include "table/FixedPoint.h"
#include "table/TablesFakes.h"
#include "table/UpdatePlan.h"

#include <gtest/gtest.h>

namespace {

class FakePageView : public ITablesPageView {
public:
    void ShowStatus(const std::string& strText) override { m_strStatus = strText; }
    void ShowProgressBar(const SProgressBar& bar) override { m_bar = bar; }
    void HideProgressBar() override { m_bar.reset(); }
    void EnableStop(bool bEnable) override { m_bStop = bEnable; }
    std::string m_strStatus;
    std::optional<SProgressBar> m_bar;
    bool m_bStop = false;
};

class TablesPageLogicTest : public ::testing::Test {
protected:
    void Read() {
        m_h.m_tables.OnReadDrive();
        m_logic.OnStarted(EPageProcedure::kRead);
        m_h.Settle();
        for (const char* line : {"P1", "=10", "P1", "P2", "=20", "P2", "P1"}) {
            if (line[0] == '=')
                m_h.Value(line + 1);
            else
                m_h.Name(line);
            m_logic.OnRecordHandled();
        }
        ASSERT_FALSE(m_h.m_tables.IsReading());
        m_logic.OnProcedureEnded(ETablesEnd::kCompleted, false);
    }

    TablesHarness m_h;
    FakePageView m_view;
    CTablesPageLogic m_logic{m_h.m_tables, m_h.m_tick, m_view};
};

TEST_F(TablesPageLogicTest, AReadShowsItsProgressAndTheNextReadCountsAgainstIt) {
    EXPECT_FALSE(m_logic.IsButtonEnabled(res::kIdStop));
    m_h.m_tables.OnReadDrive();
    m_logic.OnStarted(EPageProcedure::kRead);
    EXPECT_EQ(m_view.m_strStatus, "Reading: starting");
    EXPECT_EQ(m_view.m_bar, (SProgressBar{0, 0})) << "a busy bar before any complete read";
    EXPECT_TRUE(m_view.m_bStop);
    EXPECT_TRUE(m_logic.IsButtonEnabled(res::kIdStop));
    m_h.m_tables.OnStop();
    m_logic.OnProcedureEnded(ETablesEnd::kStopped, true);

    Read();
    EXPECT_EQ(m_view.m_strStatus, "Read complete: 2 parameters");
    EXPECT_FALSE(m_view.m_bar) << "the bar goes with the procedure";
    EXPECT_FALSE(m_view.m_bStop);
    m_h.m_tables.OnReadDrive();
    m_logic.OnStarted(EPageProcedure::kRead);
    EXPECT_EQ(m_view.m_bar, (SProgressBar{0, 2}));
    m_h.m_tick.m_now += 2500;
    m_logic.OnContinueModal();
    EXPECT_EQ(m_view.m_strStatus, "Reading: 0 of 2 parameters, level 0, 0:02") << "the clock moves on";
}

TEST_F(TablesPageLogicTest, ButtonsFollowTheTableAndTheAlwaysEnabledOnesStay) {
    struct Row {
        int nId;
        bool bEmpty, bWithValues;
    };
    const Row rows[] = {
        {res::kIdReadDrive, true, true},     {res::kIdDriveToFile, false, true},
        {res::kIdReadFile, true, true},      {res::kIdUpdateDrive, false, true},
        {res::kIdClearTable, true, true},    {res::kIdFileToNewFile, false, true},
        {res::kIdMarkDiffering, true, true}, {res::kIdStop, false, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(m_logic.IsButtonEnabled(row.nId), row.bEmpty) << row.nId;
    m_h.AddRow("P1", "1", "2", "No");
    m_h.m_tables.FinishAndRefresh();
    for (const Row& row : rows)
        EXPECT_EQ(m_logic.IsButtonEnabled(row.nId), row.bWithValues) << row.nId;
}

TEST_F(TablesPageLogicTest, HowAProcedureEndedAndWhetherTheUpdateIsVerified) {
    struct Row {
        EPageProcedure eProcedure;
        ETablesEnd how;
        bool bLeft;
        const char* status;
        bool bVerifyNext;  // with "Verify after update" on
    };
    const Row rows[] = {
        {EPageProcedure::kRead, ETablesEnd::kWatchdog, false, "No answer from the drive for 1.3 s", false},
        {EPageProcedure::kRead, ETablesEnd::kWatchdog, true,
         "No answer from the drive for 1.3 s (the Table page was left)", false},
        {EPageProcedure::kUpdate, ETablesEnd::kNoWrap, false,
         "Update stopped: the drive's menu did not come back to its first item", false},
        {EPageProcedure::kUpdate, ETablesEnd::kCompleted, false,
         "Update complete: 0 of 0 marked parameters reached", true},
        {EPageProcedure::kRead, ETablesEnd::kCompleted, false, "Read complete: 0 parameters", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.status);
        m_logic.OnStarted(row.eProcedure);
        if (row.bLeft)
            m_logic.OnPageLeft();
        EXPECT_EQ(m_logic.OnProcedureEnded(row.how, true), row.bVerifyNext);
        EXPECT_EQ(m_view.m_strStatus, row.status);
    }
}

TEST_F(TablesPageLogicTest, AnUpdateTheUserDoesNotConfirmIsNeitherSavedNorStarted) {
    m_h.AddRow("P1", "1", "2", "Yes");
    int nPlanned = 0;
    const auto refuse = [&](const SUpdatePlan& plan) {
        nPlanned = static_cast<int>(plan.changes.size());
        return false;
    };
    EXPECT_FALSE(m_logic.StartUpdate(refuse, m_h.m_messages));
    EXPECT_EQ(nPlanned, 1);
    EXPECT_FALSE(m_logic.IsBusy());
    EXPECT_EQ(m_h.Keys(), "");
    EXPECT_EQ(m_logic.SnapshotPath(), "");
}

TEST_F(TablesPageLogicTest, QuestionsOnlyWhileAProcedureRuns) {
    EXPECT_FALSE(m_logic.CloseQuestion());
    EXPECT_FALSE(m_logic.LeaveQuestion());
    m_logic.OnStarted(EPageProcedure::kVerify);
    EXPECT_EQ(m_logic.CloseQuestion(), StopAndCloseQuestion(ERunningProcedure::kRead));
    m_logic.OnStarted(EPageProcedure::kUpdate);
    EXPECT_EQ(m_logic.LeaveQuestion(), StopAndLeaveQuestion(ERunningProcedure::kUpdate));
    m_logic.OnPageLeft();
    m_logic.OnStayed();  // kept after the question: nothing starved
    m_logic.OnProcedureEnded(ETablesEnd::kWatchdog, false);
    EXPECT_EQ(m_view.m_strStatus, "No answer from the drive for 1.3 s");
}

TEST_F(TablesPageLogicTest, FilesAreNamedAndComparedWithTheDrive) {
    m_h.AddRow("P1", "1", "1", "No");
    m_h.AddRow("P2", "1", "2", "No");
    m_h.AddRow("P3", "", "3", "No");
    m_h.AddRow("P4", "4", "", "No");
    struct Row {
        int nAnswer;  // to replace or add, when asked
        const char* file;
        const char* line;
    };
    const Row rows[] = {
        {1, "a.txt", "File: a.txt"}, {1, "b.txt", "File: a.txt, b.txt"}, {0, "c.txt", "File: c.txt"}};
    for (const Row& row : rows) {
        const EReadFileChoice eChoice = CTablesPageLogic::ReadFileChoice(row.nAnswer);
        m_logic.OnFileRead(row.file, eChoice == EReadFileChoice::kReplace);
        EXPECT_EQ(m_logic.FileNameLine(), row.line);
    }
    EXPECT_EQ(m_view.m_strStatus, "Compared with the file: 1 differ, 1 without a drive value");
    EXPECT_EQ(CTablesPageLogic::ReadFileChoice(kReadFileEscapeAnswer), EReadFileChoice::kCancel);
    EXPECT_EQ(CTablesPageLogic::ReadFileChoice(-1), EReadFileChoice::kAdd);
    m_logic.OnTableCleared();
    EXPECT_EQ(m_logic.FileNameLine(), "");
}

TEST(TablesPageReadFile, AReplacingReadGivesTheFileValuesBackWhenNoFileIsRead) {
    TempDir dir;
    WriteFileBytes(dir.File("new.txt"), "P1\t5\tYes\r\n");
    TablesHarness h;  // its fakes, around a CTables that uses the page's chooser
    CPageFileChooser chooser(h.m_chooser);
    CTables tables({&h.m_tick, &h.m_timers, &h.m_keys, &h.m_messages, &chooser, &h.m_cursor, nullptr});
    tables.OnInitDialog();
    const int nRow = AddParameterRow(tables.GetGrid(), "P1");
    tables.GetGrid().SetItemText(nRow, kColFile, "2");
    FakePageView view;
    CTablesPageLogic logic(tables, h.m_tick, view);
    struct Row {
        std::optional<std::string> path;  // chosen in the dialog; none: cancelled
        bool bRead;
        const char* file;  // column 2 afterwards
    };
    const Row rows[] = {
        {std::nullopt, false, "2"},
        {dir.File("missing.txt"), false, "2"},
        {dir.File("new.txt"), true, "5"},
    };
    for (const Row& row : rows) {
        h.m_chooser.m_openPath = row.path;
        EXPECT_EQ(logic.ReadFile(EReadFileChoice::kReplace, chooser), row.bRead);
        EXPECT_EQ(tables.GetGrid().GetItemText(nRow, kColFile), row.file);
    }
    EXPECT_EQ(logic.FileNameLine(), "File: new.txt");
    EXPECT_FALSE(logic.ReadFile(EReadFileChoice::kCancel, chooser));
}

TEST(TablesPageFindKeys, WhatEachKeyDoesToFind) {
    struct Row {
        std::uint32_t nKey;
        unsigned nModifiers;
        bool bInField, bEmpty;
        EFindKey expected;
    };
    const Row rows[] = {
        {kVkF, kModControl, false, true, EFindKey::kOpen},
        {kVkF, kModControl | kModShift, false, true, EFindKey::kNone},
        {kVkF3, kModNone, false, false, EFindKey::kNext},
        {kVkF3, kModShift, false, false, EFindKey::kPrevious},
        {kVkF3, kModNone, false, true, EFindKey::kNone},  // nothing to find yet
        {kVkF3, kModControl, false, false, EFindKey::kNone},
        {VK_RETURN, kModNone, true, true, EFindKey::kNext},
        {VK_RETURN, kModNone, false, false, EFindKey::kNone},  // Enter outside the field
        {VK_RETURN, kModShift, true, false, EFindKey::kNone},
        {VK_ESCAPE, kModNone, true, false, EFindKey::kClose},
        {VK_ESCAPE, kModNone, false, false, EFindKey::kNone},  // Escape outside is the sheet's
        {kVkF3, kModMeta, false, false, EFindKey::kNone},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FindKeyAction(row.nKey, row.nModifiers, row.bInField, row.bEmpty), row.expected)
            << row.nKey << " " << row.nModifiers << " " << row.bInField;
}

}  // namespace
