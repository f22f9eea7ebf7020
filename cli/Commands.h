#pragma once

#include <string>

#include "cli/CliArgs.h"

// One function per tovamo-cli command. `port` is what --port gave (COMn or a device
// path), already defaulted from the stored "NumCom"; `args` are the parsed words. Each
// checks the options it takes, returns an exit status of ExitCodes.h and prints its own
// errors.
int RunMonitorCommand(const std::string& port, const SCliArgs& args);
int RunReadCommand(const std::string& port, const SCliArgs& args);
int RunUpdateCommand(const std::string& port, const SCliArgs& args);
int RunDiffCommand(const std::string& port, const SCliArgs& args);
