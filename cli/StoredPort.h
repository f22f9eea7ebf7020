#pragma once

#include <string>

// The port the desktop program used last: "COM" + the stored "NumCom" (group "Setings"
// of TovamoSettingsFile(); 1 when the file, the group or the key is missing or the value
// is not a whole number); on Windows the same value in the registry (RegistrySettings.h).
// The implementation is in CliSystemPosix.cpp or CliSystemWin32.cpp. The number is used as stored, even
// outside 1..32: opening such a port then fails with the usual message.
std::string DefaultPortName();

// "NumCom" of group "Setings" in the INI file at `path`, or 1.
int ReadStoredNumCom(const std::string& path);
