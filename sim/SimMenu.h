#pragma once

#include <string>
#include <vector>

#include "sim/SimDecimal.h"

// One item of the simulated drive's menu: a parameter or a sub-menu. Texts are held as
// the drive's Windows-1252 bytes. Items refer to each other by index into
// CSimMenu::m_items, so a menu can be copied freely.
struct CSimItem {
    int m_nLine = 0;        // line of the menu file, for messages
    std::string m_strName;  // begins with "P" and a digit, at most 16 bytes
    bool m_bMenu = false;
    int m_nParent = -1;           // enclosing sub-menu, -1 on the top level
    std::vector<int> m_children;  // items of a sub-menu, in order

    // A parameter shows exactly one of: m_strError, m_strText, or its number.
    CSimDecimal m_value;  // the committed value
    CSimDecimal m_step = CSimDecimal::FromUnits(CSimDecimal::kScale);
    CSimDecimal m_min;
    CSimDecimal m_max;
    bool m_bHasMin = false;
    bool m_bHasMax = false;
    int m_nDecimals = 0;
    bool m_bComma = false;
    bool m_bReadOnly = false;
    bool m_bLast = false;  // Up on its name shows it again: its level does not wrap round
    std::string m_strUnit;
    std::string m_strError;
    std::string m_strText;

    // Visible only while parameter m_nWhenItem's committed value equals m_whenValue.
    int m_nWhenItem = -1;
    CSimDecimal m_whenValue;

    bool IsNumeric() const { return !m_bMenu && m_strError.empty() && m_strText.empty(); }
};

struct CSimMenu {
    std::vector<CSimItem> m_items;
    std::vector<int> m_top;  // the top level, in order
    int m_nStart = -1;       // the item shown at start

    // Index of the item with this name, or -1.
    int Find(const std::string& name) const;
    const std::vector<int>& Siblings(int item) const;
    bool IsVisible(int item) const;
    // The value text as the drive shows it: number with its decimals and unit, or the
    // fixed text.
    std::string ValueText(int item, CSimDecimal value) const;
};
