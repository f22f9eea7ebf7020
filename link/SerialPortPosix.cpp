#include "link/SerialPortPosix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/PortHolders.h"
#include "link/SystemSerialPort.h"

namespace {

// A write that cannot put out a single byte for this long has lost its line.
constexpr int kWriteStallMs = 2000;

// Who holds a busy device is left to DescribeHolder, asked without the port's lock.
std::string ReasonFor(int error, const std::string& path) {
    if (error == EBUSY)
        return {};
    if (error == EACCES)
        return DescribeGroupAccess(path);
    return std::strerror(error);
}

int BaudOf(speed_t speed) {
    struct SSpeed {
        speed_t m_Code;
        int m_nBaud;
    };
    static constexpr SSpeed kSpeeds[] = {
        {B0, 0},         {B300, 300},     {B1200, 1200},   {B2400, 2400},     {B4800, 4800},    {B9600, 9600},
        {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}, {B230400, 230400}};
    for (const auto& entry : kSpeeds) {
        if (entry.m_Code == speed)
            return entry.m_nBaud;
    }
    return -1;
}

int DataBitsOf(tcflag_t cflag) {
    switch (cflag & CSIZE) {
        case CS5:
            return 5;
        case CS6:
            return 6;
        case CS7:
            return 7;
        default:
            return 8;
    }
}

bool WaitForRoom(int fd) {
    pollfd entry{fd, POLLOUT, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, kWriteStallMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
}

}  // namespace

CSerialPortPosix::~CSerialPortPosix() {
    Close();
}

std::string CSerialPortPosix::DescribeHolder(const std::string& path) const {
    const int holder = FindProcessUsingDevice(path);
    return holder > 0 ? "in use by " + DescribeProcess(holder) : std::string();
}

SSerialResult CSerialPortPosix::Open(const std::string& path) {
    Close();
    // A terminal program that keeps a lock file may not use flock or TIOCEXCL; its lock
    // is honoured before the device is touched at all.
    if (const int owner = FindUucpLockOwner(path))
        return {EBUSY, "locked by " + DescribeProcess(owner)};
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {error, ReasonFor(error, path)};
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return {error, ReasonFor(error, path)};
    }
    // Set only once the flock is ours, so a refused open leaves the holder's port as it was.
    if (::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        ::close(fd);
        return {error, ReasonFor(error, path)};
    }
    m_nFd = fd;
    return {};
}

SSerialResult CSerialPortPosix::Configure() {
    termios settings{};
    if (m_nFd < 0)
        return {EBADF, std::strerror(EBADF)};
    if (::tcgetattr(m_nFd, &settings) != 0) {
        const int error = errno;
        return {error, std::string("cannot read the line settings: ") + std::strerror(error)};
    }
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, B9600) != 0 || ::cfsetospeed(&settings, B9600) != 0 ||
        ::tcsetattr(m_nFd, TCSANOW, &settings) != 0) {
        const int error = errno;
        return {error, std::string("cannot apply the line settings: ") + std::strerror(error)};
    }
    // tcsetattr succeeds when any of the changes took; check the ones the drive needs.
    SLineSettings applied;
    if (!GetLineSettings(applied) || applied.m_nBaud != 9600 || applied.m_nDataBits != 8 ||
        applied.m_cParity != 'N' || applied.m_nStopBits != 1)
        return {EINVAL, "the port does not take 9600 baud, 8 data bits, no parity, one stop bit"};
    return {};
}

bool CSerialPortPosix::GetLineSettings(SLineSettings& settings) const {
    termios current{};
    if (m_nFd < 0 || ::tcgetattr(m_nFd, &current) != 0)
        return false;
    settings.m_nBaud = BaudOf(::cfgetospeed(&current));
    settings.m_nDataBits = DataBitsOf(current.c_cflag);
    settings.m_cParity = (current.c_cflag & PARENB) == 0 ? 'N' : ((current.c_cflag & PARODD) ? 'O' : 'E');
    settings.m_nStopBits = (current.c_cflag & CSTOPB) ? 2 : 1;
    settings.m_bRtsCts = (current.c_cflag & CRTSCTS) != 0;
    settings.m_bXonXoff = (current.c_iflag & (IXON | IXOFF | IXANY)) != 0;
    return true;
}

int CSerialPortPosix::BytesWaiting() {
    int count = 0;
    if (m_nFd < 0 || ::ioctl(m_nFd, FIONREAD, &count) != 0)
        return -1;
    return count;
}

int CSerialPortPosix::Read(char* bytes, int count) {
    if (m_nFd < 0)
        return -1;
    ssize_t got = 0;
    do {
        got = ::read(m_nFd, bytes, static_cast<size_t>(count));
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return errno == EAGAIN ? 0 : -1;
    return static_cast<int>(got);
}

bool CSerialPortPosix::Write(const char* bytes, int count) {
    int done = 0;
    while (m_nFd >= 0 && done < count) {
        const ssize_t put = ::write(m_nFd, bytes + done, static_cast<size_t>(count - done));
        if (put > 0) {
            done += static_cast<int>(put);
        } else if (put < 0 && errno == EINTR) {
            continue;
        } else if (put < 0 && errno == EAGAIN) {
            if (!WaitForRoom(m_nFd))
                return false;
        } else {
            return false;
        }
    }
    return m_nFd >= 0 && done == count;
}

void CSerialPortPosix::Close() {
    if (m_nFd < 0)
        return;
    // Exclusive mode belongs to the terminal, not to this descriptor: give it back so the
    // next program can open the port while some other descriptor keeps it alive.
    ::ioctl(m_nFd, TIOCNXCL);
    ::close(m_nFd);
    m_nFd = -1;
}

std::unique_ptr<ISerialBackend> MakeSystemSerialPort() {
    return std::make_unique<CSerialPortPosix>();
}
