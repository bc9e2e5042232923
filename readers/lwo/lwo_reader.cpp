#include "readers/lwo/lwo_reader.h"

#include <cstring>

#include "readers/lwo/lwo_chunks.h"

bool RecognizeLwo(const RecognitionInput& input) {
    const ByteSpan head = input.head;
    if (head.size() < 12 || std::memcmp(head.data(), "FORM", 4) != 0) return false;
    return std::memcmp(head.data() + 8, "LWOB", 4) == 0 || std::memcmp(head.data() + 8, "LWO2", 4) == 0;
}

int32_t ReadLwoModel(const InputSource& input, ModelGeometry& model) {
    LwoBlockReader reader(input);
    const uint8_t* header = reader.ReadBlock(12);
    if (!header) return 0;
    // Recognition has checked the rest of the header.
    switch (header[11]) {
        case 'B': return ReadLwobChunks(reader, model);
        case '2': return ReadLwo2Chunks(reader, model);
        default: return 0;
    }
}
