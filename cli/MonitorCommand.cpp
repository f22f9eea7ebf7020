// `tovamo-cli monitor`: the drive's fields as lines on stdout, keys from stdin.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <poll.h>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/RecordQueue.h"
#include "cli/StderrMessageBox.h"
#include "cli/StopSignals.h"
#include "link/Hardware.h"

namespace {
// How long the drive's answers to the last keys are still shown after stdin has ended.
constexpr int kAfterEndOfInputMs = 500;

bool IsKey(char byte) {
    return byte == 'e' || byte == 'o' || byte == 'u' || byte == 'd';
}

void PrintRecord(const CServoData& record) {
    const char* kind = record.m_bError ? "error" : record.m_bValue ? "value" : "name";
    const std::string line = std::string(kind) + "\t" + record.m_strText + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

// Reads stdin on its own thread and sends its key bytes to the drive. When stdin ends, it
// waits out the grace time (or a stop signal), then marks the input as done and wakes the
// record loop. A stop signal ends it at once.
class CKeyPump {
public:
    CKeyPump(IKeyWriter& keys, CRecordQueue& queue, int stopFd)
        : m_keys(keys), m_queue(queue), m_nStopFd(stopFd), m_thread(&CKeyPump::Run, this) {}
    ~CKeyPump() { m_thread.join(); }
    CKeyPump(const CKeyPump&) = delete;
    CKeyPump& operator=(const CKeyPump&) = delete;

    bool Done() const { return m_bDone.load(); }

private:
    void Run() {
        if (PumpUntilEndOfInput()) {
            pollfd stop{m_nStopFd, POLLIN, 0};
            while (poll(&stop, 1, kAfterEndOfInputMs) < 0 && errno == EINTR) {
            }
        }
        m_bDone.store(true);
        m_queue.Wake();
    }

    // True at the end of stdin, false when a stop signal came first.
    bool PumpUntilEndOfInput() {
        for (;;) {
            pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {m_nStopFd, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return true;
            }
            if (fds[1].revents != 0)
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
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;  // last: starts once the members above are ready
};
}  // namespace

int RunMonitorCommand(const std::string& port, const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr,
                     "tovamo-cli: monitor takes no arguments (got \"%s\")\n"
                     "usage: tovamo-cli [--port PORT] monitor\n",
                     args.front().c_str());
        return kExitUsage;
    }
    CStderrMessageBox messages;
    CHardware hardware(&messages);
    if (hardware.OpenPort(port) != 1)
        return kExitPortFailed;

    CRecordQueue queue;
    CStopSignals signals([&queue] { queue.Wake(); });
    hardware.StartReader(&queue);
    {
        CKeyPump pump(hardware, queue, signals.Fd());
        while (!pump.Done() && !signals.Requested()) {
            if (const auto record = queue.WaitFor(std::chrono::hours(24 * 365)))
                PrintRecord(*record);
        }
    }
    hardware.StopReader();
    // Fields cut before the reader stopped are still shown.
    while (const auto record = queue.WaitFor(std::chrono::milliseconds(0)))
        PrintRecord(*record);
    return kExitDone;
}
