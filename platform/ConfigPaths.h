#pragma once

#include <string>

// Where the per-user files live: $XDG_CONFIG_HOME/Tovamo Dispenser (default
// ~/.config/Tovamo Dispenser). The desktop program's settings are tovamo.conf there
// (INI, group "Setings", key "NumCom"); COMn port links are in its "ports" folder.
std::string TovamoConfigDir();
std::string TovamoSettingsFile();
std::string TovamoPortLinkDir();
