#pragma once

#include <string>

// Small readers of the system's device folders (Linux: /sys, /dev), shared by the
// device identity and the adapter list. Every folder is passed in, so tests can hand
// over a fake one.

// The path's target with every symbolic link resolved; empty when it does not exist.
std::string RealPath(const std::string& path);
// The first line of a small file; empty when it cannot be read.
std::string FirstLine(const std::string& path);
bool IsFile(const std::string& path);

// The USB device folder above a tty (the one holding idVendor and idProduct) in
// sysClassTty (normally /sys/class/tty); empty for a tty that is not on USB.
std::string UsbDeviceFolder(const std::string& sysClassTty, const std::string& ttyName);
