#pragma once

#include <QString>

#include <string>

// Texts from the drive and from files are Windows-1252 byte strings; the GUI decodes
// them only to show them. The five bytes that code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 control characters of the same value, as Windows does.
QString DecodeWindows1252(const std::string& bytes);

// The way back for text the user typed: each character becomes its Windows-1252 byte,
// and one the code page cannot hold becomes '?', so that a stored text never holds
// bytes the display would show as something else. DecodeWindows1252 undoes it exactly.
std::string EncodeWindows1252(const QString& text);
