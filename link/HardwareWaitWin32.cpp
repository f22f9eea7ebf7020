// The waits of CHardware's reader thread on Windows: the port's one-byte overlapped read
// and an event that StopReader and OpenPort set, in one WaitForMultipleObjects.
#include <windows.h>

#include "link/Hardware.h"
#include "link/SerialPortWin32.h"

namespace {
// A back end without an input event (a test's fake) is looked at this often.
constexpr DWORD kStopCheckMs = 100;

HANDLE WakeHandle(std::intptr_t wake) {
    return reinterpret_cast<HANDLE>(wake);
}
}  // namespace

std::intptr_t CHardware::OpenWake() {
    const HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);  // auto-reset
    return event != nullptr ? reinterpret_cast<std::intptr_t>(event) : -1;
}

void CHardware::CloseWake() {
    if (m_nWake != -1)
        ::CloseHandle(WakeHandle(m_nWake));
    m_nWake = -1;
}

// Waits until the port has a byte or has failed, or a stop is requested; returns what was
// seen on the port (0 when woken for a stop or a re-open, or after the read's time-out).
short CHardware::WaitForPortOrStop() {
    CSerialPortWin32* port = nullptr;
    HANDLE input = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        port = dynamic_cast<CSerialPortWin32*>(m_pPort.get());
        if (port != nullptr)
            input = port->ArmInputWait();
    }
    HANDLE handles[2] = {};
    DWORD count = 0;
    if (m_nWake != -1)
        handles[count++] = WakeHandle(m_nWake);
    if (input != nullptr)
        handles[count++] = input;
    const DWORD timeoutMs = port != nullptr && m_nWake != -1 ? INFINITE : kStopCheckMs;
    if (count == 0) {
        ::Sleep(kStopCheckMs);
        return 0;
    }
    const DWORD woken = ::WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
    if (woken == WAIT_OBJECT_0 && m_nWake != -1)
        return 0;  // a stop or a re-open: the wait read stays pending for the next wait
    std::lock_guard<std::mutex> lock(m_Lock);
    return port != nullptr && port == m_pPort.get() ? port->CollectInputWait() : 0;
}

void CHardware::WaitForStop(int timeoutMs) {
    if (m_nWake == -1)
        ::Sleep(static_cast<DWORD>(timeoutMs) < kStopCheckMs ? static_cast<DWORD>(timeoutMs) : kStopCheckMs);
    else
        ::WaitForSingleObject(WakeHandle(m_nWake), static_cast<DWORD>(timeoutMs));
}

void CHardware::DrainWakeUps() {
    // The event resets itself when a wait takes it.
}

void CHardware::WakeReader() {
    if (m_nWake != -1)
        ::SetEvent(WakeHandle(m_nWake));
}
