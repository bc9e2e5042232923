#include "core/frame/identity.h"

#include <cstring>

namespace {

// prismohexa's format name is code page 932: 六角大王 as four double-byte kanji.
const PluginIdentity kIdentities[] = {
    {"prismodirect", {"00IN", "prismodirect 0.98 3D model import filter", "*.x", "Microsoft X format"}},
    {"prismowave", {"00IN", "prismowave v0.98 3D model import filter", "*.lwo", "LightWave3D  LWOB/LWO2 format"}},
    {"prismocad", {"00IN", "prismocad v0.98 3D model import filter", "*.dxf", "3d DXF format"}},
    {"prismoscan", {"00IN", "prismoscan v0.99 3D model import filter", "*.ply", "Stanford Univ. polygon format"}},
    {"prismohexa", {"00IN", "prismohexa v0.98 3D model import filter", "*.rok", "\x98\x5A\x8A\x70\x91\xE5\x89\xA4 rok format"}},
    {"prismoseq", {"00IN", "prismoseq v0.98 3D model import filter", "*.mqo", "Metasequoia MQO format"}},
    {"prismostudio", {"00IN", "prismostudio v0.98 3D model import filter", "*.3ds", "3D StudioMAX 3ds format"}},
    {"prismofront", {"00IN", "prismofront v0.98 3D model import filter", "*.obj", "Wavefront obj format"}},
};

}  // namespace

const PluginIdentity* FindIdentity(const char* pluginName) {
    for (const PluginIdentity& identity : kIdentities) {
        if (std::strcmp(identity.pluginName, pluginName) == 0) return &identity;
    }
    return nullptr;
}
