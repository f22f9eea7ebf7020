// A paste of arbitrary bytes into a small grid: never crashes; the grid keeps its shape,
// no cell takes a line end, a separator or outer white space from the paste, fixed and
// read-only cells keep their texts, and the selection stays inside the grid.
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

constexpr int kRows = 8;
constexpr int kCols = 6;

std::string Original(int nRow, int nCol) {
    return "o" + std::to_string(nRow) + "." + std::to_string(nCol);
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte chooses where the paste starts and what is hidden.
    const int nStartRow = 1 + data[0] % (kRows - 1);
    const int nStartCol = 1 + (data[0] >> 3) % (kCols - 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    for (const auto& cells : SplitPasteText(text)) {
        for (const std::string& cell : cells) {
            Check(cell.find_first_of("\n\t,", 0) == std::string::npos);
            Check(cell.find('\0') == std::string::npos);
            Check(cell.empty() || (!IsSpace(cell.front()) && !IsSpace(cell.back())));
        }
    }

    CGridCtrl grid(kRows, kCols, 1, 1);
    for (int nRow = 0; nRow < kRows; ++nRow)
        for (int nCol = 0; nCol < kCols; ++nCol)
            grid.SetItemText(nRow, nCol, Original(nRow, nCol));
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GIS_READONLY);
    grid.SetColumnWidth(3, (data[0] & 0x40) ? 0 : 10);
    grid.SetRowHeight(4, (data[0] & 0x80) ? 0 : 10);
    grid.PasteTextAt(CCellID(nStartRow, nStartCol), &text, true);

    Check(grid.GetRowCount() == kRows && grid.GetColumnCount() == kCols);
    for (int nRow = 0; nRow < kRows; ++nRow) {
        for (int nCol = 0; nCol < kCols; ++nCol) {
            const std::string cell = grid.GetItemText(nRow, nCol);
            const bool bUntouchable = grid.IsFixedCell(nRow, nCol) || (nRow == 2 && nCol == 2) ||
                                      nRow < nStartRow || nCol < nStartCol;
            if (bUntouchable || cell == Original(nRow, nCol))
                continue;
            Check(cell.find_first_of("\n\t,") == std::string::npos);
            Check(cell.empty() || (!IsSpace(cell.front()) && !IsSpace(cell.back())));
        }
    }
    Check(grid.GetItemText(2, 2) == Original(2, 2));
    const CCellRange selected = grid.GetSelectedCellRange();
    Check(!selected.IsValid() || (selected.GetMinRow() >= nStartRow && selected.GetMaxRow() < kRows &&
                                  selected.GetMinCol() >= nStartCol && selected.GetMaxCol() < kCols));
    return 0;
}
