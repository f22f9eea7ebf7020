#pragma once

#include <string>

// tovamo-cli's help texts: the whole tool, and one per command (with its output format and
// exit statuses). CommandUsage gives nullptr for an unknown command.
const char* GeneralUsage();
const char* CommandUsage(const std::string& strCommand);

// "tovamo-cli: COMPLAINT", then the usage of the command (or of the tool) on stderr;
// returns the usage exit status.
int UsageError(const std::string& strComplaint, const std::string& strCommand = {});
