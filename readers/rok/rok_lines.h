// The lines of a .rok file: ended by CR or LF (each alone), at most 127
// characters kept; file and memory image read alike.
#pragma once

#include <string_view>

#include "readers/common/byte_input.h"

class RokLineReader {
public:
    explicit RokLineReader(ByteSpan bytes)
        : text_(reinterpret_cast<const char*>(bytes.data())), size_(bytes.size()) {}

    // False at the end of the input. Characters of a line beyond the 127th
    // are passed over with it.
    bool Next(std::string_view& line);

private:
    const char* text_;
    size_t size_;
    size_t position_ = 0;
};
