#include "link/Hardware.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "link/PortNames.h"
#include "link/SystemSerialPort.h"

namespace {

const char kNotPresent[] = "Hardware not present";
const char kBusy[] = "Hardware busy in system";
const char kUnknownError[] = "Unknown Error";

const char* OpenFailureText(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return kNotPresent;
        case EBUSY:
            return kBusy;
        default:
            return kUnknownError;
    }
}

}  // namespace

CHardware::CHardware(IMessageBox* messages, std::unique_ptr<ISerialBackend> backend)
    : m_pPort(backend ? std::move(backend) : MakeSystemSerialPort()),
      m_pMessages(messages),
      m_nWake(OpenWake()) {}

CHardware::~CHardware() {
    StopReader();
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_pPort->Close();
    }
    CloseWake();
}

void CHardware::SetMessageBox(IMessageBox* messages) {
    m_pMessages = messages;
}

int CHardware::OpenPort(const std::string& name) {
    const std::string path = ResolvePortPath(name);
    const std::string identity = IdentityOf(path);
    SSerialResult opened;
    SSerialResult configured;
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        opened = m_pPort->Open(path);
        if (opened.m_nErrno == 0) {
            configured = m_pPort->Configure();
            if (configured.m_nErrno != 0)
                m_pPort->Close();
        }
        const bool bOpen = opened.m_nErrno == 0 && configured.m_nErrno == 0;
        m_strPath = bOpen ? path : std::string();
        m_strIdentity = bOpen ? identity : std::string();
    }
    if (m_Reader.joinable())
        WakeReader();  // a running reader waits on the old descriptor
    DescribeBusyHolder(opened, path);
    if (opened.m_nErrno != 0) {
        ShowOpenFailure(OpenFailureText(opened.m_nErrno), path, opened.m_strReason);
        return 0;
    }
    if (configured.m_nErrno != 0) {
        ShowOpenFailure(kUnknownError, path, configured.m_strReason);
        return 0;
    }
    return 1;
}

std::string CHardware::IdentityOf(const std::string& path) const {
    return m_identityOf ? m_identityOf(path) : std::string();
}

// Called without m_Lock: key writes from the window do not wait for the look-up.
void CHardware::DescribeBusyHolder(SSerialResult& result, const std::string& path) const {
    if (result.m_nErrno != EBUSY || !result.m_strReason.empty())
        return;
    result.m_strReason = m_pPort->DescribeHolder(path);
    if (result.m_strReason.empty())
        result.m_strReason = std::strerror(EBUSY);
}

void CHardware::ShowOpenFailure(const std::string& text, const std::string& path, const std::string& reason) {
    if (m_pMessages != nullptr)
        m_pMessages->ShowMessage(text, path + ": " + reason);
}

void CHardware::WritePort(const char* bytes, int count) {
    if (bytes == nullptr || count <= 0)
        return;
    std::lock_guard<std::mutex> lock(m_Lock);
    m_pPort->Write(bytes, count);
}

void CHardware::StartReader(IServoDataSink* sink) {
    if (m_Reader.joinable())
        return;
    m_pSink = sink;
    m_bStopRequest.store(0);
    m_bStopped.store(0);
    try {
        m_Reader = std::thread(&CHardware::ReaderThreadProc, this);
    } catch (const std::system_error&) {
        m_bStopped.store(1);  // no thread: nothing will read, and StopReader has nothing to wait for
    }
}

void CHardware::StopReader() {
    if (!m_Reader.joinable())
        return;
    m_bStopRequest.store(1);
    WakeReader();
    m_Reader.join();
}

void CHardware::SetLinkStateListener(ILinkStateListener* listener) {
    std::lock_guard<std::mutex> lock(m_Lock);
    m_pLinkListener = listener;
}

bool CHardware::IsOpen() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_pPort->IsOpen();
}
