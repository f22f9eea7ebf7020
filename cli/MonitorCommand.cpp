// `tovamo-cli monitor`: the drive's fields as lines on stdout, keys from stdin.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/RecordQueue.h"
#include "cli/StderrMessageBox.h"
#include "cli/StopSignals.h"
#include "cli/Usage.h"
#include "link/Hardware.h"

namespace {
// How long the drive's answers to the last keys are still shown after stdin has ended.
constexpr int kAfterEndOfInputMs = 500;

bool IsKey(char byte) {
    return byte == 'e' || byte == 'o' || byte == 'u' || byte == 'd';
}

const char* LinkStateText(ELinkState state) {
    switch (state) {
        case ELinkState::kLost:
            return "lost";
        case ELinkState::kBusy:
            return "busy";
        case ELinkState::kOther:
            return "other";
        case ELinkState::kBack:
            break;
    }
    return "back";
}

// One line for a record or a link state; false when stdout no longer takes it.
bool PrintItem(const CRecordQueue::SItem& item) {
    std::string line;
    if (item.record) {
        const CServoData& record = *item.record;
        line = std::string(record.m_bError   ? "error"
                           : record.m_bValue ? "value"
                                             : "name") +
               "\t" + record.m_strText + "\n";
    } else if (item.state) {
        line = std::string("link\t") + LinkStateText(*item.state) + "\n";
        if (*item.state == ELinkState::kBusy)
            std::fprintf(stderr, "tovamo-cli: %s\n", item.strDetail.c_str());
    } else {
        return true;
    }
    return std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && std::fflush(stdout) == 0;
}

// Reads stdin on its own thread and sends its key bytes to the drive. When stdin ends, it
// waits out the grace time (or a stop signal), then marks the input as done and wakes the
// record loop. A stop signal, or the loop giving up (Quit), ends it at once.
class CKeyPump {
public:
    CKeyPump(IKeyWriter& keys, CRecordQueue& queue, int stopFd)
        : m_keys(keys),
          m_queue(queue),
          m_nStopFd(stopFd),
          m_nQuitFd(eventfd(0, EFD_CLOEXEC)),
          m_thread(&CKeyPump::Run, this) {}
    ~CKeyPump() {
        Quit();
        m_thread.join();
        close(m_nQuitFd);
    }
    CKeyPump(const CKeyPump&) = delete;
    CKeyPump& operator=(const CKeyPump&) = delete;

    bool Done() const { return m_bDone.load(); }
    void Quit() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_nQuitFd, &one, sizeof one);
    }

private:
    void Run() {
        if (PumpUntilEndOfInput()) {
            pollfd stop[2] = {{m_nStopFd, POLLIN, 0}, {m_nQuitFd, POLLIN, 0}};
            while (poll(stop, 2, kAfterEndOfInputMs) < 0 && errno == EINTR) {
            }
        }
        m_bDone.store(true);
        m_queue.Wake();
    }

    // True at the end of stdin, false when a stop signal came first.
    bool PumpUntilEndOfInput() {
        for (;;) {
            pollfd fds[3] = {{STDIN_FILENO, POLLIN, 0}, {m_nStopFd, POLLIN, 0}, {m_nQuitFd, POLLIN, 0}};
            if (poll(fds, 3, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return true;
            }
            if (fds[1].revents != 0 || fds[2].revents != 0)
                return false;
            char buffer[256];
            const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
            if (count < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (count <= 0)
                return true;
            for (ssize_t i = 0; i < count; ++i) {
                if (IsKey(buffer[i]))
                    m_keys.WritePort(&buffer[i], 1);
            }
        }
    }

    IKeyWriter& m_keys;
    CRecordQueue& m_queue;
    int m_nStopFd = -1;
    int m_nQuitFd = -1;  // eventfd: the record loop has ended early
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;  // last: starts once the members above are ready
};
}  // namespace

int RunMonitorCommand(const std::string& port, const SCliArgs& args) {
    if (!args.positional.empty())
        return UsageError("monitor takes no arguments (got \"" + args.positional.front() + "\")", "monitor");
    if (args.output || args.report)
        return UsageError("monitor takes no -o or --report", "monitor");
    CStderrMessageBox messages;
    CHardware hardware(&messages);
    if (hardware.OpenPort(port) != 1)
        return kExitPortFailed;

    CRecordQueue queue;
    CStopSignals signals([&queue] { queue.Wake(); });
    hardware.SetLinkStateListener(&queue);
    hardware.StartReader(&queue);
    bool bPrinted = true;
    {
        CKeyPump pump(hardware, queue, signals.Fd());
        while (bPrinted && !pump.Done() && !signals.Requested())
            bPrinted = PrintItem(queue.WaitForItem(std::chrono::hours(24 * 365)));
    }
    hardware.StopReader();
    hardware.SetLinkStateListener(nullptr);
    // Fields cut before the reader stopped are still shown.
    while (bPrinted) {
        const CRecordQueue::SItem item = queue.WaitForItem(std::chrono::milliseconds(0));
        if (!item.record && !item.state)
            break;
        bPrinted = PrintItem(item);
    }
    if (!bPrinted) {
        std::fputs("tovamo-cli: stdout was closed; monitor ended\n", stderr);
        return kExitFileFailed;
    }
    return kExitDone;
}
