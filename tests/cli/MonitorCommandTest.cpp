// tovamo-cli as a program: options, exit statuses and the monitor command against the
// simulated drive.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/SimDrive.h"
#include "support/TempDir.h"

namespace {
// Generous: the suite also runs under sanitizers on a loaded two-core machine.
constexpr auto kTimeout = std::chrono::seconds(30);

std::vector<std::string> Cli(std::vector<std::string> args) {
    args.insert(args.begin(), TOVAMO_CLI_PATH);
    return args;
}
}  // namespace

TEST(CliMonitor, PrintsTheDrivesFieldsForTheKeysOnStdin) {
    SimDrive drive;
    ChildProcess cli(Cli({"--port", drive.PtyPath(), "monitor"}));
    cli.WriteStdin("eux\neoo");
    const std::string expected =
        "name\tP101 Pole count \n"
        "name\tP102 Rated curr \n"
        "value\t4.20 A\n"
        "name\tP102 Rated curr \n"
        "name\tP1 Motor data \n";
    ASSERT_TRUE(cli.WaitForStdout(expected, kTimeout)) << cli.Stdout() << cli.Stderr();
    EXPECT_EQ(drive.KeysReceived(), "eueoo");  // other bytes are not sent

    const auto closed = std::chrono::steady_clock::now();
    cli.CloseStdin();
    EXPECT_EQ(cli.Wait(kTimeout), 0) << cli.Stderr();
    EXPECT_GE(std::chrono::steady_clock::now() - closed, std::chrono::milliseconds(500));
    EXPECT_EQ(cli.Stdout(), expected);
    EXPECT_EQ(cli.Stderr(), "");
}

TEST(CliMonitor, PassesHighBytesThroughAsTheyCame) {
    SimDrive drive;
    ChildProcess cli(Cli({"--port", drive.PtyPath(), "monitor"}));
    cli.WriteStdin("edddeu");
    EXPECT_TRUE(
        cli.WaitForStdout("value\t125 \xB0"
                          "C\n",
                          kTimeout))
        << cli.Stdout();
}

TEST(CliMonitor, EndsCleanlyOnAStopSignal) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SimDrive drive;
        ChildProcess cli(Cli({"--port", drive.PtyPath(), "monitor"}));
        cli.WriteStdin("u");
        ASSERT_TRUE(cli.WaitForStdout("name\tP2 Speed loop \n", kTimeout)) << "signal " << signal;
        cli.Signal(signal);
        EXPECT_EQ(cli.Wait(kTimeout), 0) << "signal " << signal << ": " << cli.Stderr();
    }
}

TEST(CliMonitor, TakesTheStoredPortNumberWithoutPort) {
    TempDir config;
    const std::string folder = config.File("Tovamo Dispenser");
    SimDriveOptions options;
    options.linkPath = folder + "/ports/COM12";
    SimDrive drive(options);
    WriteFileBytes(folder + "/tovamo.conf", "[Setings]\nNumCom=12\n");
    ChildProcess cli(Cli({"monitor"}), {"XDG_CONFIG_HOME=" + config.Path()});
    cli.WriteStdin("d");
    EXPECT_TRUE(cli.WaitForStdout("\n", kTimeout)) << cli.Stderr();
    cli.CloseStdin();
    EXPECT_EQ(cli.Wait(kTimeout), 0) << cli.Stderr();
    EXPECT_EQ(cli.Stdout(), "name\tP4 In/Out \n");
}

TEST(Cli, AMissingPortEndsWithStatus2AndSaysWhy) {
    TempDir dir;
    const std::string path = dir.File("no-such-port");
    const ChildResult result = RunChild(Cli({"--port", path, "monitor"}));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.rfind("Hardware not present\n", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(Cli, BadUsageEndsWithStatus64) {
    struct Row {
        std::vector<std::string> args;
        const char* complaint;
    };
    const Row rows[] = {
        {{}, "no command given"},
        {{"--port"}, "--port needs a value"},
        {{"--port=", "monitor"}, "--port needs a value"},
        {{"--speed", "9600", "monitor"}, "unknown option --speed"},
        {{"--port", "COM1", "frob"}, "unknown command frob"},
        {{"--port", "/dev/null", "monitor", "extra"}, "monitor takes no arguments"},
    };
    for (const Row& row : rows) {
        const ChildResult result = RunChild(Cli(row.args));
        std::string command;
        for (const std::string& arg : row.args)
            command += " " + arg;
        EXPECT_EQ(result.status, 64) << command;
        EXPECT_NE(result.err.find(row.complaint), std::string::npos) << command << ": " << result.err;
    }
}

TEST(Cli, HelpGoesToStdout) {
    const ChildResult result = RunChild(Cli({"--help"}));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("usage: tovamo-cli [--port PORT] COMMAND [ARGS]\n", 0), 0u) << result.out;
}

// The cable is pulled after the second key and the adapter comes back under the same
// port link, held for a while by another program: the monitor says so and goes on.
TEST(CliMonitor, PrintsLinkLostBusyAndBackAndGoesOn) {
    TempDir dir;
    SimDriveOptions options;
    options.linkPath = dir.File("COM5");
    options.unplugAfterKeys = 2;
    options.unpluggedMs = 300;
    options.busyMs = 500;
    SimDrive drive(options);
    ChildProcess cli(Cli({"monitor", "--port", options.linkPath}));
    cli.WriteStdin("u");
    ASSERT_TRUE(cli.WaitForStdout("name\tP2 Speed loop \n", kTimeout)) << cli.Stderr();
    cli.WriteStdin("u");
    ASSERT_TRUE(cli.WaitForStdout("link\tlost\nlink\tbusy\nlink\tback\n", kTimeout)) << cli.Stdout();
    cli.WriteStdin("d");
    ASSERT_TRUE(cli.WaitForStdout("link\tback\nname\tP2 Speed loop \n", kTimeout)) << cli.Stdout();
    cli.CloseStdin();
    EXPECT_EQ(cli.Wait(kTimeout), 0) << cli.Stderr();
    EXPECT_NE(cli.Stderr().find("in use by"), std::string::npos) << cli.Stderr();
}

// `| head -c 10` goes away after the first line; the next line ends the monitor with the
// file status instead of a silent death by SIGPIPE.
TEST(CliMonitor, StdoutClosedEarlyEndsWithStatus5) {
    SimDrive drive;
    const char* script =
        "(sleep 0.5; printf uuuu; sleep 1; printf dddd; sleep 1) |"
        " { \"$0\" --port \"$1\" monitor; echo \"status $?\" >&2; } | head -c 10";
    const ChildResult result = RunChild({"/bin/sh", "-c", script, TOVAMO_CLI_PATH, drive.PtyPath()});
    EXPECT_EQ(result.out, "name\tP2 Sp");
    EXPECT_NE(result.err.find("stdout was closed"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("status 5\n"), std::string::npos) << result.err;
}
