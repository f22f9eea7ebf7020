#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The grid's two plain-text forms, taken apart without a grid: the clipboard text that
// a paste reads, and the text file that Load reads. Both are Windows-1252 bytes.

// The clipboard text as rows of trimmed cell texts. The text ends at its first zero
// byte; rows end at "\n", cells at "\t" or ","; a carriage return before "\n" goes with
// the trimming. The empty line after a final "\n" is not a row: other programs end
// their text with one, and it must not empty a cell below the pasted block.
std::vector<std::vector<std::string>> SplitPasteText(const std::string& text);

// The longest line Load reads at once; a longer one is read on as a further line.
inline constexpr std::size_t kGridTextMaxLine = 1023;

// The lines of a grid text file without their line ends ("\n", or "\r\n" as a file from
// Windows has them). A line ends at a zero byte as a C string would; a line of more than
// kGridTextMaxLine characters continues as a new line, but one of exactly that length
// does not make an empty line of its line end.
std::vector<std::string> SplitGridTextLines(const std::string& content);

// The cells of one line of a grid text file; empty cells are kept, so that a file
// written by Save reads back into the same columns.
std::vector<std::string> SplitGridTextCells(const std::string& line, char chSeparator);
