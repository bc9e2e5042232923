// The six functions a Susie host calls. Every path returns a result code:
// nothing may throw into the host or end its process.
#include <cstring>

#include "core/frame/file_bytes.h"
#include "core/frame/format_plugin.h"
#include "core/frame/identity.h"
#include "core/frame/plugin_state.h"
#include "core/frame/recognition.h"
#include "core/frame/susie_api.h"
#include "core/render/render_picture.h"
#include "core/settings/config_dialog.h"
#include "core/settings/settings_store.h"

#ifdef _WIN32
#define PRISMO_EXPORT extern "C"  // exported undecorated through the .def file
#else
#define PRISMO_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr int32_t kNotReadable = 2;
constexpr int32_t kNoMemory = 3;

void StoreSlots(SusieHandle* headerSlot, SusieHandle* pixelSlot, PictureBlocks blocks) {
    if (headerSlot) *headerSlot = blocks.header;
    if (pixelSlot) *pixelSlot = blocks.pixels;
}

// Reads the input into the model; 0, or the plug-in's failure result.
int32_t ReadInput(const FormatPlugin& plugin, const InputSource& input, ModelGeometry& model) {
    try {
        return plugin.ReadModel(input, model) == 0 ? 0 : plugin.readFailureResult;
    } catch (...) {  // out of memory on a model too large for the process
        return plugin.readFailureResult;
    }
}

int32_t RunPictureRequest(const char* source, int32_t length, uint32_t flags, SusieHandle* headerSlot,
                          SusieHandle* pixelSlot) {
    const FormatPlugin& plugin = ThisPlugin();
    PluginState& state = Plugin();
    InputSource input;
    MappedFile mapped;
    if ((flags & kSusieInputMask) == 0) {
        input.fromFile = true;
        input.path = source;
        if (!source) return plugin.openFailureResult;
        if (!plugin.readsFileByPath) {
            if (!mapped.Open(source)) return plugin.openFailureResult;
            input.bytes = mapped.Bytes();
            input.forgetBytes = ForgetMappedBytes;
        }
    } else if (source && length > 0) {
        input.bytes = ByteSpan(reinterpret_cast<const uint8_t*>(source), size_t(length));
    }

    ClearModel(state.model);
    const int32_t readResult = ReadInput(plugin, input, state.model);
    mapped.Close();
    if (readResult != 0) {
        ClearModel(state.model);
        if (!plugin.keepsSlotsOnReadFailure) StoreSlots(headerSlot, pixelSlot, {});
        return readResult;
    }
    // No reader can make the renderer read outside the vertex list.
    DropFacesOutsideVertices(state.model);
    if (state.model.vertices.empty() || state.model.faces.empty()) {
        ClearModel(state.model);
        StoreSlots(headerSlot, pixelSlot, {});
        return kNotReadable;
    }

    ReadSharedFlag(state.settings, plugin.pluginName);
    LoadSettings(state.settings, plugin.pluginName);
    PictureBlocks blocks;
    int32_t result;
    try {
        result = RenderPicture(state.model, state.settings, blocks);
    } catch (...) {
        result = kNoMemory;
    }
    ClearModel(state.model);
    if (result != 0) {
        StoreSlots(headerSlot, pixelSlot, {});
        return result;
    }
    if (!headerSlot || !pixelSlot) {  // nowhere to hand the picture: keep nothing
        FreeBlock(blocks.header);
        FreeBlock(blocks.pixels);
        return 0;
    }
    StoreSlots(headerSlot, pixelSlot, blocks);
    return 0;
}

}  // namespace

PRISMO_EXPORT int32_t SUSIE_API GetPluginInfo(int32_t infoNumber, char* buffer, int32_t length) {
    if (uint32_t(infoNumber) > 3 || !buffer || length < 1) return 0;
    const FormatPlugin& plugin = ThisPlugin();
    const PluginIdentity* identity = FindIdentity(plugin.pluginName);
    if (!identity) return 0;
    std::strncpy(buffer, identity->info[infoNumber], size_t(length));
    if (infoNumber == 0) {
        char* recorded = Plugin().pluginName;
        std::strncpy(recorded, plugin.pluginName, kPluginNameBytes - 1);
        recorded[kPluginNameBytes - 1] = '\0';
    }
    buffer[length - 1] = '\0';
    return int32_t(std::strlen(buffer));
}

PRISMO_EXPORT int32_t SUSIE_API IsSupported(const char* fileName, SusieWord second) {
    try {
        return RecognizeInput(ThisPlugin(), fileName, second) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

PRISMO_EXPORT int32_t SUSIE_API GetPictureInfo(const char*, int32_t, uint32_t, SusiePictureInfo* info) {
    if (!info) return 0;
    const RenderSettings& settings = Plugin().settings;
    info->left = 0;
    info->top = 0;
    info->width = settings.width;
    info->height = settings.height;
    info->horizontalDensity = 0;
    info->verticalDensity = 0;
    info->colorDepth = 24;
    info->textInformation = nullptr;
    return 0;
}

PRISMO_EXPORT int32_t SUSIE_API GetPicture(const char* source, int32_t length, uint32_t flags,
                                           SusieHandle* headerSlot, SusieHandle* pixelSlot,
                                           SusieProgress, int32_t) {
    return RunPictureRequest(source, length, flags, headerSlot, pixelSlot);
}

PRISMO_EXPORT int32_t SUSIE_API GetPreview(const char*, int32_t, uint32_t, SusieHandle*, SusieHandle*,
                                           SusieProgress, int32_t) {
    return -1;
}

PRISMO_EXPORT int32_t SUSIE_API ConfigurationDlg(SusieWindow parent, int32_t function) {
    if (function != 1) return -1;
    return RunConfigurationDialog(parent);
}
