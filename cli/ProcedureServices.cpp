#include "cli/ProcedureServices.h"

#include <algorithm>

unsigned CDeadlineTimers::SetTimer(unsigned milliseconds) {
    if (++m_nLast == 0)
        ++m_nLast;  // 0 means "no timer" to the owner
    m_started[m_nLast] = m_clock.GetTickCount();
    m_length[m_nLast] = milliseconds;
    return m_nLast;
}

void CDeadlineTimers::KillTimer(unsigned handle) {
    m_started.erase(handle);
    m_length.erase(handle);
}

std::optional<std::uint32_t> CDeadlineTimers::TimeToNext() const {
    std::optional<std::uint32_t> next;
    const std::uint32_t now = m_clock.GetTickCount();
    for (const auto& [handle, started] : m_started) {
        const std::uint32_t elapsed = now - started;
        const std::uint32_t length = m_length.at(handle);
        const std::uint32_t left = elapsed >= length ? 0 : length - elapsed;
        next = next ? std::min(*next, left) : left;
    }
    return next;
}

std::vector<unsigned> CDeadlineTimers::Due() const {
    std::vector<unsigned> due;
    const std::uint32_t now = m_clock.GetTickCount();
    for (const auto& [handle, started] : m_started) {
        if (now - started >= m_length.at(handle))
            due.push_back(handle);
    }
    return due;
}
