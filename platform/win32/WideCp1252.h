#pragma once

#include <string>
#include <string_view>

// The drive's and the parameter files' texts are Windows-1252 bytes whatever code page
// the system uses; the window calls take UTF-16. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same
// value, as the system's own conversion and the Qt front end do, so that a text shown in
// a control and taken back unchanged keeps every byte.
std::wstring WideFromCp1252(std::string_view bytes);

// The way back for text the user typed or another program gave: each character becomes
// its Windows-1252 byte, one the code page cannot hold becomes '?' (a character outside
// the basic plane, a surrogate pair, gives one '?', as does a lone surrogate).
// WideFromCp1252 is undone exactly.
std::string Cp1252FromWide(std::wstring_view text);
