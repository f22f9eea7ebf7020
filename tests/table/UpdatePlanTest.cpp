// What the confirmation of an update lists, and the snapshot written before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "table/Snapshot.h"
#include "table/TableRows.h"
#include "table/TablesFakes.h"
#include "table/UpdatePlan.h"

namespace {
TEST(UpdatePlan, MarkedRowsAreSplitAsTheValueStepTreatsThem) {
    TablesHarness h;
    h.AddRow("P1 Speed  ", "1500 rpm", "1800 rpm", "Yes");
    h.AddRow("P2 Gain ", "3.00", "3", "Yes");
    h.AddRow("P3 Temp ",
             "20 \xB0"
             "C",
             "25 \xB0"
             "C",
             "Yes");
    h.AddRow("P4 Heat ", "Error 07", "7", "Yes");
    h.AddRow("P5 Mode ", "1", "auto", "Yes");
    h.AddRow("P6 Other ", "1", "2", "No");
    h.AddRow("P7 Same ", "4.20 A", "4.20 A", "Yes");
    h.AddRow("P8 Gone ", "", "8", "Yes");
    const SUpdatePlan plan = MakeUpdatePlan(h.m_tables.GetGrid());
    ASSERT_EQ(plan.changes.size(), 2u);
    EXPECT_EQ(plan.changes[1].nRow, 3);
    EXPECT_EQ(plan.changes[1].strDrive,
              "20 \xB0"
              "C")
        << "the structure keeps the table's bytes";
    EXPECT_EQ(PlanTextUtf8(plan),
              "2 marked parameters will be changed:\n"
              "  P1 Speed: 1500 rpm \xE2\x86\x92 1800 rpm\n"
              "  P3 Temp: 20 \xC2\xB0"
              "C \xE2\x86\x92 25 \xC2\xB0"
              "C\n"
              "Left alone:\n"
              "  P2 Gain: 3.00 (already equal)\n"
              "  P4 Heat: Error 07 \xE2\x86\x92 7 (not a number)\n"
              "  P5 Mode: 1 \xE2\x86\x92 auto (not a number)\n"
              "  P7 Same: 4.20 A (already equal)\n"
              "  P8 Gone: 8 (not on the drive)\n");
    EXPECT_EQ(PlanTextUtf8(SUpdatePlan{}), "0 marked parameters will be changed.\n");
}

std::tm At(int hour, int minute, int second) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 8;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    return when;
}

TEST(Snapshot, NamedAfterTheTimeNeverOverwrittenAndTheNewest200Kept) {
    TempDir dir;
    const std::string folder = dir.File("state/Tovamo Dispenser/snapshots");
    SSnapshotResult first = WriteSnapshot(folder, "P1\t1\tNo\r\n", At(9, 5, 7));
    ASSERT_TRUE(first.Ok()) << first.strError;
    EXPECT_EQ(first.strPath, folder + "/20261208-090507-before-update.txt");
    EXPECT_EQ(ReadFileBytes(first.strPath), "P1\t1\tNo\r\n");
    const SSnapshotResult second = WriteSnapshot(folder, "second", At(9, 5, 7));
    EXPECT_EQ(second.strPath, folder + "/20261208-090507-before-update-2.txt");
    EXPECT_EQ(ReadFileBytes(first.strPath), "P1\t1\tNo\r\n") << "the first of the second stays";
    WriteFileBytes(folder + "/notes.txt", "mine");
    for (int i = 0; i < kSnapshotsKept; ++i)
        ASSERT_TRUE(WriteSnapshot(folder, "x", At(10, i / 60, i % 60)).Ok());
    int nFiles = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++nFiles;
    EXPECT_EQ(nFiles, kSnapshotsKept + 1) << "200 snapshots and the file that is not one";
    EXPECT_FALSE(std::filesystem::exists(first.strPath));
    EXPECT_FALSE(std::filesystem::exists(second.strPath)) << "-2 of 09:05:07 is older than 10:00:00";
    EXPECT_TRUE(std::filesystem::exists(folder + "/20261208-100000-before-update.txt"));
    EXPECT_EQ(ReadFileBytes(folder + "/notes.txt"), "mine");
}

TEST(Snapshot, AFolderThatCannotBeMadeIsAnError) {
    TempDir dir;
    WriteFileBytes(dir.File("state"), "a file where the folder should be");
    const SSnapshotResult result = WriteSnapshot(dir.File("state/snapshots"), "x", At(9, 0, 0));
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.strPath, "");
    EXPECT_NE(result.strError.find("The snapshot of the drive could not be written: "), std::string::npos)
        << result.strError;
    EXPECT_NE(result.strError.find(dir.File("state/snapshots")), std::string::npos) << result.strError;
    EXPECT_FALSE(WriteSnapshot("", "x", At(9, 0, 0)).Ok());
}
}  // namespace
