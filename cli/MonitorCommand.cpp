// `tovamo-cli monitor`: the drive's fields as lines on stdout, keys from stdin.
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/KeyPump.h"
#include "cli/RecordQueue.h"
#include "cli/StderrMessageBox.h"
#include "cli/StopSignals.h"
#include "cli/Usage.h"
#include "link/Hardware.h"

namespace {
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
        CKeyPump pump(hardware, queue, signals);
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
