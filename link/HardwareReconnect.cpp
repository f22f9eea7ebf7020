// The reader thread of CHardware when the device has gone away: wait for it to come back
// under the same path and re-open it.
#include <cerrno>

#include "link/Hardware.h"
#include "link/PortNames.h"

namespace {
// How often the path is looked at while the device is away: a replug is noticed within
// this, and the idle reader costs a look at the path five times a second.
constexpr int kReplugCheckMs = 200;
// While another program holds the device, or another adapter is under the port's name,
// once a second is often enough.
constexpr int kBusyCheckMs = 1000;
}  // namespace

// Returns once the port is open again or a stop is requested. A port opened without a
// path (or never opened) has nothing to wait for: the reader then waits for a stop or
// for OpenPort. Each state is reported once, when it begins.
void CHardware::AwaitReplug() {
    std::string path;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_pPort->Close();
        path = m_strPath;
    }
    ReportLinkState(ELinkState::kLost, path);
    ELinkState shown = ELinkState::kLost;
    while (!path.empty() && !m_bStopRequest.load()) {
        WaitForStop(shown == ELinkState::kLost ? kReplugCheckMs : kBusyCheckMs);
        if (m_bStopRequest.load() || !PortPathExists(path))
            continue;
        // Looked up before the open: another adapter is not touched at all.
        const std::string identity = IdentityOf(path);
        if (IsAnotherDevice(identity)) {
            if (shown != ELinkState::kOther)
                ReportLinkState(ELinkState::kOther, path);
            shown = ELinkState::kOther;
            continue;
        }
        SSerialResult result = Reopen(path, identity);
        if (result.m_nErrno == 0) {
            ReportLinkState(ELinkState::kBack, path);
            return;
        }
        if (result.m_nErrno == EBUSY && shown != ELinkState::kBusy) {
            DescribeBusyHolder(result, path);
            ReportLinkState(ELinkState::kBusy, path + ": " + result.m_strReason);
            shown = ELinkState::kBusy;
        }
    }
}

// A device whose identity differs from the one remembered; a device without one is taken
// as it is.
bool CHardware::IsAnotherDevice(const std::string& identity) const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return !identity.empty() && !m_strIdentity.empty() && identity != m_strIdentity;
}

// Open and configure as OpenPort does, without a message. The bytes of a field cut short
// by the unplug are dropped, so the first field after the replug is cut as it came.
// The first identity the system gives is the one remembered.
SSerialResult CHardware::Reopen(const std::string& path, const std::string& identity) {
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
    if (result.m_nErrno == 0) {
        m_Framer = CLineFramer();
        if (m_strIdentity.empty())
            m_strIdentity = identity;
    }
    return result;
}

void CHardware::ReportLinkState(ELinkState state, const std::string& detail) {
    std::lock_guard<std::mutex> lock(m_Lock);
    if (m_pLinkListener != nullptr)
        m_pLinkListener->OnLinkState(state, detail);
}
