// The chunk walks of the two forms, after the 12-byte form header.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/model/model_geometry.h"
#include "readers/lwo/lwo_block_reader.h"

// 0 on success; 1 when a chunk of an unknown id cannot be skipped.
int32_t ReadLwobChunks(LwoBlockReader& reader, ModelGeometry& model);

// 0 on success; never fails, an incomplete file yields what it holds.
int32_t ReadLwo2Chunks(LwoBlockReader& reader, ModelGeometry& model);

constexpr uint32_t ChunkId(const char (&id)[5]) {
    return uint32_t(uint8_t(id[0])) << 24 | uint32_t(uint8_t(id[1])) << 16 | uint32_t(uint8_t(id[2])) << 8 |
           uint32_t(uint8_t(id[3]));
}

// Room for `extra` more elements, growing geometrically so that a file of
// many small chunks does not reallocate at each one. Callers bound `extra`
// by the bytes at hand, never by a count the file states.
template <typename Vector>
void ReserveMore(Vector& vector, size_t extra) {
    const size_t needed = vector.size() + extra;
    if (needed > vector.capacity()) vector.reserve(std::max(needed, 2 * vector.capacity()));
}

// Points are stored with z pointing away from the viewer.
inline void AppendPoints(ByteSpan data, ModelGeometry& model) {
    const size_t count = data.size() / 12;
    ReserveMore(model.vertices, count);
    for (const uint8_t* p = data.data(); p != data.data() + count * 12; p += 12) {
        AppendVertex(model, {LoadBeFloat(p), LoadBeFloat(p + 4), -LoadBeFloat(p + 8)});
    }
}
