#pragma once

class CGridCtrl;

// "Only rows that differ": rows are hidden the grid's way, with a height of 0, and shown
// again with the grid's default row height. A row differs when it has a file value and
// its drive cell is coloured yellow or red, so the filter follows whichever compare
// coloured the table. Saving and updating look at every row, hidden or not.

bool RowDiffers(const CGridCtrl& grid, int nRow);

// Hides every row that does not differ (bOnlyDiffering) or shows every row; returns the
// number of parameter rows shown. One scroll-bar reset for the whole table.
int ShowOnlyDifferingRows(CGridCtrl& grid, bool bOnlyDiffering);
