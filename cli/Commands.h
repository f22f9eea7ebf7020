#pragma once

#include <string>
#include <vector>

// One function per tovamo-cli command. `port` is what --port gave (COMn or a device
// path), already defaulted from the stored "NumCom"; `args` are the words after the
// command name. Each returns an exit status of ExitCodes.h and prints its own errors.
int RunMonitorCommand(const std::string& port, const std::vector<std::string>& args);
int RunReadCommand(const std::string& port, const std::vector<std::string>& args);
int RunUpdateCommand(const std::string& port, const std::vector<std::string>& args);
