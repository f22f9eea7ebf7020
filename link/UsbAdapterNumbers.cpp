#include "link/UsbAdapters.h"

#include <algorithm>
#include <cctype>

void NumberNewAdapters(std::vector<SUsbAdapter>& adapters, const std::function<bool(int)>& isTaken,
                       const std::map<std::string, int>& offered) {
    std::vector<bool> given(kUsbAdapterHighestCom + 1, false);
    for (const SUsbAdapter& adapter : adapters)
        if (adapter.m_nComNumber > 0)
            given[static_cast<std::size_t>(adapter.m_nComNumber)] = true;
    const auto isFree = [&](int n) { return !given[static_cast<std::size_t>(n)] && !isTaken(n); };
    const auto give = [&](SUsbAdapter& adapter, int n) {
        adapter.m_nComNumber = n;
        given[static_cast<std::size_t>(n)] = true;
    };
    // Numbers already shown first, so a second adapter never takes the first one's.
    for (SUsbAdapter& adapter : adapters) {
        const auto before = offered.find(adapter.m_strById);
        if (adapter.m_nComNumber == 0 && before != offered.end() && before->second >= 1 &&
            before->second <= kUsbAdapterHighestCom && isFree(before->second))
            give(adapter, before->second);
    }
    for (SUsbAdapter& adapter : adapters) {
        for (int n = 1; adapter.m_nComNumber == 0 && n <= kUsbAdapterHighestCom; ++n)
            if (isFree(n))
                give(adapter, n);
    }
}

SUsbAdapter AdapterFromPortName(const std::string& portName, const std::string& friendlyName) {
    SUsbAdapter port;
    const bool digits = portName.size() > 3 && portName.size() <= 5 && portName.compare(0, 3, "COM") == 0 &&
                        portName[3] != '0' && std::all_of(portName.begin() + 3, portName.end(), [](char c) {
                            return std::isdigit(static_cast<unsigned char>(c)) != 0;
                        });
    const int number = digits ? std::stoi(portName.substr(3)) : 0;
    if (number < 1 || number > kUsbAdapterHighestCom)
        return port;
    port.m_nComNumber = number;
    port.m_strDevice = portName;
    port.m_bLinked = true;  // the system's own name
    // The system adds the port name to the device's name; the list line shows it apart.
    const std::string suffix = " (" + portName + ")";
    port.m_strProduct = friendlyName;
    if (port.m_strProduct.size() > suffix.size() &&
        port.m_strProduct.compare(port.m_strProduct.size() - suffix.size(), suffix.size(), suffix) == 0)
        port.m_strProduct.resize(port.m_strProduct.size() - suffix.size());
    if (port.m_strProduct.empty())
        port.m_strProduct = "Serial port";
    return port;
}
