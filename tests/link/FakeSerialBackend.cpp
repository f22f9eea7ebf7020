#include "FakeSerialBackend.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

CFakeSerialBackend::CFakeSerialBackend() {
    if (::pipe2(m_nPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("pipe2: ") + std::strerror(errno));
}

CFakeSerialBackend::~CFakeSerialBackend() {
    for (int fd : m_nPipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

SSerialResult CFakeSerialBackend::Open(const std::string& path) {
    ++m_nOpens;
    m_strPath = path;
    if (m_OpenFailure.m_nErrno != 0)
        return m_OpenFailure;
    m_bOpen = true;
    return {};
}

SSerialResult CFakeSerialBackend::Configure() {
    if (m_nConfigureError != 0)
        return {m_nConfigureError, std::strerror(m_nConfigureError)};
    m_Settings = {9600, 8, 'N', 1, false, false};
    return {};
}

bool CFakeSerialBackend::GetLineSettings(SLineSettings& settings) const {
    if (!m_bOpen)
        return false;
    settings = m_Settings;
    return true;
}

int CFakeSerialBackend::BytesWaiting() {
    for (char dropped = 0; m_nToDrop.load() > 0 && ::read(m_nPipe[0], &dropped, 1) == 1;) {
        --m_nToDrop;
        ++m_nDropped;
    }
    int count = 0;
    if (!m_bOpen || ::ioctl(m_nPipe[0], FIONREAD, &count) != 0)
        return -1;
    return count;
}

int CFakeSerialBackend::Read(char* bytes, int count) {
    if (!m_bOpen)
        return -1;
    const ssize_t got = ::read(m_nPipe[0], bytes, static_cast<size_t>(count));
    if (got < 0)
        return errno == EAGAIN ? 0 : -1;
    m_nConsumed += got;
    return static_cast<int>(got);
}

bool CFakeSerialBackend::Write(const char* bytes, int count) {
    if (!m_bOpen)
        return false;
    std::lock_guard<std::mutex> lock(m_WrittenLock);
    m_strWritten.append(bytes, static_cast<std::size_t>(count));
    return true;
}

void CFakeSerialBackend::Close() {
    if (m_bOpen)
        ++m_nCloses;
    m_bOpen = false;
}

void CFakeSerialBackend::Inject(const std::string& bytes) {
    if (!bytes.empty() &&
        ::write(m_nPipe[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("fake port: injected bytes do not fit the pipe");
}

void CFakeSerialBackend::InjectDropped(int count) {
    m_nToDrop += count;
    Inject(std::string(static_cast<std::size_t>(count), '\0'));
}

void CFakeSerialBackend::Unplug() {
    ::close(m_nPipe[1]);
    m_nPipe[1] = -1;
}

std::string CFakeSerialBackend::Written() const {
    std::lock_guard<std::mutex> lock(m_WrittenLock);
    return m_strWritten;
}
