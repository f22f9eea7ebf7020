#pragma once

#include <string>
#include <string_view>

class CGridCtrl;

// Find on the Table page: the parameter rows whose name contains a text, compared
// without regard to case. Names and the text are Windows-1252 bytes, so the accented
// capitals of that code page (À to Þ, Š, Œ, Ž, Ÿ) match their small letters too.

// The text with every capital of Windows-1252 turned into its small letter.
std::string FoldCase1252(std::string_view text);

// True when strName contains strFoldedNeedle (already folded) regardless of case.
bool NameContains(std::string_view strName, std::string_view strFoldedNeedle);

enum class EFindStep {
    kHere,      // the first match from the row given on (typing in the field)
    kNext,      // the first match after it (Enter, F3)
    kPrevious,  // the first match before it (Shift+F3)
};

// The row of the match, going round the end of the table; 0 when the text is empty or
// no row matches. Hidden rows (height 0) are passed over: they are not on the screen.
int FindRow(const CGridCtrl& grid, std::string_view strText, int nFrom, EFindStep eStep);
