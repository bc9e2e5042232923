#include <cstdlib>

#include "readers/dxf/dxf_reader.h"
#include "tests/fuzz/fuzz_support.h"

// Beyond what the frame relies on: this reader itself never makes a face
// that names a vertex outside the list.
static void CheckCornersInside(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    InputSource input;
    input.bytes = image;
    input.fromFile = size % 2 == 1;  // both forms
    ModelGeometry model;
    ReadDxfModel(input, model);
    for (int32_t corner : model.indexPool) {
        if (corner < 0 || corner >= model.VertexCount()) std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadDxfModel, data, size);
    CheckCornersInside(data, size);
    return 0;
}
