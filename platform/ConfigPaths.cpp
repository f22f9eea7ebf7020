#include "platform/ConfigPaths.h"

#include <cstdlib>

#ifdef _WIN32
#include "platform/WideText.h"
#endif

namespace {
std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}

#ifdef _WIN32
// The wide variable, as the program keeps paths in UTF-8 and the ANSI one may not hold
// the user's name.
std::string StateHome() {
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    return local != nullptr && local[0] != 0 ? Utf8FromWide(local) : "";
}
constexpr const char* kSnapshots = "\\Tovamo Dispenser\\snapshots";
#else
// Relative values are to be ignored, as for the configuration folder.
std::string StateHome() {
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] != 0 ? std::string(home) + "/.local/state" : "";
}
constexpr const char* kSnapshots = "/Tovamo Dispenser/snapshots";
#endif
}  // namespace

std::string TovamoConfigDir() {
    return ConfigHome() + "/Tovamo Dispenser";
}
std::string TovamoSettingsFile() {
    return TovamoConfigDir() + "/tovamo.conf";
}
std::string TovamoPortLinkDir() {
    return TovamoConfigDir() + "/ports";
}
std::string TovamoSnapshotDir() {
    const std::string home = StateHome();
    return home.empty() ? home : home + kSnapshots;
}
