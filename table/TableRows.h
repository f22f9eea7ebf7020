#pragma once

#include <string>
#include <vector>

#include "platform/ColorRef.h"
#include "table/ParamFile.h"

class CGridCtrl;

// The Table page's grid as a list of parameters: one fixed header row, the parameter's
// name in the fixed column 0, then "From DC Drive", "From File" and "Update from File".
enum ETableColumn : int {
    kColName = 0,
    kColDrive = 1,
    kColFile = 2,
    kColUpdate = 3,
    kTableColumns = 4,
};

inline constexpr COLORREF kTableWhite = RGB(255, 255, 255);
inline constexpr COLORREF kTableRed = RGB(255, 0, 0);
inline constexpr COLORREF kTableYellow = RGB(255, 255, 0);

// The page's grid set-up: editing on, selection and the Tab key off, one fixed row and
// column, the four headed columns with their widths. False when the grid ran out of
// memory (already reported by the grid).
bool SetUpTableGrid(CGridCtrl& grid);

// The first parameter row whose name equals strName byte for byte; the row count when
// there is none.
int FindParameterRow(const CGridCtrl& grid, const std::string& strName);

// Appends a row for a name not yet in the table: "No" in column 3 as a "No"/"Yes" combo
// cell, the value columns right-aligned. Returns the new row's index, 0 when the grid
// ran out of memory.
int AddParameterRow(CGridCtrl& grid, const std::string& strName);

// The file lines of "DC Drive To File" (every row: name, drive value, flag) and of
// "File To New File" (rows with a file value: name, file value, flag).
std::string DriveFileText(const CGridCtrl& grid);
std::string NewFileText(const CGridCtrl& grid);

// "Read File": each line's value and flag go into the row of its name, which is appended
// when missing. Rows the file does not name keep their texts.
void ApplyParamLines(CGridCtrl& grid, const std::vector<SParamLine>& lines);
