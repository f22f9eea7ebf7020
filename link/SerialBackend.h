#pragma once

#include <string>

// Line settings as the port reports them.
struct SLineSettings {
    int m_nBaud = 0;
    int m_nDataBits = 0;
    char m_cParity = 'N';  // 'N' none, 'E' even, 'O' odd
    int m_nStopBits = 1;
    bool m_bRtsCts = false;   // hardware flow control
    bool m_bXonXoff = false;  // software flow control on input or output
    bool operator==(const SLineSettings&) const = default;
};

// Why opening or configuring failed: the system's error number (EBUSY also when another
// program holds the port's lock) and a sentence for the user's detail line.
struct SSerialResult {
    int m_nErrno = 0;  // 0: done
    std::string m_strReason;
};

// The operations the link needs of a serial port. One object is one port, used by the
// user-interface thread and the reader thread under CHardware's lock. Nothing blocks
// except Write, which returns once every byte is out or the port has failed.
class ISerialBackend {
public:
    virtual ~ISerialBackend() = default;

    // Opens the device for reading and writing, exclusively.
    virtual SSerialResult Open(const std::string& path) = 0;
    // Raw bytes at 9600 baud, 8 data bits, no parity, one stop bit, no flow control.
    virtual SSerialResult Configure() = 0;
    virtual bool GetLineSettings(SLineSettings& settings) const = 0;
    // Number of bytes queued for reading; -1 when the port has failed.
    virtual int BytesWaiting() = 0;
    // Reads at most count queued bytes without waiting; -1 when the port has failed.
    virtual int Read(char* bytes, int count) = 0;
    virtual bool Write(const char* bytes, int count) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Becomes readable (poll) when bytes arrive or the port fails; -1 when closed.
    virtual int PollFd() const = 0;
    // Who holds a device that Open found busy and gave no reason for, for the detail line
    // ("in use by ..."); empty when that cannot be told. Finding out may take a while (a
    // look through every process), so it is asked without CHardware's lock and must not
    // touch the port.
    virtual std::string DescribeHolder(const std::string& /*path*/) const { return {}; }
};
