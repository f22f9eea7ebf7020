#include "sim/PortLink.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

CPortLink::~CPortLink() {
    Remove();
}

void CPortLink::Remove() {
    if (m_strPath.empty())
        return;
    std::error_code ec;
    if (std::filesystem::read_symlink(m_strPath, ec) == m_strTarget && !ec)
        unlink(m_strPath.c_str());
    m_strPath.clear();
}

bool CPortLink::Create(const std::string& path, const std::string& target, std::string& error) {
    const std::filesystem::path link(path);
    std::error_code ec;
    if (link.has_parent_path())
        std::filesystem::create_directories(link.parent_path(), ec);
    if (ec) {
        error = link.parent_path().string() + ": " + ec.message();
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = path + ": exists and is not a symbolic link; not replaced";
        return false;
    }
    // A new link under a temporary name, renamed over the old one: the path never
    // points nowhere while it is being replaced.
    const std::string temporary = path + ".new-" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0 || rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    m_strPath = path;
    m_strTarget = target;
    return true;
}
