#include <gtest/gtest.h>

#include <string>

#include "grid/GridCellCombo.h"
#include "support/TempDir.h"
#include "table/TableRows.h"
#include "table/TablesFakes.h"

namespace {
constexpr const char* kFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

class TablesFiles : public ::testing::Test {
protected:
    // P1, the sub-menu P2 with P2a and P2b, and P3: P2 is a sub-menu row without a value.
    void FillFromDrive() {
        h.m_tables.OnReadDrive();
        h.Settle();
        for (const char* line : {"P1", "=10", "P1", "P2", "P2a", "=1.5", "P2a", "P2b", "=2", "P2b", "P2a",
                                 "P2", "P3", "=7", "P3", "P1"}) {
            if (line[0] == '=')
                h.Value(line + 1);
            else
                h.Name(line);
        }
        ASSERT_FALSE(h.m_tables.IsReading());
        h.Keys();
    }
    std::string Save(bool bFileValues) {
        h.m_chooser.m_savePath = m_dir.File("out.txt");
        if (bFileValues)
            h.m_tables.OnFileToNewFile();
        else
            h.m_tables.OnDriveToFile();
        return ReadFileBytes(m_dir.File("out.txt"));
    }
    void Read(const std::string& bytes) {
        WriteFileBytes(m_dir.File("in.txt"), bytes);
        h.m_chooser.m_openPath = m_dir.File("in.txt");
        h.m_tables.OnReadFile();
    }

    TempDir m_dir;
    TablesHarness h;
};

TEST_F(TablesFiles, DriveToFileWritesEveryRow) {
    FillFromDrive();
    h.m_tables.GetGrid().SetItemText(3, 3, "Yes");
    EXPECT_EQ(Save(false), "P1\t10\tNo\r\nP2\t\tNo\r\nP2a\t1.5\tYes\r\nP2b\t2\tNo\r\nP3\t7\tNo\r\n");
    EXPECT_EQ(h.m_chooser.m_strFilter, kFilter);
    EXPECT_EQ(h.m_chooser.m_strInitial, "NoName.txt");
    EXPECT_EQ(h.m_chooser.m_strExtension, "txt");
    EXPECT_TRUE(h.m_messages.Messages().empty());
}

TEST_F(TablesFiles, RoundTripPutsTheDriveValuesIntoTheFileColumn) {
    FillFromDrive();
    const std::string saved = Save(false);
    h.m_tables.OnClearTable();
    h.m_view.m_ends.clear();
    h.m_chooser.m_openPath = m_dir.File("out.txt");
    h.m_tables.OnReadFile();
    EXPECT_EQ(h.m_chooser.m_strInitial, "*.txt");
    ASSERT_EQ(h.Rows(), 6);
    const char* values[] = {"10", "", "1.5", "2", "7"};
    for (int nRow = 1; nRow < 6; ++nRow) {
        EXPECT_EQ(h.Text(nRow, 1), "") << "row " << nRow;
        EXPECT_EQ(h.Text(nRow, 2), values[nRow - 1]) << "row " << nRow;
        EXPECT_EQ(h.Text(nRow, 3), "No") << "row " << nRow;
        EXPECT_NE(dynamic_cast<CGridCellCombo*>(h.m_tables.GetGrid().GetCell(nRow, 3)), nullptr);
    }
    EXPECT_EQ(h.m_view.m_buttons, (STablesButtons{false, true, true}));
    EXPECT_EQ(Save(true), "P1\t10\tNo\r\nP2a\t1.5\tNo\r\nP2b\t2\tNo\r\nP3\t7\tNo\r\n")
        << "File To New File skips rows without a file value";
}

TEST_F(TablesFiles, EmptyTableSavesAnEmptyFile) {
    EXPECT_EQ(Save(false), "");
    EXPECT_EQ(Save(true), "");
}

TEST_F(TablesFiles, ReadingMatchesRowsByNameAndKeepsTheRest) {
    FillFromDrive();
    Read("P2a\t1.6\tYes\nP9 new\t3\r\nP1 \t11\tNo\n\nno tab\nP3\t8\tYes\tmore\nP2b\t2.5\tYes");
    ASSERT_EQ(h.Rows(), 9);
    struct Row {
        const char* name;
        const char* drive;
        const char* file;
        const char* flag;
    };
    const Row rows[] = {
        {"P1", "10", "", "No"},        {"P2", "", "", "No"},
        {"P2a", "1.5", "1.6", "Yes"},  {"P2b", "2", "2.5", "Yes"},
        {"P3", "7", "8", "Yes\tmore"}, {"P9 new", "", "3", "No"},
        {"P1 ", "", "11", "No"},       {"", "", "", "No"},
    };
    for (int i = 0; i < 8; ++i) {
        const std::string name = std::string("row ") + std::to_string(i + 1) + " \"" + rows[i].name + "\"";
        EXPECT_EQ(h.Text(i + 1, 0), rows[i].name) << name;
        EXPECT_EQ(h.Text(i + 1, 1), rows[i].drive) << name;
        EXPECT_EQ(h.Text(i + 1, 2), rows[i].file) << name;
        EXPECT_EQ(h.Text(i + 1, 3), rows[i].flag) << name;
    }
    const std::string before = Save(true);
    Read("P2a\t1.6\tYes\nP9 new\t3\r\nP1 \t11\tNo\n\nno tab\nP3\t8\tYes\tmore\nP2b\t2.5\tYes");
    EXPECT_EQ(h.Rows(), 9) << "reading the same file twice changes nothing";
    EXPECT_EQ(Save(true), before);
    const CGridCtrl& grid = h.m_tables.GetGrid();
    EXPECT_EQ(grid.GetItemBkColour(3, 1), kTableYellow);
    EXPECT_EQ(grid.GetItemBkColour(6, 1), kTableRed);
    EXPECT_EQ(grid.GetItemBkColour(1, 1), kTableWhite);
}

TEST_F(TablesFiles, ReadingEndsARunningProcedure) {
    h.m_tables.OnReadDrive();
    Read("P1\t1\tNo\r\n");
    EXPECT_FALSE(h.m_tables.IsReading());
    EXPECT_EQ(h.m_view.m_ends, std::vector<ETablesEnd>{ETablesEnd::kStopped});
}

TEST_F(TablesFiles, FailuresShowTheirMessageAndChangeNothing) {
    FillFromDrive();
    const std::string before = Save(false);
    h.m_view.m_nRedraws = 0;
    struct Row {
        bool bSave;
        std::string path;
        std::string message;
    };
    const Row rows[] = {
        {false, m_dir.File("missing.txt"), m_dir.File("missing.txt") + " was not found."},
        {false, "", "an unnamed file was not found."},
        {true, m_dir.File("no/such.txt"), m_dir.File("no/such.txt") + " was not found."},
        {true, m_dir.Path(), "Access to " + m_dir.Path() + " was denied."},
#ifndef _WIN32  // a disk that is always full is a Linux device
        {true, "/dev/full", "Disk full while accessing /dev/full."},
#endif
    };
    for (const Row& row : rows) {
        h.m_chooser.m_openPath = row.path;
        h.m_chooser.m_savePath = row.path;
        const std::size_t count = h.m_messages.Messages().size();
        if (row.bSave)
            h.m_tables.OnDriveToFile();
        else
            h.m_tables.OnReadFile();
        ASSERT_EQ(h.m_messages.Messages().size(), count + 1) << row.path;
        EXPECT_EQ(h.m_messages.Messages().back().text, row.message);
    }
    EXPECT_EQ(h.m_view.m_nRedraws, 0) << "no refresh after a failed read";
    EXPECT_EQ(Save(false), before);
}

TEST_F(TablesFiles, CancelledDialogsDoNothing) {
    FillFromDrive();
    h.m_chooser.m_savePath.reset();
    h.m_chooser.m_openPath.reset();
    h.m_view.m_nRedraws = 0;
    h.m_tables.OnDriveToFile();
    h.m_tables.OnFileToNewFile();
    h.m_tables.OnReadFile();
    EXPECT_TRUE(h.m_messages.Messages().empty());
    EXPECT_EQ(h.m_view.m_nRedraws, 0);
}
}  // namespace
