#include "support/FakeSerialSystem.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string CFakeSerialSystem::PlugIn(const std::string& name, const std::string& tty,
                                      const std::string& product, const std::string& node) {
    const std::string usb = m_Root.File("sys/devices/usb1/1-" + std::to_string(++m_nUsbDevices));
    const std::string port = usb + "/1-1:1.0/" + tty;
    fs::create_directories(port);
    WriteFileBytes(usb + "/idVendor", "0403\n");
    WriteFileBytes(usb + "/idProduct", "6001\n");
    if (!product.empty())
        WriteFileBytes(usb + "/product", product + "\n");
    fs::create_directories(SysClassTty() + "/" + tty);
    fs::remove(SysClassTty() + "/" + tty + "/device");
    fs::create_symlink(port, SysClassTty() + "/" + tty + "/device");
    std::string device = node;
    if (device.empty()) {
        device = DevNode(tty);
        fs::create_directories(m_Root.File("dev"));
        WriteFileBytes(device, "");
    }
    fs::create_directories(ById());
    fs::create_symlink(device, ById() + "/" + name);
    return ById() + "/" + name;
}

void CFakeSerialSystem::Unplug(const std::string& name) {
    const fs::path byId = ById() + "/" + name;
    const fs::path node = fs::read_symlink(byId);
    fs::remove(byId);
    if (node.string().rfind(m_Root.Path(), 0) == 0)
        fs::remove(node);
}

void CFakeSerialSystem::AddBuiltInPort(int index, const std::string& type, int probeAnswer) {
    const std::string tty = "ttyS" + std::to_string(index);
    const std::string device = m_Root.File("sys/devices/pnp0/00:0" + std::to_string(index));
    fs::create_directories(device + "/driver");
    fs::create_directories(SysClassTty() + "/" + tty);
    fs::create_symlink(device, SysClassTty() + "/" + tty + "/device");
    if (!type.empty())
        WriteFileBytes(SysClassTty() + "/" + tty + "/type", type + "\n");
    m_probeAnswers["/dev/" + tty] = probeAnswer;
}

int CFakeSerialSystem::ProbeUart(const std::string& devicePath) const {
    const auto answer = m_probeAnswers.find(devicePath);
    return answer != m_probeAnswers.end() ? answer->second : -1;
}

void CFakeSerialSystem::Link(int number, const std::string& target) const {
    fs::create_directories(PortLinks());
    fs::create_symlink(target, PortLink(number));
}
