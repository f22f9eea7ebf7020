#include "link/PortNames.h"

// The device namespace prefix makes COM10 and above reachable; a name that already has a
// backslash ("\\.\COM3", a device path) is the caller's own.
std::string ResolvePortPath(const std::string& name) {
    if (name.find('\\') != std::string::npos)
        return name;
    return "\\\\.\\" + name;
}

// A device path cannot be looked at without opening it, and an open of a port that is
// not there fails at once: the reconnect simply tries.
bool PortPathExists(const std::string&) {
    return true;
}
