// The Susie 32-bit import plug-in interface ("00IN"), as seen by both sides:
// the plug-ins export these six functions, hosts call them.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#ifdef _WIN32
#include <windows.h>
#define SUSIE_API __stdcall
using SusieWord = DWORD;  // IsSupported's second argument: a number or an address
using SusieHandle = HANDLE;
using SusieWindow = HWND;
#else
#define SUSIE_API
using SusieWord = uintptr_t;
using SusieHandle = void*;
using SusieWindow = void*;
#endif

using SusieProgress = int32_t(SUSIE_API*)(int32_t done, int32_t total, int32_t datum);

// The host's picture-info record (28 bytes in a 32-bit process).
#pragma pack(push, 4)
struct SusiePictureInfo {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    uint16_t horizontalDensity;
    uint16_t verticalDensity;
    int16_t colorDepth;
    SusieHandle textInformation;
};
#pragma pack(pop)

// Low three bits of GetPicture's flags: zero names a file, anything else a
// memory image.
constexpr uint32_t kSusieInputMask = 7;

using GetPluginInfoFunction = int32_t(SUSIE_API*)(int32_t infoNumber, char* buffer, int32_t length);
using IsSupportedFunction = int32_t(SUSIE_API*)(const char* fileName, SusieWord second);
using GetPictureInfoFunction = int32_t(SUSIE_API*)(const char* source, int32_t length, uint32_t flags,
                                                   SusiePictureInfo* info);
using GetPictureFunction = int32_t(SUSIE_API*)(const char* source, int32_t length, uint32_t flags,
                                               SusieHandle* header, SusieHandle* pixels,
                                               SusieProgress progress, int32_t datum);
using ConfigurationDlgFunction = int32_t(SUSIE_API*)(SusieWindow parent, int32_t function);

// The six exports of a loaded plug-in, as a host holds them.
struct SusieExports {
    GetPluginInfoFunction GetPluginInfo = nullptr;
    IsSupportedFunction IsSupported = nullptr;
    GetPictureInfoFunction GetPictureInfo = nullptr;
    GetPictureFunction GetPicture = nullptr;
    GetPictureFunction GetPreview = nullptr;
    ConfigurationDlgFunction ConfigurationDlg = nullptr;

    // The identity text of an info number, as GetPluginInfo gives it.
    std::string Info(int32_t number) const {
        char buffer[256] = {};
        const int32_t length = GetPluginInfo(number, buffer, sizeof buffer);
        return std::string(buffer, size_t(length > 0 ? length : 0));
    }

    // Looks each export up with `find(name)` (the platform's symbol lookup,
    // returning an address or null); false when any is missing, and then
    // `missing` names the first.
    template <typename Find>
    bool Bind(Find find, const char** missing = nullptr) {
        bool complete = true;
        const auto bind = [&](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(find(name));
            if (!slot && complete && missing) *missing = name;
            complete = complete && slot;
        };
        bind(GetPluginInfo, "GetPluginInfo");
        bind(IsSupported, "IsSupported");
        bind(GetPictureInfo, "GetPictureInfo");
        bind(GetPicture, "GetPicture");
        bind(GetPreview, "GetPreview");
        bind(ConfigurationDlg, "ConfigurationDlg");
        return complete;
    }
};
