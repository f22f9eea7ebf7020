#include "grid/qt/demo/DemoGrid.h"

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kHeaderRows = 2;
constexpr int kColumns = 5;
constexpr int kValueColumn = 1;
constexpr int kChoiceColumn = 3;
// Rows measured for the column widths: enough to meet every sample text.
constexpr int kMeasuredRows = 40;
constexpr std::uint32_t kHeadingFormat =
    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;

constexpr std::array<const char*, 5> kUnits = {"rpm", "A", "V", "ms", "%"};
constexpr std::array<const char*, 3> kChoices = {"Yes", "No", "Yes"};
constexpr std::array<const char*, 7> kNotes = {
    "Speed loop gain",
    "Current limit",
    "Ramp time up",
    "Ramp time down",
    "Encoder lines per turn, set once at commissioning and left alone",
    "",
    "Field weakening start",
};

void SetHeadings(CGridCtrl& grid) {
    grid.SetItemText(0, 0, "Parameter");
    grid.SetItemText(0, 1, "Value");
    grid.SetItemText(0, 2, "Unit");
    grid.SetItemText(0, 3, "Operator input");
    grid.SetItemText(1, 3, "Choice");
    grid.SetItemText(1, 4, "Notes");
    // Single headings span both header rows; the group heading spans two columns.
    for (int nCol = 0; nCol < 3; ++nCol)
        grid.MergeFixedCells(0, nCol, 1, 0, true);
    grid.MergeFixedCells(0, 3, 0, 1, true);
    // Centred on one line (merging leaves a single-line heading at the left).
    for (const auto& [nRow, nCol] : {std::pair{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {1, 4}})
        grid.SetItemFormat(nRow, nCol, kHeadingFormat);
}

// Row i's texts: the values grow with the row, so the ascending sort keeps "P1" first.
void FillRows(CGridCtrl& grid, int nFirst, int nLast) {
    char buffer[32];
    for (int nRow = nFirst; nRow <= nLast; ++nRow) {
        const int i = nRow - kHeaderRows + 1;
        std::snprintf(buffer, sizeof(buffer), "P%d", i);
        grid.SetItemText(nRow, 0, buffer);
        std::snprintf(buffer, sizeof(buffer), "%d.%02d", i / 4, (i % 4) * 25);
        grid.SetItemText(nRow, 1, buffer);
        grid.SetItemText(nRow, 2, kUnits[static_cast<std::size_t>(i) % kUnits.size()]);
        grid.SetItemText(nRow, 3, kChoices[static_cast<std::size_t>(i) % kChoices.size()]);
        grid.SetItemText(nRow, 4, kNotes[static_cast<std::size_t>(i) % kNotes.size()]);
    }
}

// The choice is made from a list, as in the drive tool's update column.
void MakeChoiceCombos(CGridCtrl& grid) {
    const std::vector<std::string> options = {"No", "Yes"};
    for (int nRow = grid.GetFixedRowCount(); nRow < grid.GetRowCount(); ++nRow) {
        grid.SetCellType(nRow, kChoiceColumn, RUNTIME_CLASS(CGridCellCombo));
        auto* pCell = static_cast<CGridCellCombo*>(grid.GetCell(nRow, kChoiceColumn));
        pCell->SetOptions(options);
        pCell->SetStyle(CBS_DROPDOWNLIST);
    }
}

}  // namespace

void FillDemoGrid(CGridCtrl& grid, int nDataRows) {
    grid.SetRedraw(false);
    grid.SetColumnCount(kColumns);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(kHeaderRows + std::min(nDataRows, kMeasuredRows));
    grid.SetFixedRowCount(kHeaderRows);
    SetHeadings(grid);
    FillRows(grid, kHeaderRows, grid.GetRowCount() - 1);
    grid.AutoSizeColumns();
    // Room for the sort arrow beside the heading.
    grid.SetColumnWidth(kValueColumn, grid.GetColumnWidth(kValueColumn) + grid.GetRowHeight(0));
    // The notes column stays narrower than its longest text, which then ends in "...".
    grid.SetColumnWidth(4, grid.GetColumnWidth(4) * 2 / 3);

    grid.SetRowCount(kHeaderRows + nDataRows);
    FillRows(grid, kHeaderRows + kMeasuredRows, grid.GetRowCount() - 1);
    MakeChoiceCombos(grid);

    grid.SetColumnSortType(GVSORT_FLOAT, kValueColumn);
    grid.SetHeaderSort(true);
    grid.SortItems(kValueColumn, true);
    grid.SetSelectedRange(kHeaderRows + 3, 1, kHeaderRows + 6, 3);
    grid.SetFocusCell(kHeaderRows + 4, 2);
    grid.SetRedraw(true, true);
}
