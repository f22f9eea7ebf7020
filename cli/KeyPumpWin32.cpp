// stdin is read with a blocking ReadFile (a console or a pipe cannot be waited on alike);
// Quit ends a read that is still waiting with CancelSynchronousIo.
#include <pthread.h>  // MinGW's thread library under std::thread
#include <windows.h>

#include "cli/KeyPump.h"

namespace {
HANDLE QuitEvent(std::intptr_t quit) {
    return reinterpret_cast<HANDLE>(quit);
}
}  // namespace

CKeyPump::CKeyPump(IKeyWriter& keys, CRecordQueue& queue, const CStopSignals& signals)
    : m_keys(keys),
      m_queue(queue),
      m_signals(signals),
      m_nQuit(reinterpret_cast<std::intptr_t>(::CreateEventW(nullptr, TRUE, FALSE, nullptr))),
      m_thread(&CKeyPump::Run, this) {}

CKeyPump::~CKeyPump() {
    Quit();
    ::CancelSynchronousIo(pthread_gethandle(m_thread.native_handle()));
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
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        if (m_signals.Requested() || ::WaitForSingleObject(QuitEvent(m_nQuit), 0) == WAIT_OBJECT_0)
            return false;
        char buffer[256];
        DWORD count = 0;
        if (!::ReadFile(input, buffer, sizeof buffer, &count, nullptr))
            return ::GetLastError() != ERROR_OPERATION_ABORTED;
        if (count == 0)
            return true;
        SendKeys(buffer, static_cast<long>(count));
    }
}
