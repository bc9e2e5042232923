#include "readers/lwo/lwo_reader.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadLwoModel, data, size);
    std::vector<uint8_t> head(data, data + std::min<size_t>(size, 16));
    RecognizeLwo({head, false});
    return 0;
}
