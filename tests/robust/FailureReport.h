#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// What a failed random-input run leaves behind so that it can be replayed: the replay
// line (seed and options) and the last actions. Everything is printed from fixed
// buffers with write(2), so a crash handler, a sanitizer's death callback and the hang
// watchdog's thread can print it while the main thread is stuck or dying.
namespace robust {

// "--seconds 30 --seed 12345": printed with every failure.
void SetReplayArguments(const std::string& arguments);
// Remembers one action (cut to a line) among the last few.
void NoteAction(const char* text);
// Prints why, the last actions and the replay line to stderr.
void PrintFailure(const char* why);
// Prints the failure report when the process dies: a sanitizer report, or (without
// sanitizers) a fatal signal, which is then raised again.
void InstallCrashReport();

// Aborts the process with a failure report (and the main thread's stack) when Beat()
// has not been called for hangSeconds, or when the run has lasted totalSeconds.
class CHangWatchdog {
public:
    CHangWatchdog(int hangSeconds, int totalSeconds);
    ~CHangWatchdog();
    CHangWatchdog(const CHangWatchdog&) = delete;
    CHangWatchdog& operator=(const CHangWatchdog&) = delete;

    void Beat();

private:
    void Watch(int hangSeconds, int totalSeconds);

    std::atomic<std::int64_t> m_nLastBeatMs;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bStop = false;
    std::thread m_thread;
};

}  // namespace robust
