#include <cstdlib>
#include <vector>

#include "readers/ply/ply_reader.h"

// Every corner the reader keeps is below the declared vertex count, and so
// inside the vertex list whenever a vertex was read at all (a vertex element
// without "z" appends none, and the frame then refuses the model).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that ASan sees a read past the image.
    std::vector<uint8_t> image(data, data + size);
    InputSource input;
    input.bytes = image;
    ModelGeometry model;
    if (ReadPlyModel(input, model) == 0 && !model.vertices.empty()) {
        for (const FaceRecord& face : model.faces) {
            if (face.vertexCount < 0 || size_t(face.firstIndex) + size_t(face.vertexCount) > model.indexPool.size()) std::abort();
            for (int32_t index : model.Corners(face)) {
                if (index < 0 || index >= model.VertexCount()) std::abort();
            }
        }
    }
    // Recognition sees at most the host's 2000-byte head.
    std::vector<uint8_t> head(data, data + std::min<size_t>(size, 2000));
    RecognizePly({head, false});
    return 0;
}
