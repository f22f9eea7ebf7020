#include "platform/ConfigPaths.h"

#include <cstdlib>

namespace {
std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config";
}
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
