#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "cli/RecordQueue.h"
#include "cli/StopSignals.h"
#include "link/KeyWriter.h"

// Reads stdin on its own thread and sends its key bytes ('e', 'o', 'u', 'd') to the drive.
// When stdin ends, it waits out the grace time (or a stop signal), then marks the input as
// done and wakes the record loop. A stop signal, or the loop giving up (Quit), ends it at
// once. KeyPumpPosix.cpp and KeyPumpWin32.cpp wait on stdin in their system's way.
class CKeyPump {
public:
    // How long the drive's answers to the last keys are still shown after stdin has ended.
    static constexpr int kAfterEndOfInputMs = 500;

    CKeyPump(IKeyWriter& keys, CRecordQueue& queue, const CStopSignals& signals);
    ~CKeyPump();
    CKeyPump(const CKeyPump&) = delete;
    CKeyPump& operator=(const CKeyPump&) = delete;

    bool Done() const { return m_bDone.load(); }
    void Quit();

private:
    void Run();
    // True at the end of stdin, false when a stop signal or Quit came first.
    bool PumpUntilEndOfInput();
    void WaitOutGraceTime();
    void SendKeys(const char* bytes, long count);

    IKeyWriter& m_keys;
    CRecordQueue& m_queue;
    const CStopSignals& m_signals;
    std::intptr_t m_nQuit = -1;  // set by Quit: an eventfd (POSIX) or an event (Windows)
    std::atomic<bool> m_bDone{false};
    std::thread m_thread;  // last: starts once the members above are ready
};
