#include "grid/GridTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
// Closes on every path; Close() gives the error of the explicit close.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    int Get() const { return m_fd; }
    int Close() {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int m_fd = -1;
};

int WriteAll(int fd, const std::string& content, GridTextWriteFn write) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : ENOSPC;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int WriteInPlace(const std::string& strPath, const std::string& content, GridTextWriteFn write) {
    CFileDescriptor fd(::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0) {
        return errno;
    }
    if (const int nError = WriteAll(fd.Get(), content, write)) {
        return nError;
    }
    return fd.Close();
}

// mkstemp's file is private (0600); the saved file gets the old one's mode, or for a new
// file what a plain create would give under the user's umask.
mode_t ModeFor(const struct stat* pOld) {
    if (pOld != nullptr) {
        return pOld->st_mode & 07777;
    }
    const mode_t nMask = ::umask(0);
    ::umask(nMask);
    return 0666 & ~nMask;
}

int WriteBeside(const std::string& strTarget, const struct stat* pOld, const std::string& content,
                GridTextWriteFn write) {
    const std::size_t slash = strTarget.rfind('/');
    const std::string strFolder = slash == std::string::npos ? "./" : strTarget.substr(0, slash + 1);
    std::string strTemp = strFolder + ".tovamo-grid-XXXXXX";
    CFileDescriptor fd(::mkostemp(strTemp.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        // A file we may write in a folder we may not create files in is still saved.
        if (pOld != nullptr && (errno == EACCES || errno == EPERM)) {
            return WriteInPlace(strTarget, content, write);
        }
        return errno;
    }
    int nError = WriteAll(fd.Get(), content, write);
    if (nError == 0 && ::fchmod(fd.Get(), ModeFor(pOld)) != 0) {
        nError = errno;
    }
    if (nError == 0 && ::fsync(fd.Get()) != 0) {
        nError = errno;
    }
    if (nError == 0) {
        nError = fd.Close();
    }
    if (nError == 0 && ::rename(strTemp.c_str(), strTarget.c_str()) != 0) {
        nError = errno;
    }
    if (nError != 0) {
        ::unlink(strTemp.c_str());
    }
    return nError;
}
}  // namespace

SGridTextRead ReadGridTextFile(const std::string& strPath) {
    SGridTextRead result;
    CFileDescriptor fd(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        result.nOpenError = errno;
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            result.nReadError = n < 0 ? errno : 0;
            return result;
        }
        result.content.append(buffer, static_cast<std::size_t>(n));
    }
}

int WriteGridTextFile(const std::string& strPath, const std::string& content, GridTextWriteFn write) {
    if (write == nullptr) {
        write = ::write;
    }
    if (strPath.empty()) {
        return ENOENT;
    }
    std::string strTarget = strPath;
    struct stat old {};
    if (::lstat(strPath.c_str(), &old) == 0 && S_ISLNK(old.st_mode)) {
        // Through a link, the file it points to is replaced, not the link.
        char resolved[PATH_MAX];
        if (::realpath(strPath.c_str(), resolved) == nullptr) {
            return WriteInPlace(strPath, content, write);
        }
        strTarget = resolved;
    }
    if (::stat(strTarget.c_str(), &old) != 0) {
        return errno == ENOENT ? WriteBeside(strTarget, nullptr, content, write) : errno;
    }
    if (!S_ISREG(old.st_mode)) {
        return WriteInPlace(strTarget, content, write);
    }
    if (::access(strTarget.c_str(), W_OK) != 0) {
        return errno;
    }
    return WriteBeside(strTarget, &old, content, write);
}
