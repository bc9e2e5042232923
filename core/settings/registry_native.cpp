// The registry of the native builds: one .reg file under the user's
// configuration folder, read afresh at every open from the root so that
// another process's writes are seen, and rewritten atomically on close.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/settings/native_registry_path.h"
#include "core/settings/reg_file.h"
#include "core/settings/registry.h"

namespace {

constexpr char kRoot[] = "HKEY_CURRENT_USER";

struct NativeKey {
    std::string path;
    bool writable = false;
    bool dirty = false;
};

RegFileDocument& Document() {
    static RegFileDocument document;
    return document;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int& OpenWriters() {
    static int writers = 0;
    return writers;
}

// Pending writes of an open key are never dropped by a reload.
void LoadDocument() {
    if (OpenWriters() > 0) return;
    std::ifstream file(NativeRegistryPath(), std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    Document() = ParseRegFile(text.str());
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0700);
    }
}

void SaveDocument() {
    const std::string path = NativeRegistryPath();
    MakeFolders(path);
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    const std::string text = FormatRegFile(Document());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    std::fclose(file);
    if (!written || !flushed || std::rename(temporary.c_str(), path.c_str()) != 0) std::remove(temporary.c_str());
}

// A key exists when it was written, or when a key below it was.
bool KeyExists(const std::string& path) {
    for (const RegFileKey& key : Document().keys) {
        if (SameName(key.path, path)) return true;
        if (key.path.size() > path.size() && key.path[path.size()] == '\\' &&
            SameName(std::string_view(key.path).substr(0, path.size()), path)) {
            return true;
        }
    }
    return false;
}

RegFileKey* FindKey(const std::string& path) {
    for (RegFileKey& key : Document().keys) {
        if (SameName(key.path, path)) return &key;
    }
    return nullptr;
}

std::string ChildPath(RegistryKey parent, const char* subkey) {
    std::string path = parent.handle ? static_cast<NativeKey*>(parent.handle)->path : std::string(kRoot);
    if (subkey && *subkey) path += std::string("\\") + subkey;
    return path;
}

}  // namespace

bool OpenRegistryKeyForRead(RegistryKey parent, const char* subkey, RegistryKey& out) {
    if (!parent.handle) LoadDocument();
    const std::string path = ChildPath(parent, subkey);
    if (!KeyExists(path)) return false;
    out.handle = new NativeKey{path};
    return true;
}

bool CreateRegistryKeyForWrite(RegistryKey parent, const char* subkey, RegistryKey& out) {
    if (!parent.handle) LoadDocument();
    const std::string path = ChildPath(parent, subkey);
    auto* key = new NativeKey{path, true};
    ++OpenWriters();
    if (!FindKey(path)) {
        Document().keys.push_back({path, {}});
        key->dirty = true;
    }
    out.handle = key;
    return true;
}

void CloseRegistryKey(RegistryKey key) {
    auto* native = static_cast<NativeKey*>(key.handle);
    if (!native) return;
    if (native->dirty) SaveDocument();
    if (native->writable) --OpenWriters();
    delete native;
}

bool QueryRegistryValue(RegistryKey key, const char* name, uint8_t* buffer, uint32_t& size) {
    const RegFileKey* found = key.handle ? FindKey(static_cast<NativeKey*>(key.handle)->path) : nullptr;
    if (!found) return false;
    for (const RegFileValue& value : found->values) {
        if (!SameName(value.name, name)) continue;
        if (value.data.size() > size) return false;
        std::memcpy(buffer, value.data.data(), value.data.size());
        size = uint32_t(value.data.size());
        return true;
    }
    return false;
}

bool SetRegistryValue(RegistryKey key, const char* name, uint32_t type, const uint8_t* data, uint32_t size) {
    auto* native = static_cast<NativeKey*>(key.handle);
    if (!native || !native->writable) return false;
    RegFileKey* found = FindKey(native->path);
    if (!found) {
        Document().keys.push_back({native->path, {}});
        found = &Document().keys.back();
    }
    RegFileValue value{name, type, std::vector<uint8_t>(data, data + size)};
    native->dirty = true;
    for (RegFileValue& existing : found->values) {
        if (SameName(existing.name, name)) {
            existing = std::move(value);
            return true;
        }
    }
    found->values.push_back(std::move(value));
    return true;
}
