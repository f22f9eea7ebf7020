#include "robust/FailureReport.h"

#include <dlfcn.h>
#include <execinfo.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define TOVAMO_ROBUST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVAMO_ROBUST_SANITIZED 1
#endif
#endif
#ifdef TOVAMO_ROBUST_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace robust {
namespace {

constexpr int kActions = 24;
constexpr int kLineLength = 160;
char g_actions[kActions][kLineLength];
std::atomic<unsigned> g_nActions{0};
char g_replay[256];
std::atomic<bool> g_bPrinted{false};
std::atomic<bool> g_bStackPrinted{false};
pthread_t g_mainThread;

void Write(const char* text) {
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, std::strlen(text));
}

void WriteNumber(unsigned number) {
    char digits[16];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    char text[17];
    for (int i = 0; i < n; ++i)
        text[i] = digits[n - 1 - i];
    text[n] = '\0';
    Write(text);
}

void PrintStack() {
#ifdef TOVAMO_ROBUST_SANITIZED
    __sanitizer_print_stack_trace();
#else
    void* frames[64];
    backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
#endif
}

// Runs on the main thread when the watchdog asks for its stack.
void OnStackRequest(int) {
    Write("tovamo-robust: where the main thread is:\n");
    PrintStack();
    g_bStackPrinted = true;
}

#ifndef TOVAMO_ROBUST_SANITIZED
void OnFatalSignal(int signal) {
    Write("tovamo-robust: fatal signal ");
    WriteNumber(static_cast<unsigned>(signal));
    Write("\n");
    PrintStack();
    PrintFailure("the program crashed");
    raise(signal);  // the handler was reset: the default action ends the process
}
#endif

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void SetReplayArguments(const std::string& arguments) {
    std::snprintf(g_replay, sizeof g_replay, "%s", arguments.c_str());
}

void NoteAction(const char* text) {
    const unsigned n = g_nActions.load(std::memory_order_relaxed);
    std::snprintf(g_actions[n % kActions], kLineLength, "%s", text);
    g_nActions.store(n + 1, std::memory_order_release);
}

void PrintFailure(const char* why) {
    if (g_bPrinted.exchange(true))
        return;
    Write("tovamo-robust: FAILED: ");
    Write(why);
    Write("\ntovamo-robust: the last actions, oldest first:\n");
    const unsigned n = g_nActions.load(std::memory_order_acquire);
    for (unsigned i = n > kActions ? n - kActions : 0; i < n; ++i) {
        Write("  #");
        WriteNumber(i + 1);
        Write(" ");
        Write(g_actions[i % kActions]);
        Write("\n");
    }
    Write("tovamo-robust: replay with: tovamo-robust ");
    Write(g_replay);
    Write("\n");
}

void InstallCrashReport() {
    g_mainThread = pthread_self();
    struct sigaction action {};
    action.sa_handler = OnStackRequest;
    sigemptyset(&action.sa_mask);
    sigaction(SIGUSR2, &action, nullptr);
#ifdef TOVAMO_ROBUST_SANITIZED
    // The sanitizers handle the fatal signals themselves and end with this callback.
    // GCC's undefined-behaviour runtime is a library of its own, with its own callback.
    const auto onDeath = [] { PrintFailure("a sanitizer reported an error (see above)"); };
    __sanitizer_set_death_callback(onDeath);
    if (void* ubsan = dlopen("libubsan.so.1", RTLD_NOW | RTLD_NOLOAD)) {
        using SetCallback = void (*)(void (*)());
        if (auto set = reinterpret_cast<SetCallback>(dlsym(ubsan, "__sanitizer_set_death_callback")))
            set(onDeath);
    }
#else
    void* warmUp[1];
    backtrace(warmUp, 1);  // loads the unwinder now, not inside a signal handler
    action.sa_handler = OnFatalSignal;
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal, &action, nullptr);
#endif
}

CHangWatchdog::CHangWatchdog(int hangSeconds, int totalSeconds)
    : m_nLastBeatMs(NowMs()),
      m_thread([this, hangSeconds, totalSeconds] { Watch(hangSeconds, totalSeconds); }) {}

CHangWatchdog::~CHangWatchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CHangWatchdog::Beat() {
    m_nLastBeatMs.store(NowMs(), std::memory_order_relaxed);
}

void CHangWatchdog::Watch(int hangSeconds, int totalSeconds) {
    const std::int64_t startMs = NowMs();
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::milliseconds(200), [this] { return m_bStop; })) {
        const std::int64_t nowMs = NowMs();
        const char* why = nullptr;
        if (nowMs - m_nLastBeatMs.load(std::memory_order_relaxed) > hangSeconds * 1000LL)
            why = "hang: the program did not return to its event loop in time";
        else if (nowMs - startMs > totalSeconds * 1000LL)
            why = "hang: the run did not end in time";
        if (why == nullptr)
            continue;
        PrintFailure(why);
        pthread_kill(g_mainThread, SIGUSR2);
        for (int i = 0; i < 100 && !g_bStackPrinted; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::abort();
    }
}

}  // namespace robust
