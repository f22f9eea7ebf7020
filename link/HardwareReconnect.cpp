// The reader thread of CHardware when the device has gone away: wait for it to come back
// under the same path and re-open it.
#include <sys/stat.h>

#include <cerrno>

#include "link/Hardware.h"

namespace {
// How often the path is looked at while the device is away: a replug is noticed within
// this, and the idle reader costs a stat() five times a second.
constexpr int kReplugCheckMs = 200;
// While another program holds the device each try looks through /proc for who it is, which
// costs milliseconds on a busy desktop: then once a second is often enough.
constexpr int kBusyCheckMs = 1000;
}  // namespace

// Returns once the port is open again or a stop is requested. A port opened without a
// path (or never opened) has nothing to wait for: the reader then waits for a stop or
// for OpenPort.
void CHardware::AwaitReplug() {
    std::string path;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_pPort->Close();
        path = m_strPath;
    }
    ReportLinkState(ELinkState::kLost, path);
    bool bBusyShown = false;
    while (!path.empty() && !m_bStopRequest.load()) {
        WaitForStop(bBusyShown ? kBusyCheckMs : kReplugCheckMs);
        struct stat info {};
        if (m_bStopRequest.load() || ::stat(path.c_str(), &info) != 0)
            continue;
        const SSerialResult result = Reopen(path);
        if (result.m_nErrno == 0) {
            ReportLinkState(ELinkState::kBack, path);
            return;
        }
        if (result.m_nErrno == EBUSY && !bBusyShown) {
            bBusyShown = true;
            ReportLinkState(ELinkState::kBusy, path + ": " + result.m_strReason);
        }
    }
}

// Open and configure as OpenPort does, without a message. The bytes of a field cut short
// by the unplug are dropped, so the first field after the replug is cut as it came.
SSerialResult CHardware::Reopen(const std::string& path) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_pPort->IsOpen())
        return {};  // OpenPort got there first
    if (m_strPath != path)
        return {ENOENT, "OpenPort has moved to another port"};
    SSerialResult result = m_pPort->Open(path);
    if (result.m_nErrno == 0) {
        result = m_pPort->Configure();
        if (result.m_nErrno != 0)
            m_pPort->Close();
    }
    if (result.m_nErrno == 0)
        m_Framer = CLineFramer();
    return result;
}

void CHardware::ReportLinkState(ELinkState state, const std::string& detail) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_pLinkListener != nullptr)
        m_pLinkListener->OnLinkState(state, detail);
}
