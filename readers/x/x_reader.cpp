#include "readers/x/x_reader.h"

#include <cstring>
#include <vector>

#include "readers/common/text_input.h"
#include "readers/x/mszip.h"
#include "readers/x/x_header.h"
#include "readers/x/x_parser.h"

namespace {

constexpr int32_t kUnreadable = 1;

}  // namespace

bool RecognizeX(const RecognitionInput& input) {
    return input.head.size() >= 4 && std::memcmp(input.head.data(), "xof ", 4) == 0;
}

int32_t ReadXModel(const InputSource& input, ModelGeometry& model) {
    XHeader header;
    if (!ParseXHeader(input.bytes, header)) return kUnreadable;
    ByteSpan body = input.bytes.subspan(kXHeaderBytes);
    std::vector<uint8_t> expanded;
    if (header.compressed) {
        if (!ExpandMsZip(body, expanded)) return kUnreadable;
        body = expanded;
    }
    XModelBuilder builder(model);
    const bool parsed = header.binary ? ParseXBinary(body, header.doubleFloats, builder)
                                      : ParseXText(AsText(body), builder);
    if (!parsed) return kUnreadable;
    builder.Finish();
    return 0;
}
