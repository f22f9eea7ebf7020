#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "link/SerialBackend.h"

// A serial port in memory for unit tests. Bytes "from the drive" go through a pipe so the
// reader can wait on it like on a real port; bytes written are kept for the test.
class CFakeSerialBackend final : public ISerialBackend {
public:
    CFakeSerialBackend();
    ~CFakeSerialBackend() override;
    CFakeSerialBackend(const CFakeSerialBackend&) = delete;
    CFakeSerialBackend& operator=(const CFakeSerialBackend&) = delete;

    SSerialResult Open(const std::string& path) override;
    SSerialResult Configure() override;
    bool GetLineSettings(SLineSettings& settings) const override;
    int BytesWaiting() override;
    int Read(char* bytes, int count) override;
    bool Write(const char* bytes, int count) override;
    void Close() override;
    bool IsOpen() const override { return m_bOpen; }
    int PollFd() const override { return m_bOpen ? m_nPipe[0] : -1; }
    std::string DescribeHolder(const std::string& /*path*/) const override {
        return m_describeHolder ? m_describeHolder() : std::string();
    }

    // What the test arranges and looks at.
    void FailOpen(int error, const std::string& reason) { m_OpenFailure = {error, reason}; }
    void FailConfigure(int error) { m_nConfigureError = error; }
    void SetLineSettings(const SLineSettings& settings) { m_Settings = settings; }
    void Inject(const std::string& bytes);
    void Unplug();  // the far end goes away: hang-up on the descriptor
    // Bytes that wake the reader but that the port then drops (line noise the driver
    // discards): a readable wake-up that finds nothing queued.
    void InjectDropped(int count);
    long BytesDropped() const { return m_nDropped.load(); }
    std::string Written() const;
    long BytesConsumed() const { return m_nConsumed.load(); }
    const std::string& OpenedPath() const { return m_strPath; }
    int CloseCount() const { return m_nCloses; }
    int OpenCount() const { return m_nOpens.load(); }
    std::function<std::string()> m_describeHolder;

private:
    int m_nPipe[2] = {-1, -1};
    bool m_bOpen = false;
    std::string m_strPath;
    SSerialResult m_OpenFailure;
    int m_nConfigureError = 0;
    SLineSettings m_Settings{1200, 7, 'E', 2, true, true};
    int m_nCloses = 0;
    std::atomic<int> m_nOpens{0};
    std::atomic<long> m_nConsumed{0};
    std::atomic<int> m_nToDrop{0};
    std::atomic<long> m_nDropped{0};
    mutable std::mutex m_WrittenLock;
    std::string m_strWritten;
};
