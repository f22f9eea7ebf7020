// tovamo-cli read and update end to end: the real program on the simulated drive's
// pseudo-terminal, with real files in a temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ExitCodes.h"
#include "support/ChildProcess.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"
#include "table/ParamFile.h"

namespace {
const SParamLine* Find(const std::vector<SParamLine>& lines, const std::string& prefix) {
    for (const SParamLine& line : lines) {
        if (line.strName.rfind(prefix, 0) == 0)
            return &line;
    }
    return nullptr;
}

// `base` with the rows whose names begin with a key of `changes` given that value and
// "Yes".
std::string WithChanges(const std::string& base,
                        const std::vector<std::pair<std::string, std::string>>& changes) {
    std::string out;
    for (SParamLine line : ParseParamFile(base)) {
        for (const auto& [prefix, value] : changes) {
            if (line.strName.rfind(prefix, 0) == 0) {
                line.strValue = value;
                line.strFlag = "Yes";
            }
        }
        out += FormatParamLine(line.strName, line.strValue, line.strFlag);
    }
    return out;
}

SimDriveOptions Menu(const std::string& menu) {
    SimDriveOptions options;
    options.menu = menu;
    return options;
}

class CliProcedures : public ::testing::Test {
protected:
    ChildResult Cli(const SimDrive& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {TOVAMO_CLI_PATH, "--port", sim.PtyPath()});
        return RunChild(args, {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_STATE_HOME=" + m_dir.Path()});
    }
    std::string ReadTable(const SimDrive& sim) {
        const ChildResult result = Cli(sim, {"read"});
        EXPECT_EQ(result.status, kExitDone) << result.err;
        return result.out;
    }
    TempDir m_dir;
};

TEST_F(CliProcedures, ReadWritesTheDefaultMenu) {
    SimDrive sim;
    const ChildResult result = Cli(sim, {"read", "-o", m_dir.File("drive.txt")});
    ASSERT_EQ(result.status, kExitDone) << result.err;
    EXPECT_EQ(result.out, "");
    const std::string table = ReadFileBytes(m_dir.File("drive.txt"));
    const std::vector<SParamLine> lines = ParseParamFile(table);
    EXPECT_EQ(lines.size(), 43u) << table;
    ASSERT_NE(Find(lines, "P102 Rated curr"), nullptr);
    EXPECT_EQ(Find(lines, "P102 Rated curr")->strValue, "4.20 A");
    EXPECT_EQ(Find(lines, "P3 Current loop")->strValue, "") << "sub-menu rows have no value";
    EXPECT_EQ(Find(lines, "P310 Heatsink")->strValue, "Error 07 Sensor");
    EXPECT_EQ(Find(lines, "P408"), nullptr) << "hidden while the brake is off";
    EXPECT_EQ(table.find("\r\n") != std::string::npos && table.find("\n\n") == std::string::npos, true);
    EXPECT_EQ(ReadTable(sim), table) << "stdout gets the same bytes";
}

TEST_F(CliProcedures, SingleItemTopLevel) {
    SimDrive sim(Menu("param P1 Only ; value=3\n"));
    const std::string table = ReadTable(sim);
    ASSERT_EQ(ParseParamFile(table).size(), 1u) << table;
    EXPECT_EQ(ParseParamFile(table)[0].strValue, "3");
    // Settling, open and leave, case 1, ten retries of case 2; case 3 sends nothing.
    EXPECT_EQ(sim.KeysReceived(), std::string(11, 'o') + "eou" + std::string(10, 'u'));
}

TEST_F(CliProcedures, ScanStartingInTheMiddleOfTheTopLevel) {
    SimDrive sim(Menu("param P1 A ; value=1\nparam P2 B ; value=2 ; start\nparam P3 C ; value=3\n"));
    const std::vector<SParamLine> lines = ParseParamFile(ReadTable(sim));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].strName.substr(0, 2), "P2");
    EXPECT_EQ(lines[1].strName.substr(0, 2), "P3");
    EXPECT_EQ(lines[2].strName.substr(0, 2), "P1");
}

TEST_F(CliProcedures, NestingTooDeepEndsWithOverflov) {
    std::string menu;
    for (int level = 1; level <= 11; ++level)
        menu += "menu P" + std::to_string(level) + " Level\n";
    menu += "param P99 Deep ; value=1\n";
    for (int level = 1; level <= 11; ++level)
        menu += "end\n";
    SimDrive sim(Menu(menu));
    const ChildResult result = Cli(sim, {"read"});
    EXPECT_EQ(result.status, kExitOverflowLevels);
    EXPECT_NE(result.err.find("Overflov Levels"), std::string::npos) << result.err;
    EXPECT_EQ(ParseParamFile(result.out).size(), 11u) << "the table read so far is written";
}

// The last item's Up shows it again, so the top level never comes back to P1: without a
// bound the walk would step for ever, answered every time.
TEST_F(CliProcedures, MenuThatDoesNotWrapStopsWithStatus3) {
    SimDrive sim(Menu("param P1 A ; value=1\nparam P2 B ; value=2 ; last\n"));
    const ChildResult result = Cli(sim, {"read"});
    EXPECT_EQ(result.status, kExitWatchdog) << result.err;
    EXPECT_NE(result.err.find("Read stopped: the drive's menu did not come back to its first item"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(ParseParamFile(result.out).size(), 2u) << "the table read so far is written";
    EXPECT_EQ(sim.KeysReceived(), std::string(11, 'o') + "eoueo" + std::string(11, 'u'));
}

TEST_F(CliProcedures, SilentDriveEndsByTheWatchdog) {
    SimDriveOptions options;
    options.silentAfter = 30;
    SimDrive sim(options);
    const ChildResult result = Cli(sim, {"read", "-o", m_dir.File("part.txt")});
    EXPECT_EQ(result.status, kExitWatchdog) << result.err;
    EXPECT_FALSE(ReadFileBytes(m_dir.File("part.txt")).empty()) << "the part read is written";
}

TEST_F(CliProcedures, FailuresGiveTheirExitStatus) {
    SimDrive sim;
    ChildResult result = RunChild({TOVAMO_CLI_PATH, "--port", m_dir.File("no-tty"), "read"});
    EXPECT_EQ(result.status, kExitPortFailed);
    EXPECT_NE(result.err.find("Hardware not present"), std::string::npos) << result.err;
    result = Cli(sim, {"update", m_dir.File("missing.txt")});
    EXPECT_EQ(result.status, kExitFileFailed);
    EXPECT_NE(result.err.find(m_dir.File("missing.txt") + " was not found."), std::string::npos)
        << result.err;
    EXPECT_EQ(sim.KeysReceived(), "") << "a bad file is found before the drive is scanned";
    result = Cli(sim, {"read", "-o", m_dir.File("no/folder.txt")});
    EXPECT_EQ(result.status, kExitFileFailed);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"read", "extra"}, {"read", "-o"}, {"update"}, {"update", "a", "b"}, {"read", "-x"}}) {
        EXPECT_EQ(Cli(sim, args).status, kExitUsage) << args.back();
    }
}

TEST_F(CliProcedures, UpdateStepsTenParametersToTheFile) {
    SimDrive sim;
    const std::vector<std::pair<std::string, std::string>> changes = {
        {"P101", "14"},       {"P102", "4.50 A"}, {"P104", "2950 rpm"}, {"P202", "1.230"},
        {"P203", "27.0 ms"},  {"P206", "0.5 ms"}, {"P302", "1.40 ms"},  {"P305", "16 kHz"},
        {"P402", "-0.080 V"}, {"P410", "5"},
    };
    WriteFileBytes(m_dir.File("wanted.txt"), WithChanges(ReadTable(sim), changes));
    const ChildResult result = Cli(sim, {"update", m_dir.File("wanted.txt"), "-o", m_dir.File("out.txt")});
    ASSERT_EQ(result.status, kExitDone) << result.err;
    const std::vector<SParamLine> after = ParseParamFile(ReadTable(sim));
    for (const auto& [prefix, value] : changes) {
        ASSERT_NE(Find(after, prefix), nullptr) << prefix;
        EXPECT_EQ(Find(after, prefix)->strValue, value) << prefix;
    }
    EXPECT_EQ(Find(after, "P103")->strValue, "12.0 A") << "rows marked No are left";
    const std::string out = ReadFileBytes(m_dir.File("out.txt"));
    EXPECT_NE(out.find("P102 Rated curr \t4.50 A\t4.50 A\tYes\r\n"), std::string::npos) << out;
}

TEST_F(CliProcedures, StuckParameterIsGivenUpAndTheOthersStillUpdate) {
    SimDrive sim(
        Menu("param P1 Limited ; value=5 ; min=0 ; max=6\nparam P2 Next ; value=1 ; max=9\n"
             "param P3 Equal ; value=3.00\n"));
    // Names as the drive shows them: take them from a read.
    std::string file;
    const std::vector<SParamLine> read = ParseParamFile(ReadTable(sim));
    ASSERT_EQ(read.size(), 3u);
    const char* values[] = {"9", "4", "3"};
    for (int i = 0; i < 3; ++i)
        file += FormatParamLine(read[i].strName, values[i], "Yes");
    WriteFileBytes(m_dir.File("wanted.txt"), file);
    const ChildResult result = Cli(sim, {"update", m_dir.File("wanted.txt")});
    EXPECT_EQ(result.status, kExitNotReached) << result.err;
    EXPECT_NE(result.err.find("not reached: P1 Limited"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("P2 Next"), std::string::npos) << "P2 reached its value";
    EXPECT_EQ(result.err.find("P3 Equal"), std::string::npos) << "3.00 equals 3";
    const std::vector<SParamLine> after = ParseParamFile(ReadTable(sim));
    EXPECT_EQ(after[0].strValue, "5") << "given up with Escape: the stepped value is not accepted";
    EXPECT_EQ(after[1].strValue, "4");
    EXPECT_EQ(after[2].strValue, "3.00");
}

TEST_F(CliProcedures, ItemAppearingDuringTheUpdateDoesNotStallIt) {
    SimDrive sim(
        Menu("param P1 Brake ; value=0 ; min=0 ; max=1\n"
             "param P2 Delay ; value=100 ; step=10 ; when=P1 Brake=1\n"
             "param P3 After ; value=1 ; max=9\n"));
    std::string file;
    const std::vector<SParamLine> read = ParseParamFile(ReadTable(sim));
    ASSERT_EQ(read.size(), 2u) << "P2 is hidden while the brake is off";
    file += FormatParamLine(read[0].strName, "1", "Yes");
    file += FormatParamLine(read[1].strName, "3", "Yes");
    WriteFileBytes(m_dir.File("wanted.txt"), file);
    const ChildResult result = Cli(sim, {"update", m_dir.File("wanted.txt")});
    EXPECT_EQ(result.status, kExitDone) << result.err;
    const std::vector<SParamLine> after = ParseParamFile(ReadTable(sim));
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(Find(after, "P3")->strValue, "3") << "the item after the new one was updated";
}
}  // namespace
