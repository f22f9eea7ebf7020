// "Read File" on arbitrary bytes: never crashes; every line ends up in the row of its
// name (appended when missing, never duplicated), the line's fields are what is stored,
// and no stored field holds a line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "grid/GridCtrl.h"
#include "table/ParamFile.h"
#include "table/TableRows.h"

namespace {
void Check(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<SParamLine> lines = ParseParamFile(bytes);
    CGridCtrl grid;
    Check(SetUpTableGrid(grid));
    AddParameterRow(grid, "P1 present");
    ApplyParamLines(grid, lines);

    std::map<std::string, const SParamLine*> last;  // the line each name kept
    for (const SParamLine& line : lines) {
        Check(line.strName.find('\n') == std::string::npos);
        Check(line.strValue.find('\n') == std::string::npos);
        Check(line.strName.find('\t') == std::string::npos);
        Check(line.strValue.find('\t') == std::string::npos);
        last[line.strName] = &line;
    }
    Check(grid.GetRowCount() <= 2 + static_cast<int>(last.size()));
    for (const auto& [name, pLine] : last) {
        const int nRow = FindParameterRow(grid, name);
        Check(nRow < grid.GetRowCount());
        Check(grid.GetItemText(nRow, kColFile) == pLine->strValue);
        Check(grid.GetItemText(nRow, kColUpdate) == pLine->strFlag);
    }
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string flag = grid.GetItemText(nRow, kColUpdate);
        Check(flag.find('\n') == std::string::npos);
        Check(grid.GetItemText(nRow, kColFile).find('\n') == std::string::npos);
        Check(FindParameterRow(grid, grid.GetItemText(nRow, kColName)) == nRow);
    }
    return 0;
}
