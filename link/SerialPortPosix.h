#pragma once

#include "link/SerialBackend.h"

// A serial device (a tty or a pseudo-terminal) through POSIX calls. The descriptor is
// non-blocking: reads take only what is queued, and a write waits for room with poll()
// so that a stalled line fails the write instead of hanging the caller.
class CSerialPortPosix final : public ISerialBackend {
public:
    CSerialPortPosix() = default;
    ~CSerialPortPosix() override;
    CSerialPortPosix(const CSerialPortPosix&) = delete;
    CSerialPortPosix& operator=(const CSerialPortPosix&) = delete;

    SSerialResult Open(const std::string& path) override;
    SSerialResult Configure() override;
    bool GetLineSettings(SLineSettings& settings) const override;
    int BytesWaiting() override;
    int Read(char* bytes, int count) override;
    bool Write(const char* bytes, int count) override;
    void Close() override;
    bool IsOpen() const override { return m_nFd >= 0; }
    int PollFd() const override { return m_nFd; }
    std::string DescribeHolder(const std::string& path) const override;

private:
    int m_nFd = -1;
};
