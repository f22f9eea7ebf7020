#pragma once

#include <string>

// The program keeps text in UTF-8; the system's wide-character calls take UTF-16.
// Invalid sequences become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
