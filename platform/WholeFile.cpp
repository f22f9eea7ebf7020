#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "platform/WholeFile.h"

namespace {
long SystemWrite(int fd, const void* bytes, unsigned long count) {
    return ::write(fd, bytes, count);
}

// Closes a descriptor on every path; Close() reports the error of an explicit close.
class CFd {
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }
    int Close() {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int m_fd = -1;
};

int WriteAll(int fd, const std::string& content, FileWriteFn write) {
    std::size_t done = 0;
    while (done < content.size()) {
        const long n = write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

std::string FolderOf(const std::string& strPath) {
    const std::size_t slash = strPath.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : strPath.substr(0, slash);
}

// A new, empty file beside the target, created with the usual permissions (umask
// applied) so that a file that did not exist before ends up as a plain open would make it.
int CreateTempBeside(const std::string& strTarget, std::string& strTemp) {
    static std::atomic<unsigned> s_nCounter{0};
    std::random_device device;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // The target's own name is not repeated: a name near the file system's limit
        // would otherwise leave no room for the temporary one.
        strTemp = FolderOf(strTarget) + "/.tovamo-" + std::to_string(::getpid()) + "-" +
                  std::to_string(s_nCounter++) + "-" + std::to_string(device() % 100000) + ".tmp";
        const int fd = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int WriteDirect(const std::string& strPath, const std::string& content, FileWriteFn write) {
    CFd fd(::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0)
        return errno;
    if (const int err = WriteAll(fd.Get(), content, write))
        return err;
    return fd.Close();
}

int WriteReplacing(const std::string& strTarget, const struct stat* pOld, const std::string& content,
                   FileWriteFn write) {
    std::string strTemp;
    CFd fd(CreateTempBeside(strTarget, strTemp));
    if (fd.Get() < 0) {
        // A writable file in a folder we may not create files in is still saved, in place.
        if (pOld != nullptr && (errno == EACCES || errno == EPERM))
            return WriteDirect(strTarget, content, write);
        return errno;
    }
    int err = WriteAll(fd.Get(), content, write);
    if (err == 0 && pOld != nullptr) {
        // Keeping the owner is best effort: only a privileged user may give files away.
        [[maybe_unused]] const int nOwnerKept = ::fchown(fd.Get(), pOld->st_uid, pOld->st_gid);
        if (::fchmod(fd.Get(), pOld->st_mode & 07777) != 0)
            err = errno;
    }
    if (err == 0 && ::fsync(fd.Get()) != 0)
        err = errno;
    if (err == 0)
        err = fd.Close();
    if (err == 0 && ::rename(strTemp.c_str(), strTarget.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(strTemp.c_str());
        return err;
    }
    // Make the rename itself durable; a failure here cannot lose the old or new content.
    CFd folder(::open(FolderOf(strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    return 0;
}
}  // namespace

int ReadWholeFile(const std::string& strPath, std::string& content, bool* pOpened) {
    content.clear();
    if (pOpened != nullptr)
        *pOpened = false;
    CFd fd(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        return errno;
    if (pOpened != nullptr)
        *pOpened = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            content.clear();
            return err;
        }
        if (n == 0)
            return 0;
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

int WriteFileReplacing(const std::string& strPath, const std::string& content, FileWriteFn write) {
    if (write == nullptr)
        write = SystemWrite;
    if (strPath.empty())
        return ENOENT;
    std::string strTarget = strPath;
    struct stat old {};
    if (::lstat(strPath.c_str(), &old) == 0 && S_ISLNK(old.st_mode)) {
        // Saving through a link replaces the file it points to, not the link.
        char resolved[PATH_MAX];
        if (::realpath(strPath.c_str(), resolved) == nullptr)
            return WriteDirect(strPath, content, write);
        strTarget = resolved;
    }
    if (::stat(strTarget.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return errno;
        return WriteReplacing(strTarget, nullptr, content, write);
    }
    if (!S_ISREG(old.st_mode))
        return WriteDirect(strTarget, content, write);
    if (::access(strTarget.c_str(), W_OK) != 0)
        return errno;
    return WriteReplacing(strTarget, &old, content, write);
}
