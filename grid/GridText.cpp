#include "grid/GridText.h"

#include <string_view>

namespace {
constexpr std::string_view kWhiteSpace = " \t\n\r\v\f";

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> SplitPasteLine(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find_first_of("\t,", start);
        cells.push_back(Trimmed(line.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos) {
            return cells;
        }
        start = end + 1;
    }
}

// The part of a line before a zero byte.
std::string_view CString(std::string_view line) {
    return line.substr(0, line.find('\0'));
}
}  // namespace

std::vector<std::vector<std::string>> SplitPasteText(const std::string& text) {
    const std::string_view all = CString(text);
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) {
            if (start < all.size() || rows.empty()) {
                rows.push_back(SplitPasteLine(all.substr(start)));
            }
            return rows;
        }
        rows.push_back(SplitPasteLine(all.substr(start, end - start)));
        start = end + 1;
    }
}

std::vector<std::string> SplitGridTextLines(const std::string& content) {
    std::vector<std::string> lines;
    const std::string_view all(content);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t newline = all.find('\n', start);
        const std::size_t end = newline == std::string_view::npos ? all.size() : newline;
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() > kGridTextMaxLine) {
            // The first part is a line of its own; the rest is read on from there.
            lines.emplace_back(CString(line.substr(0, kGridTextMaxLine)));
            start += kGridTextMaxLine;
            continue;
        }
        lines.emplace_back(CString(line));
        start = newline == std::string_view::npos ? all.size() : newline + 1;
    }
    return lines;
}

std::vector<std::string> SplitGridTextCells(const std::string& line, char chSeparator) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(chSeparator, start);
        if (end == std::string::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}
