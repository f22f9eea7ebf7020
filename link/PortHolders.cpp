#include "link/PortHolders.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

struct SDirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, SDirCloser>;

struct SFreer {
    void operator()(char* text) const { std::free(text); }
};

std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, SFreer> resolved(::realpath(path.c_str(), nullptr));
    return resolved ? std::string(resolved.get()) : path;
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsAlive(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool IsAsciiPidText(const std::string& content) {
    return content.find_first_not_of("0123456789 \n") == std::string::npos;
}

// Lock files hold the PID in ASCII (ten digits and a newline, or shorter), or, from older
// tools, as a binary int of exactly its size.
int ParseLockPid(const std::string& content) {
    if (content.size() == sizeof(int) && !IsAsciiPidText(content)) {
        int pid = 0;
        std::memcpy(&pid, content.data(), sizeof pid);
        return pid;
    }
    const char* text = content.c_str();
    char* end = nullptr;
    const long pid = std::strtol(text, &end, 10);
    if (end == text || pid <= 0 || pid > INT_MAX)
        return 0;
    return static_cast<int>(pid);
}

std::string ReadSmallFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char buffer[64];
    file.read(buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(file.gcount()));
}

bool LinksTo(const std::string& link, const std::string& target) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
    return length > 0 && target.compare(0, std::string::npos, buffer, static_cast<std::size_t>(length)) == 0;
}

bool ProcessHasOpen(const std::string& pid, const std::string& device) {
    const std::string fdDir = "/proc/" + pid + "/fd";
    const DirHandle dir(::opendir(fdDir.c_str()));
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] != '.' && LinksTo(fdDir + "/" + entry->d_name, device))
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> UucpLockDirs() {
    const char* dir = std::getenv("TOVAMO_LOCK_DIR");
    if (dir != nullptr && dir[0] != 0)
        return {dir};
    return {"/var/lock", "/run/lock"};
}

int FindUucpLockOwner(const std::string& devicePath) {
    const std::string name = "LCK.." + BaseName(RealPath(devicePath));
    for (const auto& dir : UucpLockDirs()) {
        const std::string content = ReadSmallFile(dir + "/" + name);
        if (content.empty())
            continue;
        const int pid = ParseLockPid(content);
        if (IsAlive(pid))
            return pid;
    }
    return 0;
}

int FindProcessUsingDevice(const std::string& devicePath) {
    const std::string device = RealPath(devicePath);
    const DirHandle proc(::opendir("/proc"));
    if (!proc)
        return 0;
    while (const dirent* entry = ::readdir(proc.get())) {
        const int pid = std::atoi(entry->d_name);
        if (pid > 0 && ProcessHasOpen(entry->d_name, device))
            return pid;
    }
    return 0;
}

std::string DescribeProcess(int pid) {
    std::string name = ReadSmallFile("/proc/" + std::to_string(pid) + "/comm");
    while (!name.empty() && (name.back() == '\n' || name.back() == 0))
        name.pop_back();
    std::string text = "process " + std::to_string(pid);
    if (!name.empty())
        text += " (" + name + ")";
    return text;
}

std::string DescribeGroupAccess(const std::string& devicePath) {
    std::string text = std::strerror(EACCES);
    struct stat info {};
    if (::stat(devicePath.c_str(), &info) != 0)
        return text;
    char buffer[4096];
    // Joining the group helps only when the group may read and write the device, and
    // joining "root" is no advice to give.
    const bool bGroupMayUse = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP) && info.st_gid != 0;
    if (!bGroupMayUse) {
        std::string owner = std::to_string(info.st_uid);
        struct passwd user {};
        struct passwd* foundUser = nullptr;
        if (::getpwuid_r(info.st_uid, &user, buffer, sizeof buffer, &foundUser) == 0 && foundUser != nullptr)
            owner = foundUser->pw_name;
        char mode[8];
        std::snprintf(mode, sizeof mode, "%03o", static_cast<unsigned>(info.st_mode & 0777));
        return text + ". No group other than root may read and write the device (owner \"" + owner +
               "\", mode " + mode + "); serial ports usually belong to the group \"dialout\".";
    }
    std::string group = std::to_string(info.st_gid);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr)
        group = found->gr_name;
    return text + ". The device belongs to group \"" + group + "\": add your user to it (sudo usermod -aG " +
           group + " $USER) and log in again.";
}
