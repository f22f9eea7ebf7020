// A serial device's identity on Linux: the USB device above the tty in sysfs.
#include <limits.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "link/DeviceIdentity.h"

namespace {

struct SFreer {
    void operator()(char* text) const { std::free(text); }
};

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

}  // namespace

std::string SystemDeviceIdentity(const std::string& devicePath) {
    // Port links and /dev/serial/by-id names lead to the device node, e.g. /dev/ttyUSB0.
    const std::string node = RealPath(devicePath);
    const auto slash = node.rfind('/');
    if (node.empty() || slash == std::string::npos)
        return {};
    std::string dir = RealPath("/sys/class/tty/" + node.substr(slash + 1) + "/device");
    // The interface and the port lie below the USB device, which alone has the ids.
    while (!dir.empty() && dir != "/") {
        if (IsFile(dir + "/idVendor") && IsFile(dir + "/idProduct")) {
            std::string identity = FirstLine(dir + "/idVendor") + ":" + FirstLine(dir + "/idProduct");
            if (IsFile(dir + "/serial"))
                identity += " " + FirstLine(dir + "/serial");
            return identity;
        }
        dir = dir.substr(0, dir.rfind('/'));
    }
    return {};
}
