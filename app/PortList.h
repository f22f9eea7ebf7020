#pragma once

#include "link/UsbAdapters.h"

#include <functional>
#include <string>
#include <vector>

// What the port dialog shows and decides: the list of COM1..COM32 with the serial
// adapters plugged in now at their numbers, the entry preselected from the stored
// number, the line telling where the selected port leads, and what Connect opens and
// stores. Texts are UTF-8.

// How often the list looks for adapters plugged in or out: a plug shows within a second.
inline constexpr int kAdapterScanMs = 1000;

// "COM5".
std::string PortName(int nNumber);

// The list index selected at start for the stored "NumCom": n - 1, or -1 (nothing
// selected) for a number outside 1..32.
int PreselectedIndex(int nNumCom);

// What Connect does with the selected index (-1 when none): the number it stores
// (index + 1, 0 when none) and the port it opens (empty: nothing to open).
struct SConnectChoice {
    int nNumCom = 0;
    std::string strPort;
    bool operator==(const SConnectChoice&) const = default;
};
SConnectChoice ConnectChoice(int nIndex);

// What is at a device path, for the device line.
struct SDeviceState {
    enum EKind { kPlain, kMissing, kLink, kUnknown } eKind = kUnknown;
    std::string strTarget;  // kLink: where it finally leads
};
// The file system's answer; on Windows a "\\.\COMn" path is no file: kUnknown.
SDeviceState ProbeDevicePath(const std::string& strPath);

// The title of the message when an adapter's port link cannot be made.
std::string LinkFailedText(int nNumber);

class CPortList {
public:
    using DeviceProbe = std::function<SDeviceState(const std::string& strPath)>;

    // adapterFolders: where adapters are looked for (the system's folders by default).
    explicit CPortList(SAdapterFolders adapterFolders = {}, DeviceProbe probe = ProbeDevicePath);

    static constexpr int Count() { return kUsbAdapterHighestCom; }
    // Looks for adapters plugged in or out; true when anything the list shows changed.
    bool Rescan();

    // The line of entry nIndex (0..31): "COM5", or for an adapter
    // "COM5: FT232R USB UART (ttyUSB0)".
    std::string LineText(int nIndex) const;
    // The adapter offered as COMn; nullptr when COMn is no adapter.
    const SUsbAdapter* AdapterAt(int nNumber) const;
    const std::vector<SUsbAdapter>& Adapters() const { return m_adapters; }

    // Where the selected entry leads ("Device: /dev/ttyS0", "Device: /dev/x -> /dev/y",
    // "Device: ... (does not exist)", "Device: <by-id> (linked as COM5 on Connect)");
    // empty when nothing is selected (-1).
    std::string DeviceLine(int nIndex) const;

    // Before Connect opens entry nIndex: an adapter's port link is made (or brought to its
    // stable name), so "COMn" finds it again at the next start and after replugging.
    // Empty on success or for a port that is no adapter; otherwise what went wrong.
    std::string LinkForConnect(int nIndex) const;

private:
    CUsbAdapterScan m_scan;
    DeviceProbe m_probe;
    std::vector<SUsbAdapter> m_adapters;  // as the list shows them
};
