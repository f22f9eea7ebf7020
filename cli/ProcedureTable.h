#pragma once

#include <string>

class CGridCtrl;

// The table as `update` writes it: name, drive value, file value and flag, TAB-separated,
// CR LF after each parameter row.
std::string AllColumnsText(const CGridCtrl& grid);

// Whether a row marked "Yes" shows its file value on the drive: the same text, or two
// numbers equal as exact decimals ("3" and "3.00"). A row without a file value has
// nothing to reach.
bool RowReachedFileValue(const std::string& strDrive, const std::string& strFile);

// Lists on stderr every "Yes" row whose drive value did not reach its file value;
// true when there is none.
bool ReportRowsNotReached(const CGridCtrl& grid);
