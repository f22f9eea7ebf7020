#pragma once

#include <atomic>
#include <thread>

#include "platform/win32/Win32Api.h"

// How long a window's thread keeps a sent message waiting, watched from a thread of our
// own: every couple of milliseconds a WM_NULL is sent and the time to its answer taken.
// The longest answer is the longest the thread was held (plus the send's own cost, which
// the shortest answer shows).
class CThreadWatch {
public:
    explicit CThreadWatch(HWND hWnd);
    ~CThreadWatch();
    CThreadWatch(const CThreadWatch&) = delete;
    CThreadWatch& operator=(const CThreadWatch&) = delete;

    // Ends the watch; the figures stay.
    void Stop();
    double LongestMs() const { return m_nLongestMs.load(); }
    double ShortestMs() const { return m_nShortestMs.load(); }
    long Probes() const { return m_nProbes.load(); }

private:
    void Run();

    HWND m_hWnd;
    std::atomic<bool> m_bStop{false};
    std::atomic<double> m_nLongestMs{0};
    std::atomic<double> m_nShortestMs{1e9};
    std::atomic<long> m_nProbes{0};
    std::thread m_thread;
};
