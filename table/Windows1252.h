#pragma once

#include <string>

// The drive's and the parameter files' texts are Windows-1252 bytes; for a terminal or a
// dialog they are shown as UTF-8. The five bytes Windows-1252 leaves undefined become
// U+FFFD.
std::string Windows1252ToUtf8(const std::string& strBytes);
