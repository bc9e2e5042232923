#include "readers/3ds/studio_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(Read3dsModel, data, size);
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    Recognize3ds(head);
    return 0;
}
