// A serial device's identity on Linux: the USB device above the tty in sysfs.
#include "link/DeviceIdentity.h"
#include "link/SysfsTty.h"

std::string SystemDeviceIdentity(const std::string& devicePath) {
    // Port links and /dev/serial/by-id names lead to the device node, e.g. /dev/ttyUSB0.
    const std::string node = RealPath(devicePath);
    const auto slash = node.rfind('/');
    if (node.empty() || slash == std::string::npos)
        return {};
    const std::string dir = UsbDeviceFolder("/sys/class/tty", node.substr(slash + 1));
    if (dir.empty())
        return {};
    std::string identity = FirstLine(dir + "/idVendor") + ":" + FirstLine(dir + "/idProduct");
    if (IsFile(dir + "/serial"))
        identity += " " + FirstLine(dir + "/serial");
    return identity;
}
