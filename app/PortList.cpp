#include "app/PortList.h"

#include "link/PortNames.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string PortName(int nNumber) {
    return "COM" + std::to_string(nNumber);
}

int PreselectedIndex(int nNumCom) {
    return nNumCom >= 1 && nNumCom <= kUsbAdapterHighestCom ? nNumCom - 1 : -1;
}

SConnectChoice ConnectChoice(int nIndex) {
    if (nIndex < 0)
        return {0, {}};
    return {nIndex + 1, PortName(nIndex + 1)};
}

SDeviceState ProbeDevicePath(const std::string& strPath) {
#ifdef _WIN32
    if (strPath.rfind("\\\\.\\", 0) == 0)
        return {};
#endif
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path path(strPath);
    if (!fs::exists(path, error))  // a link leading nowhere does not exist either
        return {SDeviceState::kMissing, {}};
    if (fs::is_symlink(fs::symlink_status(path, error)))
        return {SDeviceState::kLink, fs::canonical(path, error).string()};
    return {SDeviceState::kPlain, {}};
}

std::string LinkFailedText(int nNumber) {
    return "Cannot link " + PortName(nNumber) + " to the adapter";
}

CPortList::CPortList(SAdapterFolders adapterFolders, DeviceProbe probe)
    : m_scan(std::move(adapterFolders)), m_probe(std::move(probe)) {
    m_adapters = m_scan.Scan();
}

bool CPortList::Rescan() {
    std::vector<SUsbAdapter> adapters = m_scan.Scan();
    const auto same = [](const SUsbAdapter& a, const SUsbAdapter& b) {
        return a.m_nComNumber == b.m_nComNumber && a.m_strById == b.m_strById &&
               a.m_strDevice == b.m_strDevice && a.m_strProduct == b.m_strProduct &&
               a.m_bLinked == b.m_bLinked;
    };
    if (std::equal(adapters.begin(), adapters.end(), m_adapters.begin(), m_adapters.end(), same))
        return false;
    m_adapters = std::move(adapters);
    return true;
}

std::string CPortList::LineText(int nIndex) const {
    const SUsbAdapter* adapter = AdapterAt(nIndex + 1);
    if (adapter == nullptr)
        return PortName(nIndex + 1);
    return PortName(nIndex + 1) + ": " + adapter->m_strProduct + " (" + adapter->m_strDevice + ")";
}

const SUsbAdapter* CPortList::AdapterAt(int nNumber) const {
    for (const SUsbAdapter& adapter : m_adapters)
        if (adapter.m_nComNumber == nNumber)
            return &adapter;
    return nullptr;
}

std::string CPortList::DeviceLine(int nIndex) const {
    if (nIndex < 0)
        return {};
    const std::string strName = PortName(nIndex + 1);
    const SUsbAdapter* adapter = AdapterAt(nIndex + 1);
    if (adapter != nullptr && !adapter->m_bLinked)
        return "Device: " + adapter->m_strById + " (linked as " + strName + " on Connect)";
    const std::string strPath = ResolvePortPath(strName);
    const SDeviceState state = m_probe(strPath);
    switch (state.eKind) {
        case SDeviceState::kMissing:
            return "Device: " + strPath + " (does not exist)";
        case SDeviceState::kLink:
            return "Device: " + strPath + " -> " + state.strTarget;
        default:
            return "Device: " + strPath;
    }
}

std::string CPortList::LinkForConnect(int nIndex) const {
    const SUsbAdapter* adapter = nIndex < 0 ? nullptr : AdapterAt(nIndex + 1);
    if (adapter == nullptr)
        return {};
    return CreatePortLink(*adapter, m_scan.PortLinkDir());
}
