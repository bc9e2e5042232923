// Renders the model into the two blocks a host receives: a 44-byte header
// (BITMAPINFOHEADER, 24 bits, bottom-up) and the BGR pixel rows.
#pragma once

#include <cstdint>

#include "core/model/model_geometry.h"
#include "core/render/picture_block.h"
#include "core/settings/render_settings.h"

struct PictureBlocks {
    BlockHandle header = nullptr;
    BlockHandle pixels = nullptr;
};

// The largest side a picture may have; larger sizes read from the settings
// are refused before anything is allocated.
constexpr int32_t kMaxPictureSide = 16384;

constexpr int32_t kPictureHeaderBytes = 44;

inline uint32_t PictureStride(int32_t width) { return (uint32_t(width) * 3 + 3) / 4 * 4; }

// 0 with both blocks made; 3 when the size is unsound, a block cannot be
// allocated or no OpenGL context can be had (nothing is handed out then).
int32_t RenderPicture(ModelGeometry& model, const RenderSettings& settings, PictureBlocks& out);
