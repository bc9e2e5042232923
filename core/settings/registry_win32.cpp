#include <windows.h>

#include "core/settings/registry.h"

namespace {
HKEY ToHkey(RegistryKey key) { return key.handle ? static_cast<HKEY>(key.handle) : HKEY_CURRENT_USER; }
}  // namespace

bool OpenRegistryKeyForRead(RegistryKey parent, const char* subkey, RegistryKey& out) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(ToHkey(parent), subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    out.handle = opened;
    return true;
}

bool CreateRegistryKeyForWrite(RegistryKey parent, const char* subkey, RegistryKey& out) {
    char keyClass[] = "kesto";
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(ToHkey(parent), subkey, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        &created, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    out.handle = created;
    return true;
}

void CloseRegistryKey(RegistryKey key) {
    if (key.handle) RegCloseKey(static_cast<HKEY>(key.handle));
}

bool QueryRegistryValue(RegistryKey key, const char* name, uint8_t* buffer, uint32_t& size) {
    DWORD length = size;
    if (RegQueryValueExA(ToHkey(key), name, nullptr, nullptr, buffer, &length) != ERROR_SUCCESS) return false;
    size = length;
    return true;
}

bool SetRegistryValue(RegistryKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
    return RegSetValueExA(ToHkey(key), name, 0, type, data, size) == ERROR_SUCCESS;
}
