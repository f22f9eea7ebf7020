#pragma once

// The desktop program's one stored setting in the per-user registry:
// HKEY_CURRENT_USER\Software\Tovamo Dispenser\tovamo\Setings, DWORD "NumCom". The
// command-line tool reads the same value, so both start on the port used last.
constexpr int kDefaultNumCom = 1;

// The stored port number; kDefaultNumCom when the key or value is missing or not a DWORD.
int ReadRegistryNumCom();
// False when the key cannot be created or the value not written.
bool WriteRegistryNumCom(int numCom);
