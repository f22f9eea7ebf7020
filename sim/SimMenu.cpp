#include "sim/SimMenu.h"

int CSimMenu::Find(const std::string& name) const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].m_strName == name)
            return static_cast<int>(i);
    }
    return -1;
}

const std::vector<int>& CSimMenu::Siblings(int item) const {
    const int parent = m_items[item].m_nParent;
    return parent < 0 ? m_top : m_items[parent].m_children;
}

bool CSimMenu::IsVisible(int item) const {
    const CSimItem& it = m_items[item];
    return it.m_nWhenItem < 0 || m_items[it.m_nWhenItem].m_value == it.m_whenValue;
}

std::string CSimMenu::ValueText(int item, CSimDecimal value) const {
    const CSimItem& it = m_items[item];
    if (!it.m_strText.empty())
        return it.m_strText;
    std::string text = value.Format(it.m_nDecimals, it.m_bComma);
    if (!it.m_strUnit.empty())
        text += " " + it.m_strUnit;
    return text;
}
