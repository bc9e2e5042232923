#include "readers/x/x_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadXModel, data, size);
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeX(head);
    return 0;
}
