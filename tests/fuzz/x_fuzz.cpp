#include "readers/x/x_reader.h"
#include "tests/fuzz/fuzz_support.h"

// The reader itself keeps every corner inside its mesh's vertices.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadXModel, data, size, {.cornersInside = true});
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeX(head);
    return 0;
}
