#pragma once

#include <string>
#include <vector>

class CGridCtrl;

// What "Update DC Drive" will do, as its confirmation lists it, worked out from the table
// before the update starts. All texts are the table's own bytes (Windows-1252); the
// *Utf8 functions give them for display.

// A marked parameter the update will step: "name: drive value → file value".
struct SPlannedChange {
    int nRow = 0;
    std::string strName;
    std::string strDrive;
    std::string strFile;
};

// Why a marked parameter is left alone.
enum class EPlanSkip {
    kAlreadyEqual,  // the drive shows the file's value already (also as a number: 3 and 3.00)
    kNotANumber,    // the drive value or the file value is not a number the update steps
    kNotOnDrive,    // the drive showed no value for it (a name only the file has, a sub-menu)
};

struct SPlannedSkip {
    SPlannedChange row;
    EPlanSkip eWhy = EPlanSkip::kAlreadyEqual;
};

struct SUpdatePlan {
    std::vector<SPlannedChange> changes;  // in table order
    std::vector<SPlannedSkip> leftAlone;  // in table order
};

// The rows marked "Yes", split as the update's value step will treat them.
SUpdatePlan MakeUpdatePlan(const CGridCtrl& grid);

// "name: drive value → file value" in UTF-8 (the arrow is U+2192); the name without the
// blanks the drive pads it with at its end.
std::string PlanChangeUtf8(const SPlannedChange& change);
// "name: drive value (already equal)", "name: drive value → file value (not a number)"
// or "name: file value (not on the drive)".
std::string PlanSkipUtf8(const SPlannedSkip& skip);
// The confirmation's text as a whole: "N marked parameters will be changed:" and their
// lines, then "Left alone:" and theirs (LF line ends, UTF-8).
std::string PlanTextUtf8(const SUpdatePlan& plan);
