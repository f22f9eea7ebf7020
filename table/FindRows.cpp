#include "table/FindRows.h"

#include "grid/GridCtrl.h"
#include "table/TableRows.h"

namespace {
unsigned char FoldByte(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))  // not the sign ×
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return c;
    }
}

bool Matches(const CGridCtrl& grid, int nRow, const std::string& strFolded) {
    return grid.GetRowHeight(nRow) > 0 && NameContains(grid.GetItemText(nRow, kColName), strFolded);
}
}  // namespace

std::string FoldCase1252(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    return folded;
}

bool NameContains(std::string_view strName, std::string_view strFoldedNeedle) {
    return FoldCase1252(strName).find(strFoldedNeedle) != std::string::npos;
}

int FindRow(const CGridCtrl& grid, std::string_view strText, int nFrom, EFindStep eStep) {
    const int nRows = grid.GetRowCount() - 1;  // parameter rows 1 .. nRows
    if (strText.empty() || nRows < 1)
        return 0;
    const std::string strFolded = FoldCase1252(strText);
    const int nDirection = eStep == EFindStep::kPrevious ? -1 : 1;
    // Row r as a position 0 .. nRows-1, so that going round the end is a remainder.
    int nStart = (nFrom >= 1 && nFrom <= nRows ? nFrom : 1) - 1;
    if (eStep != EFindStep::kHere)
        nStart += nDirection;
    for (int nTried = 0; nTried < nRows; ++nTried) {
        const int nRow = ((nStart + nDirection * nTried) % nRows + nRows) % nRows + 1;
        if (Matches(grid, nRow, strFolded))
            return nRow;
    }
    return 0;
}
