#pragma once

// The desktop program's stored settings in the per-user registry, as DWORD values of
// HKEY_CURRENT_USER\Software\Tovamo Dispenser\tovamo\Setings: "NumCom" (the port used
// last; the command-line tool reads the same value, so both start on it) and the Table
// page's remembered switches.
constexpr int kDefaultNumCom = 1;

// The stored port number; kDefaultNumCom when the key or value is missing or not a DWORD.
int ReadRegistryNumCom();
// False when the key cannot be created or the value not written.
bool WriteRegistryNumCom(int numCom);

// Any value of the section by name: nDefault when missing or not a DWORD.
int ReadRegistryInt(const char* pszName, int nDefault);
bool WriteRegistryInt(const char* pszName, int nValue);
