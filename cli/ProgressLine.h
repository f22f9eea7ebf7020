#pragma once

#include <chrono>
#include <string>

// The one line on stderr that shows how far a procedure has come, rewritten in place
// (carriage return) a few times a second, and wiped when the procedure ends. It shows
// only when stderr is a terminal, so logs and scripts never see it.
class CProgressLine {
public:
    CProgressLine();
    ~CProgressLine() { Clear(); }
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;

    bool Shown() const { return m_bTerminal; }
    // Shows `text` unless the last one went out less than a tenth of a second ago.
    void Show(const std::string& text);
    void Clear();

private:
    bool m_bTerminal = false;
    std::size_t m_nWidth = 0;  // of the text on the terminal now
    std::chrono::steady_clock::time_point m_last{};
};
