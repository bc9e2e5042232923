// Runs a reader on the fuzzer's bytes as a memory image, then checks what
// the frame relies on of any model a reader leaves behind.
#pragma once

#include <cstdlib>
#include <vector>

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

// What a target asks of its reader beyond what the frame relies on.
struct FuzzChecks {
    bool bothForms = false;      // also read the bytes as a file's bytes
    bool cornersInside = false;  // a successful read with vertices names only read vertices
};

inline void CheckModel(const ModelGeometry& model, int32_t result, FuzzChecks checks) {
    for (const FaceRecord& face : model.faces) {
        if (face.vertexCount < 0 || size_t(face.firstIndex) + size_t(face.vertexCount) > model.indexPool.size()) std::abort();
        if (face.materialIndex >= 0 && face.colorSlot >= model.colorTable.size()) std::abort();
        if (checks.cornersInside && result == 0 && !model.vertices.empty()) {
            for (int32_t corner : model.Corners(face)) {
                if (corner < 0 || corner >= model.VertexCount()) std::abort();
            }
        }
    }
}

inline void FuzzReader(int32_t (*read)(const InputSource&, ModelGeometry&), const uint8_t* data, size_t size,
                       FuzzChecks checks = {}) {
    // An exact-size copy, so that ASan sees a read past the image.
    std::vector<uint8_t> image(data, data + size);
    for (bool fromFile : {false, true}) {
        if (fromFile && !checks.bothForms) break;
        InputSource input;
        input.bytes = image;
        input.fromFile = fromFile;
        ModelGeometry model;
        CheckModel(model, read(input, model), checks);
    }
}
