#include "core/settings/settings_store.h"

#include <cstring>

#include "core/settings/registry.h"
#include "readers/common/byte_input.h"

const char kFamilyKey[] = "Software\\kesto\\lumeq";

namespace {

constexpr uint32_t kGlobalBytes = 8;
constexpr uint32_t kValueBytes = 192;
constexpr uint32_t kMatrixBytes = 128;

// A value shorter than its field is refused: the field keeps its contents.
bool QueryField(RegistryKey key, const char* name, uint32_t capacity, uint32_t fieldBytes, uint8_t* field) {
    uint8_t buffer[kValueBytes] = {};
    uint32_t size = capacity;
    if (!QueryRegistryValue(key, name, buffer, size) || size < fieldBytes) return false;
    std::memcpy(field, buffer, fieldBytes);
    return true;
}

template <typename Field>
void QueryScalar(RegistryKey key, const char* name, Field& field) {
    static_assert(sizeof(Field) == 4);
    uint8_t bytes[4];
    if (QueryField(key, name, kValueBytes, 4, bytes)) {
        const uint32_t value = LoadLe32(bytes);
        std::memcpy(&field, &value, 4);
    }
}

void SetDword(RegistryKey key, const char* name, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    SetRegistryValue(key, name, kRegDword, bytes, 4);
}

}  // namespace

void ReadSharedFlag(RenderSettings& settings, const char* pluginName) {
    RegistryKey family, subkey;
    if (!OpenRegistryKeyForRead({}, kFamilyKey, family)) return;
    if (OpenRegistryKeyForRead(family, pluginName, subkey)) {
        uint8_t bytes[4];
        if (QueryField(subkey, "Global", kGlobalBytes, 4, bytes)) settings.shared = int32_t(LoadLe32(bytes));
        CloseRegistryKey(subkey);
    }
    CloseRegistryKey(family);
}

void LoadSettings(RenderSettings& settings, const char* pluginName) {
    RegistryKey family, own;
    if (!OpenRegistryKeyForRead({}, kFamilyKey, family)) return;
    const bool fromFamily = settings.shared != 0;
    if (fromFamily || OpenRegistryKeyForRead(family, pluginName, own)) {
        const RegistryKey key = fromFamily ? family : own;
        QueryScalar(key, "Width", settings.width);
        QueryScalar(key, "Height", settings.height);
        QueryScalar(key, "Mode", settings.mode);
        uint8_t matrix[kMatrixBytes];
        if (QueryField(key, "Matrix", kValueBytes, kMatrixBytes, matrix)) {
            for (int i = 0; i < 16; ++i) settings.viewMatrix[i] = DoubleFromBits(LoadLe64(matrix + 8 * i));
        }
        QueryScalar(key, "ColorObj", settings.objectColor);
        QueryScalar(key, "ColorBack", settings.backgroundColor);
        if (!fromFamily) CloseRegistryKey(own);
    }
    CloseRegistryKey(family);
}

void SaveSettings(const RenderSettings& settings, const char* pluginName) {
    RegistryKey family, own;
    if (!CreateRegistryKeyForWrite({}, kFamilyKey, family)) return;
    if (CreateRegistryKeyForWrite(family, pluginName, own)) {
        SetDword(own, "Global", uint32_t(settings.shared));
        CloseRegistryKey(own);
    }
    const bool toFamily = settings.shared != 0;
    if (toFamily || CreateRegistryKeyForWrite(family, pluginName, own)) {
        const RegistryKey key = toFamily ? family : own;
        SetDword(key, "Width", uint32_t(settings.width));
        SetDword(key, "Height", uint32_t(settings.height));
        SetDword(key, "Mode", uint32_t(settings.mode));
        uint8_t matrix[kMatrixBytes];
        for (int i = 0; i < 16; ++i) {
            uint64_t bits;
            std::memcpy(&bits, &settings.viewMatrix[i], 8);
            for (int b = 0; b < 8; ++b) matrix[8 * i + b] = uint8_t(bits >> (8 * b));
        }
        SetRegistryValue(key, "Matrix", kRegBinary, matrix, kMatrixBytes);
        SetDword(key, "ColorObj", settings.objectColor);
        SetDword(key, "ColorBack", settings.backgroundColor);
        if (!toFamily) CloseRegistryKey(own);
    }
    CloseRegistryKey(family);
}
