// tovamo-cli diff, update --dry-run / --mark-differing and the snapshot before an update:
// the real program on the simulated drive, real files in a temp folder.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "UpdateTestMenu.h"
#include "cli/ExitCodes.h"
#include "support/ChildProcess.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"

namespace {

const char kUnmarked[] = "P1 Limited \t9\tNo\r\nP2 Next \t1\tNo\r\nP3 Equal \t3\tNo\r\n";
const char kArrow[] = " \xE2\x86\x92 ";

class CliService : public ::testing::Test {
protected:
    CliService() {
        WriteFileBytes(m_dir.File("wanted.txt"), kWanted);
        WriteFileBytes(m_dir.File("unmarked.txt"), kUnmarked);
    }
    ChildResult Cli(const SimDrive& sim, std::vector<std::string> args, const std::string& stateHome = "") {
        args.insert(args.begin(), {TOVAMO_CLI_PATH, "--port", sim.PtyPath()});
        return RunChild(args, {"XDG_CONFIG_HOME=" + m_dir.Path(),
                               "XDG_STATE_HOME=" + (stateHome.empty() ? m_dir.File("state") : stateHome)});
    }
    std::string Snapshots() const { return m_dir.File("state/Tovamo Dispenser/snapshots"); }

    TempDir m_dir;
};

SimDriveOptions Menu() {
    SimDriveOptions options;
    options.menu = kMenu;
    return options;
}

// None of these change the drive: each sends exactly the keys of a read, nothing after.
TEST_F(CliService, DiffAndDryRunSendOnlyTheReadsKeys) {
    SimDrive sim(Menu());
    ASSERT_EQ(Cli(sim, {"read", "-o", m_dir.File("drive.txt")}).status, kExitDone);
    const std::string readKeys = sim.KeysReceived();
    const std::string plan = std::string("3 marked parameters will be changed:\n") + "  P1 Limited: 5" +
                             kArrow + "9\n  P2 Next: 1" + kArrow + "4\n  P5 Odd: 1" + kArrow + "2\n";
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string out;
        const char* err;  // a part of stderr
    };
    const std::vector<Row> rows = {
        {{"diff", m_dir.File("wanted.txt")},
         kExitDiffers,
         "P1 Limited \t5\t9\nP2 Next \t1\t4\nP3 Equal \t3.00\t3\nP4 Heat \tError 07 Sensor\t7\n"
         "P5 Odd \t1\t2\nP9 Missing \t\t7\n",
         ""},
        {{"diff", "--numeric", m_dir.File("wanted.txt")},
         kExitDiffers,
         "P1 Limited \t5\t9\nP2 Next \t1\t4\nP4 Heat \tError 07 Sensor\t7\nP5 Odd \t1\t2\nP9 Missing \t\t7\n",
         ""},
        {{"diff", m_dir.File("drive.txt")}, kExitDone, "", ""},
        {{"update", m_dir.File("wanted.txt"), "--dry-run"},
         kExitDone,
         plan + "Left alone:\n  P3 Equal: 3.00 (already equal)\n  P4 Heat: Error 07 Sensor" + kArrow +
             "7 (not a number)\n  P9 Missing: 7 (not on the drive)\n",
         ""},
        {{"update", m_dir.File("unmarked.txt"), "--dry-run", "--mark-differing"},
         kExitDone,
         "1 marked parameter will be changed:\n  P1 Limited: 5" + std::string(kArrow) +
             "9\nLeft alone:\n  P3 Equal: 3.00 (already equal)\n",
         "Mark Differing: 2 parameters marked"},
        {{"update", m_dir.File("unmarked.txt"), "--dry-run", "--mark-differing", "--numeric"},
         kExitDone,
         "1 marked parameter will be changed:\n  P1 Limited: 5" + std::string(kArrow) + "9\n",
         "Mark Differing: 1 parameter marked"},
    };
    for (const Row& row : rows) {
        const std::size_t before = sim.KeysReceived().size();
        const ChildResult result = Cli(sim, row.args);
        const std::string where = row.args[0] + " " + row.args.back();
        EXPECT_EQ(result.status, row.status) << where << ": " << result.err;
        EXPECT_EQ(result.out, row.out) << where;
        EXPECT_NE(result.err.find(row.err), std::string::npos) << where << ": " << result.err;
        EXPECT_EQ(sim.KeysReceived().substr(before), readKeys) << where;
    }
    EXPECT_FALSE(std::filesystem::exists(Snapshots())) << "no snapshot without an update";
    EXPECT_EQ(Cli(sim, {"read", "--numeric"}).status, kExitUsage);
    EXPECT_EQ(Cli(sim, {"diff", "--dry-run", m_dir.File("wanted.txt")}).status, kExitUsage);
}

// The snapshot holds the values the drive had before the update's first key, and one
// that cannot be written stops the update before that key.
TEST_F(CliService, SnapshotBeforeTheUpdateOrNoUpdateAtAll) {
    SimDrive sim(Menu());
    ASSERT_EQ(Cli(sim, {"read", "-o", m_dir.File("drive.txt")}).status, kExitDone);
    const std::string readKeys = sim.KeysReceived();
    WriteFileBytes(m_dir.File("not-a-folder"), "");
    ChildResult result = Cli(sim, {"update", m_dir.File("wanted.txt")}, m_dir.File("not-a-folder"));
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_NE(result.err.find("The snapshot of the drive could not be written: "), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("the update was not started"), std::string::npos) << result.err;
    EXPECT_EQ(sim.KeysReceived(), readKeys + readKeys) << "the read's keys and no update key";

    result = Cli(sim, {"update", m_dir.File("wanted.txt")});
    EXPECT_EQ(result.status, kExitNotReached) << result.err;
    const std::string prefix = "tovamo-cli: snapshot: ";
    const std::size_t at = result.err.find(prefix);
    ASSERT_NE(at, std::string::npos) << result.err;
    const std::string path =
        result.err.substr(at + prefix.size(), result.err.find('\n', at) - at - prefix.size());
    EXPECT_EQ(path.rfind(Snapshots() + "/", 0), 0u) << path;
    EXPECT_NE(path.find("-before-update.txt"), std::string::npos) << path;
    const std::string snapshot = ReadFileBytes(path);
    for (const char* line : {"P1 Limited \t5\tYes\r\n", "P2 Next \t1\tYes\r\n", "P3 Equal \t3.00\tYes\r\n"})
        EXPECT_NE(snapshot.find(line), std::string::npos) << line << " in\n" << snapshot;
    EXPECT_EQ(Cli(sim, {"diff", "--numeric", m_dir.File("drive.txt")}).status, kExitDiffers) << "P2 changed";
    result = Cli(sim, {"update", m_dir.File("wanted.txt"), "--no-snapshot"});
    EXPECT_EQ(result.err.find("snapshot"), std::string::npos) << result.err;
}

// SIGTERM while P1 is being stepped ends the update as "Stop" does: Escape leaves the
// value, the drive keeps its stored 0, and nothing follows the Escape.
TEST_F(CliService, StopDuringTheUpdateLeavesTheSteppedValue) {
    SimDriveOptions options;
    options.menu = "param P1 Far ; value=0 ; max=1000\nparam P2 Next ; value=1 ; max=9\n";
    options.baud = 9600;
    SimDrive sim(options);
    const ChildResult read = Cli(sim, {"read"});
    ASSERT_EQ(read.status, kExitDone) << read.err;
    const std::size_t scanKeys = sim.KeysReceived().size();
    WriteFileBytes(m_dir.File("far.txt"), read.out.substr(0, read.out.find('\t')) + "\t500\tYes\r\n");
    ChildProcess cli(
        {TOVAMO_CLI_PATH, "--port", sim.PtyPath(), "update", m_dir.File("far.txt"), "--no-snapshot"},
        {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_STATE_HOME=" + m_dir.Path()});
    ASSERT_TRUE(sim.WaitForKeys(2 * scanKeys + 11 + 20, std::chrono::seconds(20)));
    cli.Signal(SIGTERM);
    EXPECT_EQ(cli.Wait(std::chrono::seconds(10)), kExitInterrupted) << cli.Stderr();
    const std::string updateKeys = sim.KeysReceived().substr(2 * scanKeys);
    EXPECT_TRUE(std::regex_match(updateKeys, std::regex("o{11}eu+o"))) << updateKeys;
    // The drive's answers to the last keys were taken in before the end: the next
    // command's walk is in step with the drive again.
    EXPECT_EQ(Cli(sim, {"read"}).out, read.out) << "P1 keeps its stored value";
}

}  // namespace
