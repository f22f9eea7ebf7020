#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/Win32Api.h"

// How long a window's thread keeps a sent message waiting, watched from a thread of our
// own: every few milliseconds a WM_NULL is sent and the time to its answer taken. The
// longest answer is the longest the thread was held (plus the send's own cost, which the
// shortest answer shows).
class CThreadWatch {
public:
    struct SProbe {
        double nSentAtMs;  // on NowMs's clock
        double nAnswerMs;
    };

    CThreadWatch(HWND hWnd, DWORD nEveryMs);
    ~CThreadWatch();
    CThreadWatch(const CThreadWatch&) = delete;
    CThreadWatch& operator=(const CThreadWatch&) = delete;

    // Ends the watch; the probes are there from then on.
    void Stop();
    const std::vector<SProbe>& Probes() const { return m_probes; }

private:
    void Run();

    HWND m_hWnd;
    DWORD m_nEveryMs;
    std::atomic<bool> m_bStop{false};
    std::vector<SProbe> m_probes;  // the watcher's own until it has stopped
    std::thread m_thread;
};
