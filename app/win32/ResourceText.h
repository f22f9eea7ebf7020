#pragma once

#include <string>

// A text of the program's string table; empty when there is none with that id.
std::wstring ResourceText(int nStringId);
