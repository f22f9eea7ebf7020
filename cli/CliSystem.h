#pragma once

#include <string>
#include <vector>

// What tovamo-cli needs of the system it runs on (CliSystemPosix.cpp, CliSystemWin32.cpp).

// Before anything is read or written: standard input and output carry bytes as they are
// (no newline translation), and a closed stdout fails the write instead of ending the
// program, so that the command ends with the file status.
void PrepareStdio();
// The command line's words after the program name, in UTF-8.
std::vector<std::string> CommandLineWords(int argc, char** argv);
// Whether stderr is a terminal (a console on Windows), where a progress line may show.
bool StderrIsTerminal();
