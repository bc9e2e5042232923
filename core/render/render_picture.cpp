#include "core/render/render_picture.h"

#include <cstring>

#include "core/render/draw_model.h"
#include "core/render/offscreen_surface.h"

namespace {

void WriteLe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(value >> (8 * i));
}

void WriteHeader(uint8_t* header, int32_t width, int32_t height) {
    std::memset(header, 0, kPictureHeaderBytes);
    WriteLe32(header + 0, 40);              // biSize
    WriteLe32(header + 4, uint32_t(width));
    WriteLe32(header + 8, uint32_t(height));  // positive: bottom-up rows
    header[12] = 1;                          // biPlanes
    header[14] = 24;                         // biBitCount
}

void ConvertToBgr(const uint8_t* bgra, uint8_t* bgr, int32_t width, int32_t height) {
    const uint32_t stride = PictureStride(width);
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* from = bgra + size_t(row) * size_t(width) * 4;
        uint8_t* to = bgr + size_t(row) * stride;
        for (int32_t x = 0; x < width; ++x, from += 4, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

}  // namespace

int32_t RenderPicture(ModelGeometry& model, const RenderSettings& settings, PictureBlocks& out) {
    const int32_t width = settings.width, height = settings.height;
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return 3;

    BlockHandle header = AllocBlock(kPictureHeaderBytes, false);
    if (!header) return 3;
    WriteHeader(static_cast<uint8_t*>(LockBlock(header)), width, height);
    UnlockBlock(header);

    const size_t pixelBytes = size_t(PictureStride(width)) * size_t(height);
    BlockHandle pixels = AllocBlock(pixelBytes, true);
    if (!pixels) {
        FreeBlock(header);
        return 3;
    }

    bool drawn = false;
    {
        OffscreenSurface surface;
        if (surface.Create(width, height)) {
            DrawModel(model, settings, settings.viewMatrix);
            ConvertToBgr(surface.FinishedPixels(), static_cast<uint8_t*>(LockBlock(pixels)), width, height);
            UnlockBlock(pixels);
            drawn = true;
        }
    }
    if (!drawn) {
        FreeBlock(pixels);
        FreeBlock(header);
        return 3;
    }
    out = {header, pixels};
    return 0;
}
