#include "link/SysfsTty.h"

#include <limits.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {
struct SFreer {
    void operator()(char* text) const { std::free(text); }
};
}  // namespace

std::string RealPath(const std::string& path) {
    const std::unique_ptr<char, SFreer> resolved(::realpath(path.c_str(), nullptr));
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string FirstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string UsbDeviceFolder(const std::string& sysClassTty, const std::string& ttyName) {
    std::string dir = RealPath(sysClassTty + "/" + ttyName + "/device");
    // The interface and the port lie below the USB device, which alone has the ids.
    while (!dir.empty() && dir != "/") {
        if (IsFile(dir + "/idVendor") && IsFile(dir + "/idProduct"))
            return dir;
        dir = dir.substr(0, dir.rfind('/'));
    }
    return {};
}
