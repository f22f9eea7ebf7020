#pragma once

#include <string>

// Win32 error codes (GetLastError) as the errno values the program's callers know, and
// the system's own sentence for one, in UTF-8 without the trailing line break.
int ErrnoFromSystemError(unsigned long error);
std::string SystemErrorText(unsigned long error);
