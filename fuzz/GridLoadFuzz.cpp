// Loading arbitrary bytes as a grid text file: never crashes; the grid's shape follows
// the lines (one column per cell of the first line, one row per line, no line longer
// than the line limit), and saving it again then loading that gives the same grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "grid/GridCtrl.h"
#include "grid/GridText.h"

namespace {
void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::string Dump(const CGridCtrl& grid) {
    std::string text;
    for (int nRow = 0; nRow < grid.GetRowCount(); ++nRow)
        for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
            text += grid.GetItemText(nRow, nCol) + '\x01';
    return text;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const char chSeparator = static_cast<char>(data[0]);
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string> lines = SplitGridTextLines(content);
    for (const std::string& line : lines) {
        Check(line.size() <= kGridTextMaxLine);
        Check(line.find('\n') == std::string::npos && line.find('\0') == std::string::npos);
    }

    CGridCtrl grid(3, 3, 1, 1);
    Check(grid.LoadGridText(content, chSeparator));
    Check(grid.GetRowCount() == static_cast<int>(lines.size()));
    const int nCols = lines.empty() ? 0 : static_cast<int>(SplitGridTextCells(lines[0], chSeparator).size());
    Check(grid.GetColumnCount() == nCols);
    Check(grid.GetFixedRowCount() == 0 && grid.GetFixedColumnCount() == 0);
    Check(grid.GetSelectedCount() == 0 && !grid.IsValid(grid.GetFocusCell()));

    // The written form reads back as the same grid unless the separator is a line end,
    // a cell ends in a carriage return, or a short line padded with separators grew past
    // the line limit.
    if (chSeparator != '\n' && chSeparator != '\r' && chSeparator != '\0' && nCols > 0) {
        const std::string saved = grid.GetGridText(chSeparator);
        CGridCtrl again;
        Check(again.LoadGridText(saved, chSeparator));
        if (saved.find("\r\n") == std::string::npos &&
            SplitGridTextLines(saved).size() == static_cast<std::size_t>(grid.GetRowCount()))
            Check(Dump(again) == Dump(grid));
    }
    return 0;
}
