#include "link/UsbAdapters.h"

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
