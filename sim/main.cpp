// tovamo-drive-sim: a simulated drive on a pseudo-terminal. See Usage() below.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include "sim/DefaultMenu.h"
#include "sim/DriveSimulator.h"
#include "sim/PortLink.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimMenuParser.h"
#include "sim/SimServer.h"

namespace {
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 64;

int g_nStopWriteFd = -1;

void OnStopSignal(int) {
    const int saved = errno;
    const char byte = 's';
    [[maybe_unused]] const ssize_t written = write(g_nStopWriteFd, &byte, 1);
    errno = saved;
}

struct Options {
    std::string m_strMenuFile;
    std::string m_strLink;
    std::string m_strLog;
    int m_nBaud = 0;
    int m_nSilentAfter = -1;
    int m_nUnplugAfterKeys = -1;
    int m_nUnplugAfterMs = -1;
    int m_nUnpluggedMs = 500;
    int m_nBusyMs = 0;
};

void Usage(std::FILE* out) {
    std::fputs(
        "usage: tovamo-drive-sim [--menu FILE] [--link PATH] [--baud N] [--log FILE] [--silent-after N]\n"
        "                        [--unplug-after-keys N | --unplug-after-ms MS] [--unplugged-ms MS]\n"
        "                        [--busy-ms MS]\n"
        "Serves a simulated drive on a new pseudo-terminal and prints \"PTY <path>\" once ready.\n"
        "  --menu FILE        menu file (default: the built-in menu, sim/default-menu.txt)\n"
        "  --link PATH        symbolic link PATH -> the terminal, removed at exit\n"
        "  --baud N           pace the answers at 10 bits per byte at N baud (0: unpaced)\n"
        "  --log FILE         append every byte received to FILE\n"
        "  --silent-after N   answer only the first N keys\n"
        "  --unplug-after-keys N, --unplug-after-ms MS\n"
        "                     once, after answering N keys or MS after start: close the\n"
        "                     terminal and remove the link (a pulled USB cable); after\n"
        "                     --unplugged-ms (default 500) open a new terminal, link it at\n"
        "                     the same PATH and print \"PTY <path>\" again\n"
        "  --busy-ms MS       after that replug, hold the new terminal locked for MS, as a\n"
        "                     terminal program that grabbed it would\n"
        "Ends on SIGINT or SIGTERM.\n",
        out);
}

bool ParseCount(const char* text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 0 || parsed > 100000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// Returns -1 when the options are fine, else the exit status.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "tovamo-drive-sim: unknown option or missing value: %s\n", argv[i]);
            Usage(stderr);
            return kExitUsage;
        }
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "--menu")
            options.m_strMenuFile = value;
        else if (arg == "--link")
            options.m_strLink = value;
        else if (arg == "--log")
            options.m_strLog = value;
        else if (arg == "--baud")
            ok = ParseCount(value, options.m_nBaud);
        else if (arg == "--silent-after")
            ok = ParseCount(value, options.m_nSilentAfter);
        else if (arg == "--unplug-after-keys")
            ok = ParseCount(value, options.m_nUnplugAfterKeys);
        else if (arg == "--unplug-after-ms")
            ok = ParseCount(value, options.m_nUnplugAfterMs);
        else if (arg == "--unplugged-ms")
            ok = ParseCount(value, options.m_nUnpluggedMs);
        else if (arg == "--busy-ms")
            ok = ParseCount(value, options.m_nBusyMs);
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "tovamo-drive-sim: bad option: %s %s\n", arg.c_str(), value);
            Usage(stderr);
            return kExitUsage;
        }
    }
    return -1;
}

bool LoadMenu(const std::string& file, CSimMenu& menu) {
    std::string text = DefaultMenuText();
    if (!file.empty()) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (!in) {
            std::fprintf(stderr, "tovamo-drive-sim: %s: cannot be read\n", file.c_str());
            return false;
        }
        text = content.str();
    }
    CSimMenuParse parsed = ParseSimMenu(text);
    if (!parsed.Ok()) {
        std::fprintf(stderr, "tovamo-drive-sim: %s: %s\n", file.empty() ? "built-in menu" : file.c_str(),
                     parsed.m_strError.c_str());
        return false;
    }
    menu = std::move(parsed.m_menu);
    return true;
}

bool InstallStopSignals(int (&pipeFds)[2]) {
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_nStopWriteFd = pipeFds[1];
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

// Waits `ms` unless a stop comes first; false on a stop.
bool PauseUnlessStopped(int stopFd, int ms) {
    pollfd stop{stopFd, POLLIN, 0};
    int ready = 0;
    while ((ready = poll(&stop, 1, ms)) < 0 && errno == EINTR) {
    }
    return ready == 0;
}

// Opens a terminal, links it and says where it is. False after a message.
bool Plug(const Options& options, CPseudoTerminal& terminal, CPortLink& link) {
    std::string error;
    if (!terminal.Open(error) ||
        (!options.m_strLink.empty() && !link.Create(options.m_strLink, terminal.SlavePath(), error))) {
        std::fprintf(stderr, "tovamo-drive-sim: %s\n", error.c_str());
        return false;
    }
    std::printf("PTY %s\n", terminal.SlavePath().c_str());
    std::fflush(stdout);
    return true;
}

// Serves terminal after terminal: the first one, and after the one unplug the replugged one.
int ServeTerminals(const Options& options, CDriveSimulator& drive, int stopFd,
                   CSimServer::Options serverOptions) {
    serverOptions.m_nUnplugAfterKeys = options.m_nUnplugAfterKeys;
    serverOptions.m_nUnplugAfterMs = options.m_nUnplugAfterMs;
    for (bool replugged = false;; replugged = true) {
        CPseudoTerminal terminal;
        CPortLink link;
        if (!Plug(options, terminal, link))
            return kExitFailed;
        if (replugged && options.m_nBusyMs > 0 && flock(terminal.SlaveFd(), LOCK_EX | LOCK_NB) == 0) {
            serverOptions.m_nHeldFd = terminal.SlaveFd();
            serverOptions.m_nHeldMs = options.m_nBusyMs;
        }
        const int status = CSimServer(drive, terminal.MasterFd(), stopFd, serverOptions).Run();
        if (status != CSimServer::kUnplug)
            return status;
        serverOptions.m_nUnplugAfterKeys = -1;
        serverOptions.m_nUnplugAfterMs = -1;
        link.Remove();
        terminal.Close();
        if (!PauseUnlessStopped(stopFd, options.m_nUnpluggedMs))
            return 0;
    }
}

int Serve(const Options& options, CSimMenu menu) {
    int stopPipe[2] = {-1, -1};
    if (!InstallStopSignals(stopPipe)) {
        std::perror("tovamo-drive-sim: pipe");
        return kExitFailed;
    }
    CSimServer::Options serverOptions;
    serverOptions.m_nBaud = options.m_nBaud;
    if (!options.m_strLog.empty()) {
        serverOptions.m_nLogFd =
            open(options.m_strLog.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        if (serverOptions.m_nLogFd < 0) {
            std::fprintf(stderr, "tovamo-drive-sim: %s: %s\n", options.m_strLog.c_str(),
                         std::strerror(errno));
            return kExitFailed;
        }
    }
    CDriveSimulator drive(std::move(menu), options.m_nSilentAfter);
    const int status = ServeTerminals(options, drive, stopPipe[0], serverOptions);
    if (serverOptions.m_nLogFd >= 0)
        close(serverOptions.m_nLogFd);
    return status;
}
}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = ParseOptions(argc, argv, options); status >= 0)
        return status;
    CSimMenu menu;
    if (!LoadMenu(options.m_strMenuFile, menu))
        return kExitFailed;
    return Serve(options, std::move(menu));
}
