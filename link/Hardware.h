#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/KeyWriter.h"
#include "link/LineFramer.h"
#include "link/SerialBackend.h"
#include "link/ServoDataSink.h"
#include "platform/MessageBox.h"

// The program's one access to the drive: opens and configures the serial port, writes key
// bytes, and runs the reader thread that cuts the drive's output into records for a sink.
// m_Lock serialises every use of the port: one write, or one whole polling pass of the
// reader including the posting of that pass's records. The owner (the desktop program,
// the command-line tool) keeps one instance for the whole connection.
//
// A sink's PostServoData runs on the reader thread with m_Lock held: it must queue the
// record and return, and must not call WritePort from there.
class CHardware : public IKeyWriter {
public:
    // Without a back end the POSIX serial port is used.
    explicit CHardware(IMessageBox* messages = nullptr, std::unique_ptr<ISerialBackend> backend = nullptr);
    // Stops a running reader, then closes the port.
    virtual ~CHardware();
    CHardware(const CHardware&) = delete;
    CHardware& operator=(const CHardware&) = delete;

    void SetMessageBox(IMessageBox* messages);
    // "COMn" or a device path (see ResolvePortPath). 1 when the port is open and
    // configured; 0 otherwise, after exactly one message.
    int OpenPort(const std::string& name);
    // Synchronous, under m_Lock; failures are silent.
    void WritePort(const char* bytes, int count) override;
    // Records go to sink->PostServoData in the order they were cut. A second call while
    // the reader runs is ignored.
    void StartReader(IServoDataSink* sink);
    // Returns once the reader thread has ended; at once if it never started.
    void StopReader();
    bool IsOpen() const;

private:
    enum class EPass { Data, Idle, Failed };

    void ReaderThreadProc();
    EPass RunPollingPass();
    short WaitForPortOrStop();
    void WaitForStop(int timeoutMs);
    void DrainWakeUps();
    void WakeReader();
    void ShowOpenFailure(const std::string& text, const std::string& path, const std::string& reason);

    CLineFramer m_Framer;  // the line being assembled; touched only by the reader, under m_Lock
    std::unique_ptr<ISerialBackend> m_pPort;
    IServoDataSink* m_pSink = nullptr;
    IMessageBox* m_pMessages = nullptr;
    std::atomic<int> m_bStopRequest{0};
    std::atomic<int> m_bStopped{0};
    mutable std::mutex m_Lock;
    std::thread m_Reader;
    int m_nWakeFd = -1;  // eventfd written by StopReader to end the reader's wait at once
};
