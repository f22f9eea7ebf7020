#pragma once

#include <atomic>
#include <functional>
#include <thread>

// SIGINT and SIGTERM for the command-line tool (on Windows: Ctrl+C, Ctrl+Break and the
// console's closing, StopSignalsWin32.cpp): while an instance lives, either signal
// makes Fd() readable (POSIX; it stays so) and runs `onStop` once on a watcher thread, e.g.
// to Wake a CRecordQueue, so a loop waiting for records can end cleanly. One instance at a
// time; the previous handlers are restored when it goes.
class CStopSignals {
public:
    explicit CStopSignals(std::function<void()> onStop = {});
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    // Readable once a stop signal has come; for poll() beside other descriptors.
    int Fd() const { return m_nPipe[0]; }
    bool Requested() const { return m_bRequested.load(); }

private:
    void Watch();

    int m_nPipe[2] = {-1, -1};
    int m_nShutdown = -1;  // eventfd that ends the watcher when no signal came
    std::function<void()> m_onStop;
    std::atomic<bool> m_bRequested{false};
    std::thread m_watcher;
};
