#include "readers/rok/rok_reader.h"
#include "tests/fuzz/fuzz_support.h"

// Both input forms; the reader itself never makes a face that names a
// vertex outside the list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadRokModel, data, size, {.bothForms = true, .cornersInside = true});
    RecognitionInput head;
    head.head = ByteSpan(data, size);
    RecognizeRok(head);
    return 0;
}
