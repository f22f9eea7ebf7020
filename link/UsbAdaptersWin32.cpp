#include "link/UsbAdapters.h"

// The system numbers its COM ports itself; their names are not looked up yet, so the
// list shows the plain port names.
CUsbAdapterScan::CUsbAdapterScan(SAdapterFolders folders) : m_Folders(std::move(folders)) {}

std::vector<SUsbAdapter> CUsbAdapterScan::Scan() {
    return {};
}

// A COM port is the adapter itself: there is no link to make.
std::string CreatePortLink(const SUsbAdapter&, const std::string&) {
    return {};
}
