#pragma once

#include <map>
#include <string>

#include "support/TempDir.h"

// A fake /dev/serial/by-id, /sys/class/tty and port-link folder in a temporary folder,
// laid out as Linux lays them out, for the adapter list.
class CFakeSerialSystem {
public:
    std::string ById() const { return m_Root.File("dev/serial/by-id"); }
    std::string SysClassTty() const { return m_Root.File("sys/class/tty"); }
    std::string PortLinks() const { return m_Root.File("ports"); }
    std::string PortLink(int number) const { return PortLinks() + "/COM" + std::to_string(number); }

    // Plugs in a USB adapter under by-id name `name`. Its device node is `node` when given
    // (a pseudo-terminal, to open it), else a fresh file dev/<tty>. Returns the by-id path.
    std::string PlugIn(const std::string& name, const std::string& tty, const std::string& product,
                       const std::string& node = {});
    void Unplug(const std::string& name);

    // A ttyS<index> entry with a device and driver; type "" leaves out the type file, so
    // the scan asks ProbeUart, which answers probeAnswer.
    void AddBuiltInPort(int index, const std::string& type, int probeAnswer = -1);
    int ProbeUart(const std::string& devicePath) const;

    // A port link COMn leading to target.
    void Link(int number, const std::string& target) const;
    std::string DevNode(const std::string& tty) const { return m_Root.File("dev/" + tty); }

private:
    TempDir m_Root;
    std::map<std::string, int> m_probeAnswers;  // /dev/ttyS<n> -> answer
    int m_nUsbDevices = 0;
};
