#include "cli/ProgressLine.h"

#include <cstdio>

#include "cli/CliSystem.h"

namespace {
constexpr auto kEvery = std::chrono::milliseconds(100);
}  // namespace

CProgressLine::CProgressLine() : m_bTerminal(StderrIsTerminal()) {}

void CProgressLine::Show(const std::string& text) {
    const auto now = std::chrono::steady_clock::now();
    if (!m_bTerminal || now - m_last < kEvery)
        return;
    m_last = now;
    // Spaces wipe what a longer previous text left.
    const std::size_t width = text.size();
    const std::string line = "\r" + text + std::string(m_nWidth > width ? m_nWidth - width : 0, ' ');
    m_nWidth = width;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void CProgressLine::Clear() {
    if (!m_bTerminal || m_nWidth == 0)
        return;
    const std::string line = "\r" + std::string(m_nWidth, ' ') + "\r";
    m_nWidth = 0;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
