#include "readers/x/x_header.h"

#include <string_view>

namespace {

std::string_view Field(ByteSpan bytes, size_t offset) {
    return {reinterpret_cast<const char*>(bytes.data()) + offset, 4};
}

}  // namespace

bool ParseXHeader(ByteSpan bytes, XHeader& header) {
    if (bytes.size() < kXHeaderBytes || Field(bytes, 0) != "xof ") return false;
    // The version (bytes 4 to 7) differs between exporters and changes nothing here.
    const std::string_view encoding = Field(bytes, 8);
    if (encoding == "txt " || encoding == "tzip") {
        header.binary = false;
    } else if (encoding == "bin " || encoding == "bzip") {
        header.binary = true;
    } else {
        return false;
    }
    header.compressed = encoding == "tzip" || encoding == "bzip";
    const std::string_view floatSize = Field(bytes, 12);
    if (floatSize != "0032" && floatSize != "0064") return false;
    header.doubleFloats = floatSize == "0064";
    return true;
}
