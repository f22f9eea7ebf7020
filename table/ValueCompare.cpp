#include "table/ValueCompare.h"

#include "table/FixedPoint.h"
#include "table/TableRows.h"

bool IsSteppableNumber(const std::string& strText) {
    return !strText.empty() && ((strText[0] >= '0' && strText[0] <= '9') || strText[0] == '-');
}

bool ValuesEqual(const std::string& strDrive, const std::string& strFile, ECompare eCompare) {
    if (strDrive == strFile)
        return true;
    return eCompare == ECompare::kNumeric && IsSteppableNumber(strDrive) && IsSteppableNumber(strFile) &&
           CFixedPoint(strDrive) == CFixedPoint(strFile);
}

bool RowDiffers(const std::string& strDrive, const std::string& strFile, ECompare eCompare) {
    return !strFile.empty() && (strDrive.empty() || !ValuesEqual(strDrive, strFile, eCompare));
}

COLORREF DriveCellColour(const std::string& strDrive, const std::string& strFile, ECompare eCompare) {
    if (!RowDiffers(strDrive, strFile, eCompare))
        return kTableWhite;
    return strDrive.empty() ? kTableRed : kTableYellow;
}
