#include <cstdlib>

#include "readers/x/x_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadXModel, data, size);
    // The reader itself keeps every corner inside its mesh's vertices.
    std::vector<uint8_t> image(data, data + size);
    InputSource input;
    input.bytes = image;
    ModelGeometry model;
    if (ReadXModel(input, model) == 0) {
        for (int32_t corner : model.indexPool) {
            if (corner < 0 || corner >= model.VertexCount()) std::abort();
        }
    }
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeX(head);
    return 0;
}
