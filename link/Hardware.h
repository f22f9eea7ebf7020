#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/DeviceIdentity.h"
#include "link/KeyWriter.h"
#include "link/LineFramer.h"
#include "link/LinkState.h"
#include "link/PortWait.h"
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
//
// When the device goes away (hang-up, I/O error, device removed) the reader closes the
// port, reports "lost" and looks every 200 ms whether the path it was opened by leads to a
// device again (a port link or /dev/serial/by-id name finds a replugged adapter); it then
// re-opens it exclusively with the same settings and reports "back". A device whose
// identity (a USB adapter's ids and serial number) differs from the one first opened is
// another adapter under the same name: it is reported ("other") and not opened.
class CHardware : public IKeyWriter {
public:
    // Without a back end the system's serial port is used.
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
    // Who hears of a lost and regained device; nullptr stops the news. Once this returns,
    // the previous listener is not called any more.
    void SetLinkStateListener(ILinkStateListener* listener);
    // How a device's identity is found (the system's lookup by default). Call before
    // OpenPort; the reader calls it from its own thread.
    void SetDeviceIdentityLookup(DeviceIdentityLookup lookup) { m_identityOf = std::move(lookup); }

private:
    enum class EPass { Data, Idle, Gone, Closed };

    void ReaderThreadProc();
    EPass RunPollingPass(short revents);
    short WaitForPortOrStop();
    void WaitForStop(int timeoutMs);
    void AwaitReplug();
    SSerialResult Reopen(const std::string& path, const std::string& identity);
    bool IsAnotherDevice(const std::string& identity) const;
    std::string IdentityOf(const std::string& path) const;
    void DescribeBusyHolder(SSerialResult& result, const std::string& path) const;
    void ReportLinkState(ELinkState state, const std::string& detail);
    void DrainWakeUps();
    void WakeReader();
    static std::intptr_t OpenWake();
    void CloseWake();
    void ShowOpenFailure(const std::string& text, const std::string& path, const std::string& reason);

    CLineFramer m_Framer;  // the line being assembled; touched only by the reader, under m_Lock
    std::unique_ptr<ISerialBackend> m_pPort;
    IServoDataSink* m_pSink = nullptr;
    IMessageBox* m_pMessages = nullptr;
    ILinkStateListener* m_pLinkListener = nullptr;  // under m_Lock
    std::string m_strPath;                          // the path of the last good open; under m_Lock
    std::string m_strIdentity;                      // of the device first opened there; under m_Lock
    DeviceIdentityLookup m_identityOf = SystemDeviceIdentity;
    std::atomic<int> m_bStopRequest{0};
    std::atomic<int> m_bStopped{0};
    mutable std::mutex m_Lock;
    std::thread m_Reader;
    // Set by StopReader and OpenPort to end the reader's wait at once: an eventfd on POSIX,
    // an event handle on Windows; -1 when none could be made.
    std::intptr_t m_nWake = -1;
};
