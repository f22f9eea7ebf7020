#pragma once

// strtod in the "C" locale whatever locale the program runs in (CLocaleNumber.cpp for
// POSIX, CLocaleNumberWin32.cpp): out-of-range numbers give HUGE_VAL or 0 as the C library
// gives them.
double StrtodCLocale(const char* text);
