// stdin may be a console or a pipe, and a pipe cannot be waited on: one reader thread for
// the whole process takes stdin with blocking reads and hands the bytes over with an
// event. It is never stopped (a blocked read cannot be ended reliably, under Wine not
// with CancelSynchronousIo either) and lives until the process ends, so a pump can quit
// at once without waiting for the next byte.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>

#include "cli/KeyPump.h"

namespace {
HANDLE QuitEvent(std::intptr_t quit) {
    return reinterpret_cast<HANDLE>(quit);
}

class CStdinReader {
public:
    static CStdinReader& Instance() {
        static CStdinReader* s_pReader = new CStdinReader;  // deliberately never deleted
        return *s_pReader;
    }
    HANDLE Ready() const { return m_hReady; }
    // The bytes that came since the last call; false once stdin has ended and all is taken.
    bool Take(std::string& bytes) {
        std::lock_guard<std::mutex> lock(m_mutex);
        bytes.swap(m_bytes);
        m_bytes.clear();
        if (!m_bEnded)
            ::ResetEvent(m_hReady);
        return !(m_bEnded && bytes.empty());
    }

private:
    CStdinReader() : m_hReady(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        std::thread(&CStdinReader::Loop, this).detach();
    }
    void Loop() {
        const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
        for (;;) {
            char buffer[256];
            DWORD count = 0;
            const bool bRead = ::ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0;
            std::lock_guard<std::mutex> lock(m_mutex);
            if (bRead)
                m_bytes.append(buffer, count);
            else
                m_bEnded = true;
            ::SetEvent(m_hReady);
            if (m_bEnded)
                return;
        }
    }

    HANDLE m_hReady;
    std::mutex m_mutex;
    std::string m_bytes;
    bool m_bEnded = false;
};
}  // namespace

CKeyPump::CKeyPump(IKeyWriter& keys, CRecordQueue& queue, const CStopSignals& signals)
    : m_keys(keys),
      m_queue(queue),
      m_signals(signals),
      m_nQuit(reinterpret_cast<std::intptr_t>(::CreateEventW(nullptr, TRUE, FALSE, nullptr))),
      m_thread(&CKeyPump::Run, this) {}

CKeyPump::~CKeyPump() {
    Quit();
    m_thread.join();
    ::CloseHandle(QuitEvent(m_nQuit));
}

void CKeyPump::Quit() {
    ::SetEvent(QuitEvent(m_nQuit));
}

// A stop signal wakes the record loop, which then quits the pump.
void CKeyPump::WaitOutGraceTime() {
    ::WaitForSingleObject(QuitEvent(m_nQuit), kAfterEndOfInputMs);
}

bool CKeyPump::PumpUntilEndOfInput() {
    CStdinReader& reader = CStdinReader::Instance();
    const HANDLE events[2] = {QuitEvent(m_nQuit), reader.Ready()};
    for (;;) {
        if (m_signals.Requested() || ::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
            return false;
        std::string bytes;
        if (!reader.Take(bytes))
            return true;
        SendKeys(bytes.data(), static_cast<long>(bytes.size()));
    }
}
