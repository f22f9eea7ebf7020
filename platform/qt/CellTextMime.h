#pragma once

#include <optional>
#include <string>

class QMimeData;

// Cell texts (Windows-1252 bytes) as the desktop exchanges them: text/plain in UTF-8
// for other programs, and the bytes unchanged under a type of our own, so that text
// copied or dragged between our grids comes back exactly, whatever bytes it holds.
inline constexpr const char* kCellTextMimeType = "application/x-tovamo-cell-text";

// A new QMimeData holding the text both ways; the caller owns it.
QMimeData* CreateCellTextMimeData(const std::string& text);
bool HasCellText(const QMimeData* pData);
// Our own bytes if present, else the plain text with every character outside
// Windows-1252 as '?'; nullopt when the data holds no text.
std::optional<std::string> CellTextFromMimeData(const QMimeData* pData);
