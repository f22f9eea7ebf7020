#include "table/TableRows.h"

#include "grid/GridCellCombo.h"
#include "grid/GridCtrl.h"
#include "platform/TextFormat.h"

namespace {
constexpr std::uint32_t kValueFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

struct SColumnHeader {
    const char* text;
    int width;
};
constexpr SColumnHeader kHeaders[kTableColumns] = {
    {"Parameter name", 180},
    {"From DC Drive", 170},
    {"From File", 170},
    {"Update from File", 100},
};

bool SetFormat(CGridCtrl& grid, int nRow, int nCol) {
    GRID_ITEM item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GIF_FORMAT;
    item.nFormat = kValueFormat;
    return grid.SetItem(&item);
}
}  // namespace

bool SetUpTableGrid(CGridCtrl& grid) {
    grid.SetEditable(true);
    grid.EnableSelection(false);
    grid.SetHandleTabKey(false);
    if (!grid.SetFixedRowCount(1) || !grid.SetFixedColumnCount(1) || !grid.SetRowCount(1) ||
        !grid.SetColumnCount(kTableColumns))
        return false;
    for (int nCol = kColDrive; nCol < kTableColumns; ++nCol)
        SetFormat(grid, 0, nCol);
    for (int nCol = 0; nCol < kTableColumns; ++nCol) {
        grid.SetColumnWidth(nCol, kHeaders[nCol].width);
        grid.SetItemText(0, nCol, kHeaders[nCol].text);
    }
    grid.SetFixedRowSelection(false);
    grid.SetHeaderSort(false);
    return true;
}

int FindParameterRow(const CGridCtrl& grid, const std::string& strName) {
    int nRow = 1;
    while (nRow < grid.GetRowCount() && grid.GetItemText(nRow, kColName) != strName)
        ++nRow;
    return nRow;
}

int AddParameterRow(CGridCtrl& grid, const std::string& strName) {
    const int nRow = grid.InsertRow(strName, -1);
    if (nRow < 1)
        return 0;  // out of memory, already reported: never touch the header row
    grid.SetItemText(nRow, kColUpdate, "No");
    for (int nCol = kColDrive; nCol < kTableColumns; ++nCol)
        SetFormat(grid, nRow, nCol);
    if (grid.SetCellType(nRow, kColUpdate, RUNTIME_CLASS(CGridCellCombo))) {
        if (auto* pCombo = dynamic_cast<CGridCellCombo*>(grid.GetCell(nRow, kColUpdate))) {
            pCombo->SetOptions({"No", "Yes"});
            pCombo->SetStyle(CBS_DROPDOWNLIST);
        }
    }
    return nRow;
}

std::string DriveFileText(const CGridCtrl& grid) {
    std::string text;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
        text += FormatParamLine(grid.GetItemText(nRow, kColName), grid.GetItemText(nRow, kColDrive),
                                grid.GetItemText(nRow, kColUpdate));
    return text;
}

std::string NewFileText(const CGridCtrl& grid) {
    std::string text;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const std::string strFile = grid.GetItemText(nRow, kColFile);
        if (!strFile.empty())
            text += FormatParamLine(grid.GetItemText(nRow, kColName), strFile,
                                    grid.GetItemText(nRow, kColUpdate));
    }
    return text;
}

void ApplyParamLines(CGridCtrl& grid, const std::vector<SParamLine>& lines) {
    for (const SParamLine& line : lines) {
        int nRow = FindParameterRow(grid, line.strName);
        if (nRow == grid.GetRowCount())
            nRow = AddParameterRow(grid, line.strName);
        if (nRow < 1)
            return;
        grid.SetItemText(nRow, kColFile, line.strValue);
        grid.SetItemText(nRow, kColUpdate, line.strFlag);
    }
}
