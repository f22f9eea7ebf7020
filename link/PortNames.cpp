#include "link/PortNames.h"

#include <sys/stat.h>

#include <cctype>

#include "platform/ConfigPaths.h"

namespace {

constexpr int kHighestComPort = 256;

// The number n of "COMn" (any letter case, no leading zero), or 0.
int ComPortNumber(const std::string& name) {
    if (name.size() < 4 || name.size() > 6)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[static_cast<std::size_t>(i)])) != "COM"[i])
            return 0;
    }
    if (name[3] == '0')
        return 0;
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number <= kHighestComPort ? number : 0;
}

}  // namespace

std::string ResolvePortPath(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    const int number = ComPortNumber(name);
    if (number == 0)
        return name;
    const std::string link = TovamoPortLinkDir() + "/COM" + std::to_string(number);
    struct stat info {};
    if (::lstat(link.c_str(), &info) == 0)
        return link;
    return "/dev/ttyS" + std::to_string(number - 1);
}

bool PortPathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}
