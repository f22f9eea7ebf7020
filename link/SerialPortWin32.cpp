#include "link/SerialPortWin32.h"

#include <cerrno>
#include <cstring>

#include "link/PortWait.h"
#include "link/SystemSerialPort.h"
#include "platform/SystemErrorWin32.h"

namespace {

// A write that cannot put its bytes out for this long has lost its line.
constexpr DWORD kWriteStallMs = 2000;
// DCB flags word bits cleared on open: parity check, CTS output flow, DSR sensitivity,
// XON/XOFF on output and input, abort on error. Everything else keeps the driver's value.
constexpr DWORD kClearedFlagBits = 0x4346;

// Code 2 is "not present" and code 5 "busy"; anything else is an unknown error.
int ErrnoOfOpenError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EBUSY;
        default:
            return EIO;
    }
}

SSerialResult Failure(int error, const std::string& what) {
    return {error, what + SystemErrorText(::GetLastError())};
}

// The bit fields after DCBlength and BaudRate share one 32-bit word.
void ClearFlagBits(DCB& block, DWORD bits) {
    char* const word = reinterpret_cast<char*>(&block) + 2 * sizeof(DWORD);
    DWORD flags = 0;
    std::memcpy(&flags, word, sizeof flags);
    flags &= ~bits;
    std::memcpy(word, &flags, sizeof flags);
}

}  // namespace

std::unique_ptr<ISerialBackend> MakeSystemSerialPort() {
    return std::make_unique<CSerialPortWin32>();
}

CSerialPortWin32::CSerialPortWin32()
    : m_hWaitEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_hIoEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CSerialPortWin32::~CSerialPortWin32() {
    Close();
    if (m_hWaitEvent != nullptr)
        ::CloseHandle(m_hWaitEvent);
    if (m_hIoEvent != nullptr)
        ::CloseHandle(m_hIoEvent);
}

SSerialResult CSerialPortWin32::Open(const std::string& path) {
    Close();
    // Overlapped rather than synchronous: see the class comment.
    const HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return {ErrnoOfOpenError(error), SystemErrorText(error)};
    }
    m_hPort = handle;
    m_bFailed = false;
    m_bHeld = false;
    return {};
}

SSerialResult CSerialPortWin32::Configure() {
    if (!IsOpen())
        return {EBADF, "the port is not open"};
    DCB block{};
    block.DCBlength = sizeof block;
    if (!::GetCommState(m_hPort, &block))
        return Failure(EIO, "cannot read the line settings: ");
    block.BaudRate = CBR_9600;
    block.ByteSize = 8;
    block.Parity = NOPARITY;
    block.StopBits = ONESTOPBIT;
    ClearFlagBits(block, kClearedFlagBits);
    if (!::SetCommState(m_hPort, &block))
        return Failure(EIO, "cannot apply the line settings: ");
    // No read time-out: the reader's one-byte wait read returns with the first byte (reads
    // of queued bytes return at once anyway), and StopReader ends it with its own event,
    // Close with CancelIoEx. An overlapped WaitCommEvent would be the other usual wait, but
    // under Wine on a pseudo-terminal it returns at once and the reader would spin. Writes
    // get a time-out so that a stalled line fails the write instead of hanging the key.
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = kWriteStallMs;
    if (!::SetCommTimeouts(m_hPort, &timeouts))
        return Failure(EIO, "cannot set the port's time-outs: ");
    SLineSettings applied;
    if (!GetLineSettings(applied) || applied.m_nBaud != 9600 || applied.m_nDataBits != 8 ||
        applied.m_cParity != 'N' || applied.m_nStopBits != 1)
        return {EINVAL, "the port does not take 9600 baud, 8 data bits, no parity, one stop bit"};
    return {};
}

bool CSerialPortWin32::GetLineSettings(SLineSettings& settings) const {
    DCB block{};
    block.DCBlength = sizeof block;
    if (!IsOpen() || !::GetCommState(m_hPort, &block))
        return false;
    settings.m_nBaud = static_cast<int>(block.BaudRate);
    settings.m_nDataBits = block.ByteSize;
    settings.m_cParity = block.Parity == NOPARITY ? 'N' : (block.Parity == ODDPARITY ? 'O' : 'E');
    settings.m_nStopBits = block.StopBits == ONESTOPBIT ? 1 : 2;
    settings.m_bRtsCts = block.fOutxCtsFlow != 0 || block.fRtsControl == RTS_CONTROL_HANDSHAKE;
    settings.m_bXonXoff = block.fOutX != 0 || block.fInX != 0;
    return true;
}

int CSerialPortWin32::BytesWaiting() {
    if (!IsOpen() || m_bFailed)
        return -1;
    if (m_bWaitPending && !FinishWaitRead(false))
        return m_bFailed ? -1 : 0;  // still pending: a byte that came is its to take first
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(m_hPort, &errors, &status))
        return -1;
    return static_cast<int>(status.cbInQue) + (m_bHeld ? 1 : 0);
}

int CSerialPortWin32::Read(char* bytes, int count) {
    if (!IsOpen() || m_bFailed)
        return -1;
    if (count <= 0 || (m_bWaitPending && !FinishWaitRead(false)))
        return m_bFailed ? -1 : 0;
    int got = 0;
    if (m_bHeld) {
        bytes[got++] = m_cHeld;
        m_bHeld = false;
    }
    DWORD done = 0;
    if (got < count && !Transfer(false, bytes + got, static_cast<DWORD>(count - got), done))
        return got > 0 ? got : -1;
    return got + static_cast<int>(done);
}

bool CSerialPortWin32::Write(const char* bytes, int count) {
    DWORD done = 0;
    return IsOpen() && count >= 0 &&
           Transfer(true, const_cast<char*>(bytes), static_cast<DWORD>(count), done) &&
           done == static_cast<DWORD>(count);
}

// One overlapped read or write, waited for to its end.
bool CSerialPortWin32::Transfer(bool bWrite, char* bytes, DWORD count, DWORD& done) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = m_hIoEvent;
    ::ResetEvent(m_hIoEvent);
    const BOOL started = bWrite ? ::WriteFile(m_hPort, bytes, count, nullptr, &overlapped)
                                : ::ReadFile(m_hPort, bytes, count, nullptr, &overlapped);
    if (!started && ::GetLastError() != ERROR_IO_PENDING)
        return false;
    return ::GetOverlappedResult(m_hPort, &overlapped, &done, TRUE) != 0;
}

HANDLE CSerialPortWin32::ArmInputWait() {
    if (!IsOpen())
        return nullptr;
    if (m_bWaitPending)
        return m_hWaitEvent;
    if (m_bHeld || m_bFailed) {
        ::SetEvent(m_hWaitEvent);
        return m_hWaitEvent;
    }
    m_WaitOverlapped = OVERLAPPED{};
    m_WaitOverlapped.hEvent = m_hWaitEvent;
    ::ResetEvent(m_hWaitEvent);
    if (::ReadFile(m_hPort, &m_cHeld, 1, nullptr, &m_WaitOverlapped) ||
        ::GetLastError() == ERROR_IO_PENDING) {
        m_bWaitPending = true;
    } else {
        m_bFailed = true;
        ::SetEvent(m_hWaitEvent);
    }
    return m_hWaitEvent;
}

short CSerialPortWin32::CollectInputWait() {
    if (!IsOpen())
        return 0;
    if (m_bWaitPending)
        FinishWaitRead(false);
    if (m_bFailed)
        return kPortFailed;
    return m_bHeld ? kPortInput : 0;
}

// True once the wait read is over (a byte held, a time-out, or a failure, which marks the
// port as failed); false while it is still pending and bBlock is false.
bool CSerialPortWin32::FinishWaitRead(bool bBlock) {
    DWORD got = 0;
    if (!::GetOverlappedResult(m_hPort, &m_WaitOverlapped, &got, bBlock ? TRUE : FALSE)) {
        if (::GetLastError() == ERROR_IO_INCOMPLETE)
            return false;
        m_bFailed = true;  // unplugged: access denied, bad command, aborted, not connected
    }
    m_bWaitPending = false;
    m_bHeld = !m_bFailed && got == 1;
    return true;
}

void CSerialPortWin32::Close() {
    if (!IsOpen())
        return;
    if (m_bWaitPending) {
        ::CancelIoEx(m_hPort, &m_WaitOverlapped);
        FinishWaitRead(true);
    }
    ::CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
    m_bFailed = false;
    m_bHeld = false;
    ::SetEvent(m_hWaitEvent);  // a reader waiting on the old handle looks again
}
