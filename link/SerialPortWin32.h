#pragma once

#include <windows.h>

#include "link/SerialBackend.h"

// A COM port through the Win32 communications calls. The handle is opened overlapped so
// that a key's write never waits behind the reader's pending read (synchronous I/O on one
// handle is serialised by the system), and so that StopReader can end the wait at once.
//
// The reader waits with a one-byte overlapped read (ArmInputWait): it completes when the
// first byte arrives, and that byte is held and handed out first by the next Read.
// While that read is pending the port reports nothing queued, so no later byte can
// overtake it.
class CSerialPortWin32 final : public ISerialBackend {
public:
    CSerialPortWin32();
    ~CSerialPortWin32() override;
    CSerialPortWin32(const CSerialPortWin32&) = delete;
    CSerialPortWin32& operator=(const CSerialPortWin32&) = delete;

    SSerialResult Open(const std::string& path) override;
    SSerialResult Configure() override;
    bool GetLineSettings(SLineSettings& settings) const override;
    int BytesWaiting() override;
    int Read(char* bytes, int count) override;
    bool Write(const char* bytes, int count) override;
    void Close() override;
    bool IsOpen() const override { return m_hPort != INVALID_HANDLE_VALUE; }
    int PollFd() const override { return -1; }

    // Starts the one-byte wait read unless it is pending or a byte is held; returns the
    // event that is set when the read completes (also at once when a byte is held or the
    // port has failed), or nullptr when the port is closed.
    HANDLE ArmInputWait();
    // After the event was set: kPortInput when a byte is held, kPortFailed when the read
    // failed, 0 when it is still pending or the port was closed.
    short CollectInputWait();

private:
    bool FinishWaitRead(bool bBlock);
    bool Transfer(bool bWrite, char* bytes, DWORD count, DWORD& done);

    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    HANDLE m_hWaitEvent = nullptr;  // lives with the object: the reader may still wait on it
    HANDLE m_hIoEvent = nullptr;    // for the reads and writes of the passes and keys
    OVERLAPPED m_WaitOverlapped{};
    bool m_bWaitPending = false;
    bool m_bFailed = false;  // the wait read failed: the device is gone
    bool m_bHeld = false;
    char m_cHeld = 0;
};
