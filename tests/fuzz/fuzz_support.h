// Runs a reader on the fuzzer's bytes as a memory image, then checks what
// the frame relies on of any model a reader leaves behind.
#pragma once

#include <cstdlib>
#include <vector>

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

inline void FuzzReader(int32_t (*read)(const InputSource&, ModelGeometry&), const uint8_t* data, size_t size) {
    // An exact-size copy, so that ASan sees a read past the image.
    std::vector<uint8_t> image(data, data + size);
    InputSource input;
    input.bytes = image;
    ModelGeometry model;
    read(input, model);
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 0 || size_t(face.firstIndex) + size_t(face.vertexCount) > model.indexPool.size()) std::abort();
        if (face.materialIndex >= 0 && face.colorSlot >= model.colorTable.size()) std::abort();
    }
}
