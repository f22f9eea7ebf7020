#include "LinkTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

void CCollectingSink::PostServoData(std::unique_ptr<CServoData> record) {
    if (m_OnRecord)
        m_OnRecord();
    std::lock_guard<std::mutex> lock(m_Lock);
    m_Records.push_back(Describe(*record));
    m_Arrived.notify_all();
}

bool CCollectingSink::WaitForCount(std::size_t count) {
    std::unique_lock<std::mutex> lock(m_Lock);
    return m_Arrived.wait_for(lock, kPatience, [&] { return m_Records.size() >= count; });
}

std::vector<SExpectedRecord> CCollectingSink::Records() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Records;
}

void CLinkStateRecorder::OnLinkState(ELinkState state, const std::string& detail) {
    std::lock_guard<std::mutex> lock(m_Lock);
    const char* names[] = {"lost", "busy", "back", "other"};
    m_States.push_back(names[static_cast<int>(state)]);
    m_Details.push_back(detail);
    m_Arrived.notify_all();
}

bool CLinkStateRecorder::WaitForCount(std::size_t count, std::chrono::milliseconds patience) {
    std::unique_lock<std::mutex> lock(m_Lock);
    return m_Arrived.wait_for(lock, patience, [&] { return m_States.size() >= count; });
}

std::vector<std::string> CLinkStateRecorder::States() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_States;
}

std::vector<std::string> CLinkStateRecorder::Details() const {
    std::lock_guard<std::mutex> lock(m_Lock);
    return m_Details;
}

CPtyPair::CPtyPair() {
    char name[256] = {};
    if (::openpty(&m_nMaster, &m_nSlave, name, nullptr, nullptr) != 0)
        throw std::runtime_error(std::string("openpty: ") + std::strerror(errno));
    m_strSlavePath = name;
    ::fcntl(m_nMaster, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_nMaster, F_SETFL, ::fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_nSlave, F_SETFD, FD_CLOEXEC);
}

CPtyPair::~CPtyPair() {
    CloseMaster();
    ::close(m_nSlave);
}

bool CPtyPair::SendFromDrive(const std::string& bytes, const std::atomic<bool>* keepGoing) {
    std::size_t done = 0;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (done < bytes.size()) {
        if (keepGoing != nullptr && !keepGoing->load())
            return false;
        if (std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("pty write: the port does not read");
        const ssize_t put = ::write(m_nMaster, bytes.data() + done, bytes.size() - done);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
        } else if (errno == EAGAIN) {
            pollfd entry{m_nMaster, POLLOUT, 0};
            ::poll(&entry, 1, 100);
        } else if (errno != EINTR) {
            throw std::runtime_error(std::string("pty write: ") + std::strerror(errno));
        }
    }
    return true;
}

std::string CPtyPair::ReceiveAtDrive(std::size_t count) {
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{m_nMaster, POLLIN, 0};
        if (::poll(&entry, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t got = ::read(m_nMaster, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void CPtyPair::CloseMaster() {
    if (m_nMaster >= 0)
        ::close(m_nMaster);
    m_nMaster = -1;
}

CScopedEnv::CScopedEnv(const char* name, const std::string& value) : m_strName(name) {
    if (const char* old = std::getenv(name)) {
        m_bHadValue = true;
        m_strOldValue = old;
    }
    ::setenv(name, value.c_str(), 1);
}

CScopedEnv::~CScopedEnv() {
    if (m_bHadValue)
        ::setenv(m_strName.c_str(), m_strOldValue.c_str(), 1);
    else
        ::unsetenv(m_strName.c_str());
}

bool WaitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
