#pragma once

#include <string>
#include <vector>

class CGridCtrl;

// "From File" and "Update from File" of every row, taken out of the table so that a
// file read in their place replaces them; given back when that read does not happen.
struct SFileColumns {
    std::vector<std::string> strValues;
    std::vector<std::string> strFlags;
};

// Empties "From File" and sets "Update from File" to "No" on every row; returns what
// they held.
SFileColumns TakeFileColumns(CGridCtrl& grid);
// Puts the columns back as taken; rows added since then are left alone.
void RestoreFileColumns(CGridCtrl& grid, const SFileColumns& saved);
