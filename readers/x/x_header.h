// The 16-byte header of a .x file: "xof ", version, encoding, float size.
#pragma once

#include "readers/common/byte_input.h"

constexpr size_t kXHeaderBytes = 16;

struct XHeader {
    bool binary = false;        // "bin " and "bzip"; else "txt " and "tzip"
    bool compressed = false;    // "tzip" and "bzip": an MSZIP body
    bool doubleFloats = false;  // float size "0064": binary float lists hold doubles
};

// False for anything but a complete header of a known encoding and float size.
bool ParseXHeader(ByteSpan bytes, XHeader& header);
