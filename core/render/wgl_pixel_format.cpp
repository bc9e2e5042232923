#include "core/render/wgl_pixel_format.h"

#include <vector>

bool SetupPixelFormat(HDC deviceContext, DWORD flags, BYTE colorBits) {
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = flags;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = colorBits;
    descriptor.cDepthBits = 32;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(deviceContext, &descriptor);
    if (format == 0) return false;
    return SetPixelFormat(deviceContext, format, &descriptor) == TRUE;
}

HPALETTE SetupPalette(HDC deviceContext) {
    PIXELFORMATDESCRIPTOR descriptor = {};
    const int format = GetPixelFormat(deviceContext);
    if (format == 0 || !DescribePixelFormat(deviceContext, format, sizeof descriptor, &descriptor)) {
        return nullptr;
    }
    if (!(descriptor.dwFlags & PFD_NEED_PALETTE)) return nullptr;
    // Palettes exist only for formats of at most 8 bits.
    if (descriptor.cColorBits > 8) return nullptr;
    const int entries = 1 << descriptor.cColorBits;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(entries);
    const auto channel = [](int i, BYTE shift, BYTE bits) {
        const int mask = (1 << bits) - 1;
        return BYTE(mask ? ((i >> shift) & mask) * 255 / mask : 0);
    };
    for (int i = 0; i < entries; ++i) {
        palette->palPalEntry[i].peRed = channel(i, descriptor.cRedShift, descriptor.cRedBits);
        palette->palPalEntry[i].peGreen = channel(i, descriptor.cGreenShift, descriptor.cGreenBits);
        palette->palPalEntry[i].peBlue = channel(i, descriptor.cBlueShift, descriptor.cBlueBits);
        palette->palPalEntry[i].peFlags = 0;
    }
    HPALETTE handle = CreatePalette(palette);
    if (handle) {
        SelectPalette(deviceContext, handle, FALSE);
        RealizePalette(deviceContext);
    }
    return handle;
}
