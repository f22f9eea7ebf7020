#include "cli/ProcedureTable.h"

#include <cstdio>

#include "grid/GridCtrl.h"
#include "table/TableRows.h"
#include "table/ValueCompare.h"

std::string AllColumnsText(const CGridCtrl& grid) {
    std::string text;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        for (int nCol = 0; nCol < kTableColumns; ++nCol)
            text += grid.GetItemText(nRow, nCol) + (nCol + 1 < kTableColumns ? "\t" : "\r\n");
    }
    return text;
}

bool RowReachedFileValue(const std::string& strDrive, const std::string& strFile) {
    // As the update judges a value: the same number, whatever the text after it.
    return strFile.empty() || ValuesEqual(strDrive, strFile, ECompare::kNumeric);
}

bool ReportRowsNotReached(const CGridCtrl& grid) {
    bool bAllReached = true;
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        if (grid.GetItemText(nRow, kColUpdate) != "Yes")
            continue;
        const std::string strDrive = grid.GetItemText(nRow, kColDrive);
        const std::string strFile = grid.GetItemText(nRow, kColFile);
        if (RowReachedFileValue(strDrive, strFile))
            continue;
        bAllReached = false;
        const std::string line = "tovamo-cli: not reached: " + grid.GetItemText(nRow, kColName) +
                                 "\tdrive \"" + strDrive + "\"\tfile \"" + strFile + "\"\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
    }
    return bAllReached;
}
