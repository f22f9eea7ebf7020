#pragma once

#include <QString>

#include <string>

// The texts of the program's messages: its own ASCII texts, with file and device names
// as the file system gives them (UTF-8 on Linux). Decoded as UTF-8 when they are valid
// UTF-8, otherwise (a name in a legacy encoding) as Windows-1252, so that every byte
// still shows as something.
QString DecodeMessageText(const std::string& bytes);
