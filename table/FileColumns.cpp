#include "table/FileColumns.h"

#include "grid/GridCtrl.h"
#include "table/TableRows.h"

#include <algorithm>

SFileColumns TakeFileColumns(CGridCtrl& grid) {
    SFileColumns saved;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        saved.strValues.push_back(grid.GetItemText(nRow, kColFile));
        saved.strFlags.push_back(grid.GetItemText(nRow, kColUpdate));
        grid.SetItemText(nRow, kColFile, "");
        grid.SetItemText(nRow, kColUpdate, "No");
    }
    return saved;
}

void RestoreFileColumns(CGridCtrl& grid, const SFileColumns& saved) {
    const int nRows = std::min(grid.GetRowCount() - 1, static_cast<int>(saved.strValues.size()));
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        grid.SetItemText(nRow, kColFile, saved.strValues[static_cast<std::size_t>(nRow - 1)]);
        grid.SetItemText(nRow, kColUpdate, saved.strFlags[static_cast<std::size_t>(nRow - 1)]);
    }
}
