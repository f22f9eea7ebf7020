// tovamo-robust [--seconds N] [--seed S] [--baud N] [--verbose]: the desktop program
// against the simulated drive (paced at 9600 baud, 0 = unpaced) on the offscreen platform, fed seeded random
// input for N seconds (default 30) after Connect and a complete read on the Table page. A run without
// --seed takes a random one. The seed is printed at the start and with every failure;
// the same seed gives the same choices, though the drive's timing may still differ.
// Exit status 0 when the program neither crashed nor hung, 1 after a failure, 2 for
// wrong arguments. Sanitizer builds report their findings and end the process.
#include "platform/ConfigPaths.h"
#include "robust/FailureReport.h"
#include "robust/FileAnswers.h"
#include "robust/ProgramDriver.h"
#include "robust/RandomInput.h"
#include "support/SimDrive.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <random>
#include <string>

namespace {

struct SOptions {
    int nSeconds = 30;
    std::uint64_t seed = 0;
    bool bVerbose = false;
    int nHangSeconds = 20;  // one event taking this long counts as a hang
    int nBaud = 9600;       // the drive's pace: a read takes long enough to type into
};

std::optional<SOptions> ParseOptions(int argc, char* argv[]) {
    SOptions options;
    options.seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool bHasValue = i + 1 < argc;
        try {
            if (arg == "--seconds" && bHasValue)
                options.nSeconds = std::stoi(argv[++i]);
            else if (arg == "--seed" && bHasValue)
                options.seed = std::stoull(argv[++i]);
            else if (arg == "--hang-seconds" && bHasValue)
                options.nHangSeconds = std::stoi(argv[++i]);
            else if (arg == "--baud" && bHasValue)
                options.nBaud = std::stoi(argv[++i]);
            else if (arg == "--verbose")
                options.bVerbose = true;
            else
                return std::nullopt;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    if (options.nSeconds < 0 || options.nHangSeconds <= 0 || options.nBaud < 0)
        return std::nullopt;
    return options;
}

// QTest warns about every press it delivers beyond a window's edge, which the drags
// do on purpose, and the offscreen platform about what it cannot do (grab the
// keyboard, raise a window); everything else Qt says is kept.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QStringLiteral("occurs outside target window")) ||
        message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    std::fprintf(stderr, "qt: %s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

int Run(const SOptions& options, int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's settings and port links, and every file it saves, stay in here.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tovamo-robust-XXXXXX"));
    if (!home.isValid()) {
        std::fprintf(stderr, "tovamo-robust: no temporary folder\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());  // snapshots
    QDir().mkpath(home.filePath(QStringLiteral("files")));
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());
    qInstallMessageHandler(FilterQtMessages);
    QApplication application(argc, argv);

    CRandomInput input(options.seed, options.bVerbose);
    CFileAnswers files(input, home.filePath(QStringLiteral("files")));
    files.Install();
    // Restarts and reads take a fraction of the random time; more than twice as long
    // (plus the start) means the program stopped ending its runs.
    robust::CHangWatchdog watchdog(options.nHangSeconds, 2 * options.nSeconds + 180);
    CProgramDriver driver(input, watchdog, options.nSeconds * 1000);
    SimDriveOptions driveOptions;
    driveOptions.linkPath = TovamoPortLinkDir() + "/COM1";
    driveOptions.baud = options.nBaud;
    bool bPassed = true;
    while (bPassed && driver.TimeLeft()) {
        // A fresh drive for each start: the random keys of a run may leave the drive's
        // menus where no read can begin (values changed, a sub-menu open).
        SimDrive drive(driveOptions);
        bPassed = driver.RunProgram();
    }

    const double seconds = static_cast<double>(driver.RandomMs()) / 1000.0;
    std::printf(
        "tovamo-robust: %s: %d runs, %d reads (the longest %lld ms), %.1f s of random input: "
        "%lld actions (%.0f/s), %lld input events (%.0f/s), %d file dialogs\n",
        bPassed ? "passed" : "FAILED", driver.Runs(), driver.Reads(), driver.LongestReadMs(), seconds,
        input.Actions(), seconds > 0 ? static_cast<double>(input.Actions()) / seconds : 0.0, input.Events(),
        seconds > 0 ? static_cast<double>(input.Events()) / seconds : 0.0, files.Answered());
    return bPassed ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::optional<SOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(
            stderr,
            "usage: tovamo-robust [--seconds N] [--seed S] [--hang-seconds N] [--baud N] [--verbose]\n");
        return 2;
    }
    const std::string replay =
        "--seconds " + std::to_string(options->nSeconds) + " --seed " + std::to_string(options->seed);
    std::printf("tovamo-robust: seed %llu (replay with: tovamo-robust %s)\n",
                static_cast<unsigned long long>(options->seed), replay.c_str());
    std::fflush(stdout);
    robust::SetReplayArguments(replay);
    robust::InstallCrashReport();
    try {
        static char name[] = "tovamo-robust";
        char* qtArgv[] = {name, nullptr};
        int qtArgc = 1;
        return Run(*options, qtArgc, qtArgv);
    } catch (const std::exception& error) {
        robust::PrintFailure(error.what());
        return 1;
    }
}
