#include "readers/obj/obj_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadObjModel, data, size);
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeObj(head);
    return 0;
}
