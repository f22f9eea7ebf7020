#include "sim/DriveSimulator.h"

#include <algorithm>
#include <utility>

#include "sim/WireText.h"

CDriveSimulator::CDriveSimulator(CSimMenu menu, int silentAfter)
    : m_menu(std::move(menu)), m_nItem(m_menu.m_nStart), m_nSilentAfter(silentAfter) {}

std::string CDriveSimulator::OnKey(char key) {
    if (key != 'e' && key != 'o' && key != 'u' && key != 'd')
        return {};
    if (m_nSilentAfter >= 0 && m_nKeys >= m_nSilentAfter)
        return {};
    ++m_nKeys;
    switch (m_mode) {
        case EMode::Name:
            return OnNameKey(key);
        case EMode::Value:
            return OnValueKey(key);
        case EMode::Error:
            return OnErrorKey(key);
    }
    return {};
}

std::string CDriveSimulator::OnNameKey(char key) {
    const CSimItem& item = m_menu.m_items[m_nItem];
    switch (key) {
        case 'e':
            if (item.m_bMenu) {
                const auto& children = item.m_children;
                const auto first = std::find_if(children.begin(), children.end(),
                                                [this](int child) { return m_menu.IsVisible(child); });
                if (first != children.end())
                    m_nItem = *first;
                return ShowName();
            }
            if (!item.m_strError.empty()) {
                m_mode = EMode::Error;
                return ErrorField(item.m_strError);
            }
            m_mode = EMode::Value;
            m_pending = item.m_value;
            return ShowPending();
        case 'o':
            if (item.m_nParent >= 0)
                m_nItem = item.m_nParent;
            return ShowName();
        case 'u':
            if (!item.m_bLast)
                m_nItem = Neighbour(+1);
            return ShowName();
        default:
            m_nItem = Neighbour(-1);
            return ShowName();
    }
}

std::string CDriveSimulator::OnValueKey(char key) {
    switch (key) {
        case 'e':
            m_menu.m_items[m_nItem].m_value = m_pending;
            return ShowName();
        case 'o':
            return ShowName();
        default:
            StepPending(key == 'u' ? +1 : -1);
            return ShowPending();
    }
}

std::string CDriveSimulator::OnErrorKey(char key) {
    if (key == 'e' || key == 'o')
        return ShowName();
    return ErrorField(m_menu.m_items[m_nItem].m_strError);
}

std::string CDriveSimulator::ShowName() {
    m_mode = EMode::Name;
    return NameField(m_menu.m_items[m_nItem].m_strName);
}

std::string CDriveSimulator::ShowPending() {
    return ValueField(m_menu.ValueText(m_nItem, m_pending));
}

int CDriveSimulator::Neighbour(int direction) const {
    const std::vector<int>& level = m_menu.Siblings(m_nItem);
    const int count = static_cast<int>(level.size());
    const int here = static_cast<int>(std::find(level.begin(), level.end(), m_nItem) - level.begin());
    for (int step = 1; step < count; ++step) {
        const int candidate = level[((here + direction * step) % count + count) % count];
        if (m_menu.IsVisible(candidate))
            return candidate;
    }
    return m_nItem;
}

void CDriveSimulator::StepPending(int direction) {
    const CSimItem& item = m_menu.m_items[m_nItem];
    if (item.m_bReadOnly || !item.IsNumeric())
        return;
    CSimDecimal next = direction > 0 ? m_pending + item.m_step : m_pending - item.m_step;
    if (item.m_bHasMax && next > item.m_max)
        next = item.m_max;
    if (item.m_bHasMin && next < item.m_min)
        next = item.m_min;
    // Without a limit the display width is one: a value that no longer fits stays put.
    if (next.InRange() && m_menu.ValueText(m_nItem, next).size() <= kValueFieldWidth)
        m_pending = next;
}
