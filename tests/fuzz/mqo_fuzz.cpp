#include "readers/mqo/mqo_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadMqoModel, data, size);
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeMqo(head);
    return 0;
}
