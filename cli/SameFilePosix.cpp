// Whether two names lead to one file, on POSIX.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "cli/CliArgs.h"

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path a write to `path` lands on, existing or not: symbolic links followed (a
// dangling one too, since writing through it creates its target), then the folder made
// absolute and free of links, ".", ".." and doubled slashes. A folder that cannot be
// resolved is kept as written, so such a path still equals itself.
std::string ResolvedFileName(std::string path) {
    constexpr int kMostLinks = 40;  // as the system's own limit on a chain of links
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0)
            break;
        const std::string link(target, static_cast<std::size_t>(length));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    std::string name = NameOf(path);
    std::string folder = FolderOf(path);
    if (name.empty() || name == "." || name == "..") {
        folder = path;
        name.clear();
    }
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) != nullptr)
        folder = resolved;
    return name.empty() ? folder : folder + "/" + name;
}

}  // namespace

bool IsSameFile(const std::string& strFirst, const std::string& strSecond) {
    struct stat first {};
    struct stat second {};
    if (::stat(strFirst.c_str(), &first) == 0 && ::stat(strSecond.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return ResolvedFileName(strFirst) == ResolvedFileName(strSecond);
}
