// The Susie 32-bit import plug-in interface ("00IN"), as seen by both sides:
// the plug-ins export these six functions, hosts call them.
#pragma once

#include <cstdint>

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
