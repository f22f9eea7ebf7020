#pragma once

#include <functional>
#include <string>

// Which device a port's path leads to, as far as the system can tell: for a USB serial
// adapter its vendor, product and serial number ("0403:6001 A1234567"). Empty for a
// device without such an identity (a built-in port, a pseudo-terminal). The link compares
// identities to tell the adapter it opened from another one that later appears under the
// same name.
using DeviceIdentityLookup = std::function<std::string(const std::string& devicePath)>;

// The system's lookup (one implementation per system; on Linux through sysfs). Reads a
// few small files: it may be called without any lock, from any thread.
std::string SystemDeviceIdentity(const std::string& devicePath);
