// tovamo-cli read and update end to end, for what scripts rely on: the update report, the
// refusal to overwrite the parameter file, the watchdog's message and a stdout that goes
// away early. The real program on the simulated drive, real files in a temp folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "UpdateTestMenu.h"
#include "cli/ExitCodes.h"
#include "support/ChildProcess.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"

namespace {

class CliUpdate : public ::testing::Test {
protected:
    CliUpdate() { WriteFileBytes(m_Dir.File("wanted.txt"), kWanted); }

    static SimDriveOptions Menu(int silentAfter = -1) {
        SimDriveOptions options;
        options.menu = kMenu;
        options.silentAfter = silentAfter;
        return options;
    }
    ChildResult Cli(const SimDrive& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {TOVAMO_CLI_PATH, "--port", sim.PtyPath()});
        return RunChild(args, {"XDG_CONFIG_HOME=" + m_Dir.Path(), "XDG_STATE_HOME=" + m_Dir.Path()});
    }

    TempDir m_Dir;
};

TEST_F(CliUpdate, ReportHasARowForEachMarkedParameterWithItsOutcome) {
    SimDrive sim(Menu());
    const ChildResult result = Cli(sim, {"update", m_Dir.File("wanted.txt"), "--report",
                                         m_Dir.File("report.txt"), "-o", m_Dir.File("out.txt")});
    EXPECT_EQ(result.status, kExitNotReached) << result.err;
    EXPECT_EQ(ReadFileBytes(m_Dir.File("report.txt")),
              "name\tdrive before\tfile\tdrive after\toutcome\n"
              "P1 Limited \t5\t9\t6\tgave up after ten repeats\n"
              "P2 Next \t1\t4\t4\treached\n"
              "P3 Equal \t3.00\t3\t3.00\talready equal\n"
              "P4 Heat \tError 07 Sensor\t7\tError 07 Sensor\tnot a number\n"
              "P5 Odd \t1\t2\t3\tgave up between two steps\n"
              "P9 Missing \t\t7\t\tnot found on the drive\n");
}

// The drive goes quiet early in the update: the watchdog ends it, says so, and the table
// and the report are still written.
TEST_F(CliUpdate, WatchdogEndSaysSoAndTheReportShowsWhatWasNotReached) {
    std::size_t scanKeys = 0;
    {
        SimDrive sim(Menu());
        ASSERT_EQ(Cli(sim, {"read", "-o", m_Dir.File("scan.txt")}).status, kExitDone);
        scanKeys = sim.KeysReceived().size();
    }
    SimDrive sim(Menu(static_cast<int>(scanKeys) + 2));
    const ChildResult result =
        Cli(sim, {"update", m_Dir.File("wanted.txt"), "--report", m_Dir.File("report.txt")});
    EXPECT_EQ(result.status, kExitWatchdog) << result.err;
    EXPECT_NE(result.err.find("no answer from the drive for 1.3 s; the table so far was written\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.out.find("P2 Next \t1\t4\tYes\r\n"), std::string::npos) << result.out;
    const std::string report = ReadFileBytes(m_Dir.File("report.txt"));
    EXPECT_NE(report.find("P1 Limited \t5\t9\t5\tnot reached when the procedure ended\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("P3 Equal \t3.00\t3\t3.00\talready equal\n"), std::string::npos) << report;
    EXPECT_NE(report.find("P9 Missing \t\t7\t\tnot reached when the procedure ended\n"), std::string::npos)
        << report;
}

// The four-column table and the report are not parameter files: written over FILE they
// would destroy it, and the report written over OUT would replace the table. Files that do
// not exist yet count too: OUT and REPORT are both created by the update.
TEST_F(CliUpdate, RefusesAnyTwoOfFileOutAndReportThatNameOneFile) {
    ASSERT_EQ(::symlink("wanted.txt", m_Dir.File("alias.txt").c_str()), 0);
    ASSERT_EQ(::symlink("fresh.txt", m_Dir.File("dangling.txt").c_str()), 0);
    ASSERT_EQ(::mkdir(m_Dir.File("sub").c_str(), 0700), 0);
    const std::string dir = m_Dir.Path();
    SimDrive sim(Menu());
    struct Row {
        std::vector<std::string> args;
        const char* complaint;
    };
    const Row rows[] = {
        {{"-o", dir + "/wanted.txt"}, "OUT is FILE itself"},
        {{"-o", dir + "/alias.txt"}, "OUT is FILE itself"},
        {{"-o", dir + "/./wanted.txt"}, "OUT is FILE itself"},
        {{"--report", dir + "/alias.txt"}, "REPORT is FILE itself"},
        {{"-o", dir + "/out.txt", "--report", dir + "/out.txt"}, "REPORT and OUT are the same file"},
        {{"-o", dir + "/x", "--report", dir + "/./x"}, "REPORT and OUT are the same file"},
        {{"-o", dir + "/sub/../y", "--report", dir + "//y"}, "REPORT and OUT are the same file"},
        {{"-o", dir + "/dangling.txt", "--report", dir + "/fresh.txt"}, "REPORT and OUT are the same file"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = row.args;
        std::string where;
        for (const std::string& arg : args)
            where += arg + " ";
        args.insert(args.begin(), {"update", m_Dir.File("wanted.txt")});
        const ChildResult result = Cli(sim, args);
        EXPECT_EQ(result.status, kExitUsage) << where;
        EXPECT_NE(result.err.find(row.complaint), std::string::npos) << where << ": " << result.err;
    }
    EXPECT_EQ(ReadFileBytes(m_Dir.File("wanted.txt")), kWanted);
    for (const char* name : {"out.txt", "x", "y", "fresh.txt"})
        EXPECT_NE(::access(m_Dir.File(name).c_str(), F_OK), 0)
            << name << ": refused before anything is written";
    EXPECT_EQ(sim.KeysReceived(), "") << "refused before the drive is touched";
}

pid_t Start(const std::vector<std::string>& args, int in, int out, int err) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if ((in >= 0 && dup2(in, 0) < 0) || dup2(out, 1) < 0 || (err >= 0 && dup2(err, 2) < 0))
            _exit(127);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// `read | head -c 10` on a pipe made as small as it gets (a page), so that a menu of a few
// hundred rows is more than it holds: `head` has gone when the rest of the table comes.
TEST(CliRead, StdoutClosedEarlyEndsWithStatus5) {
    TempDir dir;
    SimDriveOptions options;
    for (int item = 100; item < 400; ++item)
        options.menu += "param P" + std::to_string(item) + " Item ; value=" + std::to_string(item) + "\n";
    SimDrive sim(options);
    int pipeFds[2];
    ASSERT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
    ASSERT_GT(fcntl(pipeFds[1], F_SETPIPE_SZ, 4096), 0);
    const int headOut = open(dir.File("head.out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const int cliErr = open(dir.File("cli.err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const pid_t head = Start({"head", "-c", "10"}, pipeFds[0], headOut, -1);
    const pid_t cli = Start({TOVAMO_CLI_PATH, "--port", sim.PtyPath(), "read"}, -1, pipeFds[1], cliErr);
    for (const int fd : {pipeFds[0], pipeFds[1], headOut, cliErr})
        close(fd);
    EXPECT_EQ(ExitStatus(head), 0);
    EXPECT_EQ(ExitStatus(cli), kExitFileFailed) << ReadFileBytes(dir.File("cli.err"));
    EXPECT_EQ(ReadFileBytes(dir.File("head.out")), "P100 Item ");
}

}  // namespace
