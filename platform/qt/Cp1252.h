#pragma once

#include <QString>

#include <string>

// Texts from the drive and from files are Windows-1252 byte strings; the GUI decodes
// them only to show them. The five bytes that code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 control characters of the same value, as Windows does.
QString DecodeWindows1252(const std::string& bytes);
