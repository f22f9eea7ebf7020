#include "table/RowFilter.h"

#include "grid/GridCtrl.h"
#include "grid/GridDefaultCell.h"
#include "table/TableRows.h"

bool RowDiffers(const CGridCtrl& grid, int nRow) {
    if (grid.GetItemText(nRow, kColFile).empty())
        return false;
    const COLORREF colour = grid.GetItemBkColour(nRow, kColDrive);
    return colour == kTableYellow || colour == kTableRed;
}

int ShowOnlyDifferingRows(CGridCtrl& grid, bool bOnlyDiffering) {
    const int nHeight = grid.GetDefaultCell(false, false)->GetHeight();
    const bool bRedraw = grid.GetRedraw();
    grid.SetRedraw(false);
    int nShown = 0;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const bool bShow = !bOnlyDiffering || RowDiffers(grid, nRow);
        grid.SetRowHeight(nRow, bShow ? nHeight : 0);
        nShown += bShow ? 1 : 0;
    }
    grid.SetRedraw(bRedraw, true);
    return nShown;
}
