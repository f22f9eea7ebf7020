#pragma once

#include <string>

#include "sim/SimMenu.h"

// The simulated drive's panel: takes one key byte at a time and returns the field the
// drive sends back, in its wire form (see WireText.h). Owned by the program's serving loop
// (or a test); single-threaded.
class CDriveSimulator {
public:
    // silentAfter >= 0: keys after that many are no longer answered (a drive that went
    // quiet, for the watchdog of the table procedures).
    explicit CDriveSimulator(CSimMenu menu, int silentAfter = -1);

    // 'e', 'o', 'u' or 'd'; any other byte is ignored and gives "".
    std::string OnKey(char key);

    // What the panel shows now, for tests: the current item, and whether a value (or
    // error text) is shown instead of its name.
    const CSimItem& CurrentItem() const { return m_menu.m_items[m_nItem]; }
    bool ShowsValue() const { return m_mode != EMode::Name; }
    const CSimMenu& Menu() const { return m_menu; }

private:
    enum class EMode { Name, Value, Error };

    std::string OnNameKey(char key);
    std::string OnValueKey(char key);
    std::string OnErrorKey(char key);
    std::string ShowName();
    std::string ShowPending();
    // The next visible item of the current level in direction +1 or -1, wrapping; the
    // current item when no other is visible.
    int Neighbour(int direction) const;
    void StepPending(int direction);

    CSimMenu m_menu;
    int m_nItem = 0;
    EMode m_mode = EMode::Name;
    CSimDecimal m_pending;  // the value being edited, committed by 'e'
    int m_nKeys = 0;
    int m_nSilentAfter = -1;
};
