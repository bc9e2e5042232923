#include <algorithm>
#include <vector>

#include "readers/ply/ply_reader.h"
#include "tests/fuzz/fuzz_support.h"

// Every corner the reader keeps is below the declared vertex count, and so
// inside the vertex list whenever a vertex was read at all (a vertex element
// without "z" appends none, and the frame then refuses the model).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ReadPlyModel, data, size, {.cornersInside = true});
    // Recognition sees at most the host's 2000-byte head.
    std::vector<uint8_t> head(data, data + std::min<size_t>(size, 2000));
    RecognizePly({head, false});
    return 0;
}
