// USB serial adapters on Linux: their stable names in /dev/serial/by-id, their product
// names from sysfs and their port links in the per-user ports folder.
#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "link/SysfsTty.h"
#include "link/UsbAdapters.h"
#include "platform/ConfigPaths.h"

namespace {

std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadLink(const std::string& path) {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return target;
}

bool LinkExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// What the USB device calls itself; its ids when it has no product name.
std::string ProductName(const std::string& sysClassTty, const std::string& tty) {
    const std::string usb = UsbDeviceFolder(sysClassTty, tty);
    if (usb.empty())
        return "USB serial adapter";
    std::string product = FirstLine(usb + "/product");
    if (product.empty())
        product = FirstLine(usb + "/idVendor") + ":" + FirstLine(usb + "/idProduct");
    return product;
}

// Whether the port link leads to the adapter: by its stable name, or (a link made by
// hand to /dev/ttyUSB0) to the same device node now.
bool LeadsTo(const std::string& link, const std::string& linkDir, const SUsbAdapter& adapter) {
    std::string target = ReadLink(link);
    if (!target.empty() && target[0] != '/')
        target = linkDir + "/" + target;
    if (target == adapter.m_strById)
        return true;
    const std::string node = RealPath(link);
    return !node.empty() && node == RealPath(adapter.m_strById);
}

std::string LinkPath(const std::string& linkDir, int number) {
    return linkDir + "/COM" + std::to_string(number);
}

// TIOCGSERIAL's port type: a built-in port without a UART behind it is PORT_UNKNOWN.
int SystemProbeUart(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    serial_struct info{};
    const int result = ::ioctl(fd, TIOCGSERIAL, &info);
    ::close(fd);
    if (result != 0)
        return -1;
    return info.type != PORT_UNKNOWN ? 1 : 0;
}

}  // namespace

CUsbAdapterScan::CUsbAdapterScan(SAdapterFolders folders) : m_Folders(std::move(folders)) {
    if (m_Folders.m_strPortLinks.empty())
        m_Folders.m_strPortLinks = TovamoPortLinkDir();
    if (!m_Folders.m_probeUart)
        m_Folders.m_probeUart = SystemProbeUart;
}

namespace {

// The adapters under their stable names, one per device node, without numbers yet.
std::vector<SUsbAdapter> ListAdapters(const SAdapterFolders& folders) {
    std::vector<SUsbAdapter> adapters;
    for (const std::string& name : FolderEntries(folders.m_strById)) {
        SUsbAdapter adapter;
        adapter.m_strById = folders.m_strById + "/" + name;
        adapter.m_strDevice = BaseName(RealPath(adapter.m_strById));
        const bool twice = std::any_of(adapters.begin(), adapters.end(), [&](const SUsbAdapter& seen) {
            return seen.m_strDevice == adapter.m_strDevice;
        });
        if (adapter.m_strDevice.empty() || twice)
            continue;  // unplugged while looking, or a second name of the same device
        adapter.m_strProduct = ProductName(folders.m_strSysClassTty, adapter.m_strDevice);
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

// Gives each adapter the lowest number whose port link leads to it; returns which
// numbers have a port link at all (leading anywhere, or nowhere).
std::vector<bool> NumberLinkedAdapters(std::vector<SUsbAdapter>& adapters, const std::string& linkDir) {
    std::vector<bool> linked(kUsbAdapterHighestCom + 1, false);
    for (int n = 1; n <= kUsbAdapterHighestCom; ++n) {
        const std::string link = LinkPath(linkDir, n);
        if (!LinkExists(link))
            continue;
        linked[static_cast<std::size_t>(n)] = true;
        const auto owner = std::find_if(adapters.begin(), adapters.end(), [&](const SUsbAdapter& adapter) {
            return !adapter.m_bLinked && LeadsTo(link, linkDir, adapter);
        });
        if (owner != adapters.end()) {
            owner->m_nComNumber = n;
            owner->m_bLinked = true;
        }
    }
    return linked;
}

}  // namespace

std::vector<SUsbAdapter> CUsbAdapterScan::Scan() {
    std::vector<SUsbAdapter> adapters = ListAdapters(m_Folders);
    const std::vector<bool> linked = NumberLinkedAdapters(adapters, m_Folders.m_strPortLinks);
    NumberNewAdapters(
        adapters, [&](int n) { return linked[static_cast<std::size_t>(n)] || IsBuiltInPort(n); }, m_offered);
    m_offered.clear();
    for (const SUsbAdapter& adapter : adapters)
        if (!adapter.m_bLinked && adapter.m_nComNumber > 0)
            m_offered[adapter.m_strById] = adapter.m_nComNumber;
    // By number; an adapter without one (all 32 taken) last.
    std::stable_sort(adapters.begin(), adapters.end(), [](const SUsbAdapter& a, const SUsbAdapter& b) {
        return static_cast<unsigned>(a.m_nComNumber - 1) < static_cast<unsigned>(b.m_nComNumber - 1);
    });
    return adapters;
}

// COMn is a real built-in port when ttyS<n-1> has a device with a driver and a UART: the
// serial driver keeps placeholder ports of type "unknown" (0) for ports that may exist.
bool CUsbAdapterScan::IsBuiltInPort(int number) {
    const auto known = m_builtIn.find(number);
    if (known != m_builtIn.end())
        return known->second;
    const std::string tty = "ttyS" + std::to_string(number - 1);
    const std::string dir = m_Folders.m_strSysClassTty + "/" + tty;
    bool real = false;
    if (LinkExists(dir + "/device/driver")) {
        const std::string type = FirstLine(dir + "/type");
        // Where sysfs does not tell, ask the device; a port that cannot be asked keeps its
        // number, so an adapter never hides a port that may be real.
        real = !type.empty() ? std::atoi(type.c_str()) != 0 : m_Folders.m_probeUart("/dev/" + tty) != 0;
    }
    m_builtIn[number] = real;
    return real;
}

std::string CreatePortLink(const SUsbAdapter& adapter, const std::string& linkDir) {
    if (adapter.m_strById.empty() || adapter.m_nComNumber < 1)
        return "The adapter has no COM number.";
    std::error_code error;
    std::filesystem::create_directories(linkDir, error);
    if (error)
        return linkDir + ": " + error.message();
    const std::string link = LinkPath(linkDir, adapter.m_nComNumber);
    struct stat info {};
    if (::lstat(link.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode))
            return link + " is not a port link; it was left as it is.";
        if (ReadLink(link) == adapter.m_strById)
            return {};
        const std::string node = RealPath(link);
        if (!node.empty() && node != RealPath(adapter.m_strById))
            return link + " leads to " + ReadLink(link) + ", another device; it was left as it is.";
    }
    // Made under another name and renamed over the old one: the name always leads somewhere.
    const std::string fresh = linkDir + "/.COM" + std::to_string(adapter.m_nComNumber) + ".new";
    ::unlink(fresh.c_str());
    if (::symlink(adapter.m_strById.c_str(), fresh.c_str()) != 0 ||
        ::rename(fresh.c_str(), link.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(fresh.c_str());
        return link + ": " + reason;
    }
    return {};
}
