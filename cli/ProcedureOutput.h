#pragma once

#include <optional>
#include <string>

#include "cli/CliArgs.h"
#include "table/TablesView.h"

class CTables;

// What the commands that walk the drive (read, update, diff) share: where their output
// goes, how an end the drive caused is told, and their progress line.

// -o OUT, or none for stdout (no -o, or -o -).
std::optional<std::string> OutputPath(const SCliArgs& args);
// `content` to `path`, or stdout without one; false after a message.
bool WriteOutput(const std::optional<std::string>& path, const std::string& content);
// The exit status of a procedure's end (0 when it completed).
int EndStatus(ETablesEnd how);
// After the output has been written: an end the drive caused says so on stderr.
// `procedure` is "Read" or "Update", the procedure that was running. Returns the status.
int FinalStatus(ETablesEnd how, const char* procedure);
// The usage error for a switch given to a command that does not take it; 0 when none is.
int CheckSwitches(const SCliArgs& args, bool bNumeric, bool bUpdateSwitches);
std::string ReadProgress(const CTables& tables);
// The parameter file a command compares with or updates to, read before the drive is
// scanned for nothing; false after a message.
bool ReadInputFile(const std::string& file, std::string& content);
