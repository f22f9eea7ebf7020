#pragma once

#include <string>

// The device path for a port name. A name containing '/' is a path already. "COMn"
// (n from 1 to 256) is the user's port link TovamoPortLinkDir()/COMn when that exists
// (even as a dangling symlink: opening it then reports the adapter as not present), else
// the n-th built-in serial port /dev/ttyS{n-1}. Anything else is used as given.
//
// On Windows (PortNamesWin32.cpp) "COMn" is the device path "\\.\COMn", so ports
// numbered 10 and above open; a name with a backslash is used as given.
std::string ResolvePortPath(const std::string& name);

// Whether something is at the path to try opening again after the device went away.
bool PortPathExists(const std::string& path);
