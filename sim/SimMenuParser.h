#pragma once

#include <string>

#include "sim/SimMenu.h"

// Reads the simulated drive's menu file (format described at the top of
// sim/default-menu.txt). On failure m_strError names the line and the fault, and
// m_menu is unusable.
struct CSimMenuParse {
    CSimMenu m_menu;
    std::string m_strError;

    bool Ok() const { return m_strError.empty(); }
};

CSimMenuParse ParseSimMenu(const std::string& text);
