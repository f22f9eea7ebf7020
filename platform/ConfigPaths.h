#pragma once

#include <string>

// Where the per-user files live: $XDG_CONFIG_HOME/Tovamo Dispenser (default
// ~/.config/Tovamo Dispenser). The desktop program's settings are tovamo.conf there
// (INI, group "Setings", key "NumCom"); COMn port links are in its "ports" folder.
std::string TovamoConfigDir();
std::string TovamoSettingsFile();
std::string TovamoPortLinkDir();

// Where the Table page keeps its snapshots of the drive before each update:
// $XDG_STATE_HOME/Tovamo Dispenser/snapshots (default ~/.local/state/...); on Windows
// %LOCALAPPDATA%\Tovamo Dispenser\snapshots. Empty when neither the variable nor the
// home folder is known.
std::string TovamoSnapshotDir();
