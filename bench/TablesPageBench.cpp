// Times the Table page's "Read DC Drive" and "Update DC Drive" in the desktop program
// (offscreen platform, a real CMySheet and CHardware) against the simulated drive paced
// at 9600 baud, and compares them with `tovamo-cli read` and `tovamo-cli update FILE` on
// an identical drive in the same run and with the wire time of the bytes exchanged.
// Targets: the page within 3 % of the command line, and the UI thread never held for
// more than 16 ms while a procedure runs.
//
// The wire time is counted as bench_cli_procedures counts it: the keys come from the
// drive's log, the drive's answers from replaying those keys to a fresh paced drive,
// which answers every key with one field ending in CR LF.
//
// The UI thread is watched two ways while a procedure runs: every event it delivers is
// timed (the program's own work, the figure held against the target), and a 1 ms timer
// records the longest gap between its ticks (what a user would feel, the machine's
// scheduling included; the thread's own CPU time within that gap tells the two apart).
//
// Usage: bench_tables_page [--repeat N] [SIM CLI]   (default 3 repetitions; the programs
// of this build)
#include "app/qt/Globals.h"
#include "app/qt/MySheet.h"
#include "app/qt/Resources.h"
#include "app/qt/TablesPage.h"
#include "app/qt/UpdateConfirmDlg.h"
#include "link/Hardware.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtMessageBox.h"
#include "table/ParamFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

constexpr double kBaud = 9600.0;
constexpr double kBitsPerByte = 10.0;
constexpr double kRatioTarget = 1.03;
constexpr double kStallTargetMs = 16.0;
constexpr int kProcedureTimeoutMs = 180000;

std::string g_strSim = TOVAMO_SIM_PATH;
std::string g_strCli = TOVAMO_CLI_PATH;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

pid_t Spawn(const std::vector<std::string>& args, int stdoutFd) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + args[0]);
    return pid;
}

// A simulated drive process (the built-in menu, 9600 baud); its terminal's path is read
// from its first line. With a log path it records every key it receives.
class CSim {
public:
    explicit CSim(const std::string& log = {}) {
        std::vector<std::string> args = {g_strSim, "--baud", "9600"};
        if (!log.empty())
            args.insert(args.end(), {"--log", log});
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        m_pid = Spawn(args, out[1]);
        close(out[1]);
        std::string line;
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(out[0]);
        if (line.rfind("PTY ", 0) != 0)
            throw std::runtime_error("the simulated drive did not start: " + line);
        m_strPty = line.substr(4);
    }
    ~CSim() {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    CSim(const CSim&) = delete;
    CSim& operator=(const CSim&) = delete;
    const std::string& Pty() const { return m_strPty; }

private:
    pid_t m_pid = -1;
    std::string m_strPty;
};

struct SCliRun {
    double wallSeconds = 0;
    int status = -1;
    std::string keys;
};

SCliRun RunCli(const std::string& log, const std::vector<std::string>& cliArgs) {
    const CSim sim(log);
    std::vector<std::string> args = {g_strCli, "--port", sim.Pty()};
    args.insert(args.end(), cliArgs.begin(), cliArgs.end());
    SCliRun run;
    const auto start = Clock::now();
    const pid_t pid = Spawn(args, -1);
    int status = 0;
    waitpid(pid, &status, 0);
    run.wallSeconds = Seconds(Clock::now() - start);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.keys = Slurp(log);
    return run;
}

// The drive's answer to each key of `keys`, in bytes, from a fresh paced drive that
// gets every key as soon as its previous answer is complete; and how long that took.
struct SReplay {
    std::vector<std::size_t> answerBytes;
    double seconds = 0;
    std::size_t BytesOf(std::size_t first, std::size_t count) const {
        std::size_t total = 0;
        for (std::size_t i = first; i < first + count && i < answerBytes.size(); ++i)
            total += answerBytes[i];
        return total;
    }
};

SReplay Replay(const std::string& keys) {
    const CSim sim;
    const int fd = open(sim.Pty().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + sim.Pty());
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    SReplay replay;
    const auto start = Clock::now();
    for (char key : keys) {
        if (write(fd, &key, 1) != 1)
            throw std::runtime_error("cannot send a key");
        std::string field;
        while (field.size() < 2 || field.compare(field.size() - 2, 2, "\r\n") != 0) {
            pollfd readable{fd, POLLIN, 0};
            char buffer[64];
            if (poll(&readable, 1, 5000) <= 0)
                throw std::runtime_error("no answer to a replayed key");
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                throw std::runtime_error("replay read failed");
            field.append(buffer, static_cast<std::size_t>(n));
        }
        replay.answerBytes.push_back(field.size());
    }
    replay.seconds = Seconds(Clock::now() - start);
    close(fd);
    return replay;
}

double WireSeconds(std::size_t keys, std::size_t answerBytes) {
    return static_cast<double>(keys + answerBytes) * kBitsPerByte / kBaud;
}

// How the UI thread fared during one procedure.
struct SUiFigures {
    double wallSeconds = 0;
    double longestEventMs = 0;  // the longest single event delivery
    int longestEventType = 0;
    double longestGapMs = 0;     // the heartbeat's longest gap
    double longestGapCpuMs = 0;  // the UI thread's CPU time within that gap
    long events = 0;
};

// Times every event the UI thread delivers from its loop (nested deliveries count with
// their outer one) and, after each, asks the running measurement whether it is done.
class CTimingApplication final : public QApplication {
public:
    using QApplication::QApplication;

    // Watching starts during the event that calls Watch, so that event is timed too.
    bool notify(QObject* receiver, QEvent* event) override {
        if (m_nDepth > 0)
            return Deliver(receiver, event);
        const auto start = Clock::now();
        const int type = static_cast<int>(event->type());
        const bool handled = Deliver(receiver, event);
        if (m_pFigures == nullptr)
            return handled;
        const double ms = Ms(Clock::now() - start);
        ++m_pFigures->events;
        if (ms > m_pFigures->longestEventMs) {
            m_pFigures->longestEventMs = ms;
            m_pFigures->longestEventType = type;
        }
        // A copy: the call may end the watch.
        if (const std::function<void()> afterEvent = m_afterEvent)
            afterEvent();
        return handled;
    }

    void Watch(SUiFigures* figures, std::function<void()> afterEvent) {
        m_pFigures = figures;
        m_afterEvent = std::move(afterEvent);
    }

private:
    bool Deliver(QObject* receiver, QEvent* event) {
        ++m_nDepth;
        const bool handled = QApplication::notify(receiver, event);
        --m_nDepth;
        return handled;
    }

    int m_nDepth = 0;
    SUiFigures* m_pFigures = nullptr;
    std::function<void()> m_afterEvent;
};

// The desktop program on one fresh simulated drive: the sheet with its Table page shown.
class CDesktop {
public:
    CDesktop(CTimingApplication& app, const std::string& log) : m_App(app), m_Sim(log) {
        if (m_Hardware.OpenPort(m_Sim.Pty()) != 1)
            throw std::runtime_error("the desktop program cannot open " + m_Sim.Pty());
        m_pSheet = std::make_unique<CMySheet>(m_Hardware);
        m_pSheet->AddStandardPages();
        m_pSheet->show();
        m_pSheet->TabWidget()->setCurrentIndex(1);
        m_pPage = qobject_cast<CTablesPage*>(m_pSheet->GetActivePage());
        if (m_pPage == nullptr)
            throw std::runtime_error("no Table page");
        // The update is compared with the command line's, which reads nothing after it.
        m_pPage->VerifyBox()->setChecked(false);
        QEventLoop settle;
        QTimer::singleShot(200, &settle, &QEventLoop::quit);
        settle.exec();
    }
    ~CDesktop() {
        m_pSheet->close();
        m_Hardware.StopReader();
    }
    CDesktop(const CDesktop&) = delete;
    CDesktop& operator=(const CDesktop&) = delete;

    CTablesPage& Page() { return *m_pPage; }

    // Clicks the button from the event loop and runs the loop until the procedure has
    // ended; the wall time runs from the click to the end of the event that ended it.
    SUiFigures RunProcedure(int nButtonId) {
        SUiFigures figures;
        QEventLoop loop;
        Clock::time_point start;
        Clock::time_point lastTick;
        double lastTickCpu = 0;
        bool bTimedOut = false;

        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            const double cpu = ThreadCpuMs();
            const double gap = Ms(now - lastTick);
            if (gap > figures.longestGapMs) {
                figures.longestGapMs = gap;
                figures.longestGapCpuMs = cpu - lastTickCpu;
            }
            lastTick = now;
            lastTickCpu = cpu;
        });
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, [&] {
            bTimedOut = true;
            loop.quit();
        });

        const auto afterEvent = [&] {
            if (Tables().IsReading() || Tables().IsUpdating())
                return;
            figures.wallSeconds = Seconds(Clock::now() - start);
            heartbeat.stop();
            m_App.Watch(nullptr, {});
            loop.quit();
        };
        QTimer::singleShot(0, &loop, [&] {
            start = lastTick = Clock::now();
            lastTickCpu = ThreadCpuMs();
            heartbeat.start();
            timeout.start(kProcedureTimeoutMs);
            m_App.Watch(&figures, afterEvent);
            m_pPage->Button(nButtonId)->click();
        });
        loop.exec();
        m_App.Watch(nullptr, {});
        if (bTimedOut)
            throw std::runtime_error("a procedure did not end in time");
        return figures;
    }

    // "Read File" answered with `path`; returns how long the page took.
    double ReadFile(const std::string& path) {
        CQtFileChooser::SetTestHook([path](QFileDialog&) { return QString::fromStdString(path); });
        const auto start = Clock::now();
        m_pPage->Button(res::kIdReadFile)->click();
        const double seconds = Seconds(Clock::now() - start);
        CQtFileChooser::SetTestHook({});
        return seconds;
    }

private:
    CTables& Tables() { return m_pPage->Tables(); }

    CTimingApplication& m_App;
    CSim m_Sim;
    CHardware m_Hardware;
    std::unique_ptr<CMySheet> m_pSheet;
    CTablesPage* m_pPage = nullptr;
};

// The command-line benchmark's update file: ten parameters to step, marked "Yes".
std::string WithChanges(const std::string& table) {
    const std::vector<std::pair<std::string, std::string>> changes = {
        {"P101", "14"},       {"P102", "4.50 A"}, {"P104", "2950 rpm"}, {"P202", "1.230"},
        {"P203", "27.0 ms"},  {"P206", "0.5 ms"}, {"P302", "1.40 ms"},  {"P305", "16 kHz"},
        {"P402", "-0.080 V"}, {"P410", "5"},
    };
    std::string out;
    for (SParamLine line : ParseParamFile(table)) {
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

// One repetition's figures.
struct SRound {
    SCliRun cliRead;
    SCliRun cliUpdate;
    SUiFigures pageRead;
    SUiFigures pageUpdate;
    double pageReadFileSeconds = 0;
    std::string pageKeys;  // read and update
    std::size_t pageReadKeys = 0;
    std::string pageStatus;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

SRound RunRound(CTimingApplication& app, const std::string& folder, int nRound) {
    const std::string tag = folder + "/" + std::to_string(nRound);
    SRound round;
    round.cliRead = RunCli(tag + "-cli-read.log", {"read", "-o", folder + "/drive.txt"});
    if (nRound == 0 && WriteParamFile(folder + "/wanted.txt", WithChanges(Slurp(folder + "/drive.txt"))) != 0)
        throw std::runtime_error("cannot write the update file");
    {
        const std::string log = tag + "-page.log";
        CDesktop desktop(app, log);
        round.pageRead = desktop.RunProcedure(res::kIdReadDrive);
        round.pageReadKeys = Slurp(log).size();
        round.pageReadFileSeconds = desktop.ReadFile(folder + "/wanted.txt");
        round.pageUpdate = desktop.RunProcedure(res::kIdUpdateDrive);
        round.pageStatus = desktop.Page().StatusLine()->text().toStdString();
        round.pageKeys = Slurp(log);
    }
    round.cliUpdate =
        RunCli(tag + "-cli-update.log", {"update", folder + "/wanted.txt", "-o", folder + "/updated.txt"});
    return round;
}

void PrintUi(const char* name, const SUiFigures& ui, double wire) {
    std::printf(
        "  page %-6s wall %.3f s, wire %.3f s, ratio %.4f; %ld events, longest %.2f ms (type %d);"
        " heartbeat's longest gap %.2f ms (UI thread ran %.2f ms of it)\n",
        name, ui.wallSeconds, wire, ui.wallSeconds / wire, ui.events, ui.longestEventMs, ui.longestEventType,
        ui.longestGapMs, ui.longestGapCpuMs);
}
}  // namespace

int main(int argc, char** argv) {
    int nRepeat = 3;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc)
            nRepeat = std::max(1, std::atoi(argv[++i]));
        else
            programs.push_back(arg);
    }
    if (programs.size() == 2) {
        g_strSim = programs[0];
        g_strCli = programs[1];
    } else if (!programs.empty()) {
        std::fprintf(stderr, "usage: bench_tables_page [--repeat N] [SIM CLI]\n");
        return 64;
    }
    char folderTemplate[] = "/tmp/tovamo-bench-page-XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    // Private settings; the offscreen platform unless told otherwise.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("XDG_STATE_HOME", folder.c_str(), 1);  // the update's snapshots
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CTimingApplication app(argc, argv);
    g_BoldFont = MakeBoldFont();
    // The update's confirmation is answered at once, as a user sure of the file would.
    CUpdateConfirmDlg::SetTestHook([](CUpdateConfirmDlg&) { return true; });
    CQtMessageBox::SetTestHook([](QMessageBox& box) {
        std::fprintf(stderr, "bench_tables_page: message box: %s\n", qPrintable(box.text()));
    });

    std::vector<SRound> rounds;
    try {
        std::printf("bench_tables_page: %d repetitions, the built-in menu at 9600 baud\n", nRepeat);
        SReplay replay;
        std::string replayed;
        for (int nRound = 0; nRound < nRepeat; ++nRound) {
            const SRound round = RunRound(app, folder, nRound);
            // The walk is the same every time; a different one is replayed again.
            if (round.pageKeys != replayed) {
                replay = Replay(round.pageKeys);
                replayed = round.pageKeys;
            }
            const std::size_t nReadKeys = round.pageReadKeys;
            const std::size_t nUpdateKeys = round.pageKeys.size() - nReadKeys;
            const double wireRead = WireSeconds(nReadKeys, replay.BytesOf(0, nReadKeys));
            const double wireUpdate = WireSeconds(nUpdateKeys, replay.BytesOf(nReadKeys, nUpdateKeys));
            const double pageJob =
                round.pageRead.wallSeconds + round.pageReadFileSeconds + round.pageUpdate.wallSeconds;
            std::printf("round %d: %zu keys read, %zu keys update, %zu bytes from the drive; \"%s\"\n",
                        nRound + 1, nReadKeys, nUpdateKeys, replay.BytesOf(0, round.pageKeys.size()),
                        round.pageStatus.c_str());
            PrintUi("read", round.pageRead, wireRead);
            PrintUi("update", round.pageUpdate, wireUpdate);
            std::printf("  cli  read   exit %d, wall %.3f s; page / cli %.4f%s\n", round.cliRead.status,
                        round.cliRead.wallSeconds, round.pageRead.wallSeconds / round.cliRead.wallSeconds,
                        round.cliRead.keys == round.pageKeys.substr(0, nReadKeys) ? "" : " (other keys!)");
            std::printf(
                "  cli  update exit %d, wall %.3f s (read, file, update); page %.3f s (read %.3f + file"
                " %.4f + update %.3f); page / cli %.4f%s\n",
                round.cliUpdate.status, round.cliUpdate.wallSeconds, pageJob, round.pageRead.wallSeconds,
                round.pageReadFileSeconds, round.pageUpdate.wallSeconds,
                pageJob / round.cliUpdate.wallSeconds,
                round.cliUpdate.keys == round.pageKeys ? "" : " (other keys!)");
            std::printf("  the paced drive alone (replay of the page's keys) %.3f s\n", replay.seconds);
            std::fflush(stdout);
            rounds.push_back(round);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_tables_page: %s\n", error.what());
        g_BoldFont.reset();
        return 1;
    }

    std::vector<double> readRatios, updateRatios;
    double longestEvent = 0, longestGap = 0, longestGapCpu = 0;
    for (const SRound& round : rounds) {
        readRatios.push_back(round.pageRead.wallSeconds / round.cliRead.wallSeconds);
        updateRatios.push_back(
            (round.pageRead.wallSeconds + round.pageReadFileSeconds + round.pageUpdate.wallSeconds) /
            round.cliUpdate.wallSeconds);
        for (const SUiFigures* ui : {&round.pageRead, &round.pageUpdate}) {
            longestEvent = std::max(longestEvent, ui->longestEventMs);
            if (ui->longestGapMs > longestGap) {
                longestGap = ui->longestGapMs;
                longestGapCpu = ui->longestGapCpuMs;
            }
        }
    }
    const double readRatio = Median(readRatios);
    const double updateRatio = Median(updateRatios);
    std::printf(
        "median page / cli: read %.4f, update %.4f (target <= %.2f); UI thread: longest event %.2f ms"
        " (target <= %.0f ms), heartbeat's longest gap %.2f ms (UI thread ran %.2f ms of it)\n",
        readRatio, updateRatio, kRatioTarget, longestEvent, kStallTargetMs, longestGap, longestGapCpu);
    const bool bSpeed = readRatio <= kRatioTarget && updateRatio <= kRatioTarget;
    const bool bStall = longestEvent <= kStallTargetMs;
    std::printf("targets %s: within 3 %% of the command line %s, longest stall %.2f ms %s\n",
                bSpeed && bStall ? "met" : "NOT met", bSpeed ? "yes" : "NO", longestEvent,
                bStall ? "<= 16 ms" : "> 16 ms");
    g_BoldFont.reset();
    std::filesystem::remove_all(folder);
    return 0;
}
