#pragma once

#include <optional>
#include <string>
#include <vector>

// The words of a tovamo-cli command line. Options may come before or after the command;
// "--" ends them, so a file name may begin with '-'. Which options a command takes is
// checked by the command (CheckMonitorArgs and friends), so that the complaint names it.
struct SCliArgs {
    std::string strPort;  // --port; empty when not given
    bool bPortGiven = false;
    bool bHelp = false;
    bool bVersion = false;
    std::string strCommand;               // empty when none was given
    std::vector<std::string> positional;  // words after the command that are not options
    std::optional<std::string> output;    // -o FILE
    std::optional<std::string> report;    // --report FILE
    bool bNumeric = false;                // --numeric (diff, update --mark-differing)
    bool bDryRun = false;                 // --dry-run (update)
    bool bMarkDiffering = false;          // --mark-differing (update)
    bool bNoSnapshot = false;             // --no-snapshot (update)
    std::string strError;                 // a usage complaint; empty when the words are fine
};

SCliArgs ParseCliArgs(const std::vector<std::string>& words);

// Whether two paths name the same file, existing or not: one file under two names (hard
// or symbolic links), or one name written two ways ("x", "./x", "dir/../x").
bool IsSameFile(const std::string& strFirst, const std::string& strSecond);
