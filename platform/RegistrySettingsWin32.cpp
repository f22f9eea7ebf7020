#include "platform/RegistrySettings.h"

#include <windows.h>

namespace {
const char kSettingsKey[] = "Software\\Tovamo Dispenser\\tovamo\\Setings";
const char kNumComValue[] = "NumCom";
}  // namespace

int ReadRegistryNumCom() {
    return ReadRegistryInt(kNumComValue, kDefaultNumCom);
}

bool WriteRegistryNumCom(int numCom) {
    return WriteRegistryInt(kNumComValue, numCom);
}

int ReadRegistryInt(const char* pszName, int nDefault) {
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status =
        ::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, pszName, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS ? static_cast<int>(value) : nDefault;
}

bool WriteRegistryInt(const char* pszName, int nValue) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD value = static_cast<DWORD>(nValue);
    const LSTATUS status =
        ::RegSetValueExA(key, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
