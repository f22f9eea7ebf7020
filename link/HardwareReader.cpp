// The reader thread of CHardware: polling passes between the waits (HardwareWait*.cpp).
#include <algorithm>

#include "link/Hardware.h"

namespace {

// A port that keeps waking the reader as readable but never yields a byte is no use; it is
// treated as gone, which re-opens it and keeps the reader from spinning on it.
constexpr int kMostEmptyWakeUps = 64;

bool IsHangUp(short revents) {
    return (revents & kPortFailed) != 0;
}

}  // namespace

// Waits on the port between passes, always: a wake-up that finds nothing costs one more
// wait, never a pause, so the drive's next answer is read as soon as it comes. Only a
// device that is really gone makes the reader step back (AwaitReplug).
void CHardware::ReaderThreadProc() {
    int emptyWakeUps = 0;
    short revents = 0;  // what the last wait saw on the port
    while (!m_bStopRequest.load()) {
        const EPass pass = RunPollingPass(revents);
        if (pass == EPass::Data)
            emptyWakeUps = 0;
        else if (pass == EPass::Idle && (revents & kPortInput) != 0)
            ++emptyWakeUps;
        if (m_bStopRequest.load())
            break;
        // A hang-up that still had bytes to give comes back on the next wait, and the
        // pass after it finds the port empty.
        const bool bHungUp = pass == EPass::Idle && IsHangUp(revents);
        if (pass == EPass::Gone || bHungUp || emptyWakeUps > kMostEmptyWakeUps) {
            emptyWakeUps = 0;
            revents = 0;
            AwaitReplug();
            continue;
        }
        revents = WaitForPortOrStop();
    }
    m_bStopped.store(1);
}

CHardware::EPass CHardware::RunPollingPass(short revents) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (!m_pPort->IsOpen())
        return EPass::Closed;
    int waiting = m_pPort->BytesWaiting();
    if (waiting < 0)
        return EPass::Gone;
    // Readable but nothing queued: a read tells an empty port from a failed one.
    if (waiting == 0 && (revents & (kPortInput | kPortFailed)) != 0)
        waiting = CLineFramer::kLineSize;
    if (waiting == 0)
        return EPass::Idle;
    // A full line buffer is emptied by the framer, so a pass never has to read less than
    // is queued for its sake; it still takes at most one buffer's worth.
    char bytes[CLineFramer::kLineSize];
    const int got = m_pPort->Read(bytes, std::min(waiting, CLineFramer::kLineSize));
    if (got < 0)
        return EPass::Gone;
    if (got == 0)
        return EPass::Idle;
    m_Framer.Feed(bytes, static_cast<std::size_t>(got), [this](std::unique_ptr<CServoData> record) {
        if (m_pSink != nullptr)
            m_pSink->PostServoData(std::move(record));
    });
    return EPass::Data;
}
