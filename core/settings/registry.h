// The few registry operations the settings store needs, under
// HKEY_CURRENT_USER: advapi32 on Windows, a file of our own natively.
#pragma once

#include <cstdint>

constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

struct RegistryKey {
    void* handle = nullptr;
};

// A null parent means HKEY_CURRENT_USER; an empty subkey names the parent
// itself (a new handle to it).
bool OpenRegistryKeyForRead(RegistryKey parent, const char* subkey, RegistryKey& out);
bool CreateRegistryKeyForWrite(RegistryKey parent, const char* subkey, RegistryKey& out);
void CloseRegistryKey(RegistryKey key);

// Reads a value of any type into `buffer` of `size` bytes; on success `size`
// is the length of the data. Fails when the value is missing or longer.
bool QueryRegistryValue(RegistryKey key, const char* name, uint8_t* buffer, uint32_t& size);
bool SetRegistryValue(RegistryKey key, const char* name, uint32_t type, const uint8_t* data,
                      uint32_t size);
