// COM ports on Windows: the system numbers them itself; the list shows each one's
// friendly name from SetupAPI ("USB Serial Port (COM5)").
#include <windows.h>
// windows.h first
#include <setupapi.h>

#include <algorithm>
#include <memory>

#include "link/UsbAdapters.h"
#include "platform/WideText.h"

namespace {

// The device class of COM and printer ports (devguid.h's GUID_DEVCLASS_PORTS, which
// MinGW's import libraries do not define).
constexpr GUID kPortsClass = {0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

struct SDeviceSetCloser {
    void operator()(void* set) const { ::SetupDiDestroyDeviceInfoList(static_cast<HDEVINFO>(set)); }
};

// The "PortName" value of the device's own registry key ("COM5"); empty for a printer port.
std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64] = {};
    DWORD size = sizeof(name) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? Utf8FromWide(name) : std::string();
}

std::string FriendlyNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t name[256] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, nullptr,
                                             reinterpret_cast<BYTE*>(name), sizeof(name) - sizeof(wchar_t),
                                             nullptr))
        return {};
    return Utf8FromWide(name);
}

}  // namespace

CUsbAdapterScan::CUsbAdapterScan(SAdapterFolders folders) : m_Folders(std::move(folders)) {}

std::vector<SUsbAdapter> CUsbAdapterScan::Scan() {
    std::vector<SUsbAdapter> ports;
    const HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return ports;
    const std::unique_ptr<void, SDeviceSetCloser> closer(set);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        SUsbAdapter port = AdapterFromPortName(PortNameOf(set, device), FriendlyNameOf(set, device));
        const bool twice = std::any_of(ports.begin(), ports.end(), [&](const SUsbAdapter& seen) {
            return seen.m_nComNumber == port.m_nComNumber;
        });
        if (port.m_nComNumber > 0 && !twice)
            ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(),
              [](const SUsbAdapter& a, const SUsbAdapter& b) { return a.m_nComNumber < b.m_nComNumber; });
    return ports;
}

// A COM port is the device itself: there is no link to make.
std::string CreatePortLink(const SUsbAdapter&, const std::string&) {
    return {};
}
