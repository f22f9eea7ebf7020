#pragma once

#include <optional>
#include <string>

// The drive's side of the line: how its texts are encoded and framed as fields.
//
// The drive's character set is Windows-1252, and it sends bytes above 0x7F with bit 6
// inverted (the program's reader inverts it back), so "°C" leaves the drive as 0xF0 'C'.

// Converts UTF-8 to Windows-1252; nullopt when the text is not valid UTF-8 or holds a
// character that Windows-1252 cannot show.
std::optional<std::string> Utf8ToWindows1252(const std::string& utf8);

// Bytes 0x80..0xFF XOR 0x40; others unchanged.
std::string InvertHighBytes(std::string text);

// Widths of the drive's fields.
constexpr size_t kNameFieldWidth = 16;
constexpr size_t kValueFieldWidth = 16;
constexpr size_t kErrorFieldWidth = 17;

// LF LF, the name left-aligned in 16 bytes, CR LF.
std::string NameField(const std::string& name);
// The value right-aligned in 16 bytes, CR LF.
std::string ValueField(const std::string& value);
// The error text left-aligned in (at least) 17 bytes, CR LF.
std::string ErrorField(const std::string& error);
