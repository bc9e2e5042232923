// What a reader is given: the input of a picture request, or the head of a
// file for recognition.
#pragma once

#include "readers/common/byte_input.h"

// In file mode `bytes` holds the whole file, unless the plug-in reads the
// file by `path` itself; `fromFile` tells the two forms apart where a format
// defines them to read differently (a last line without a line end, say).
struct InputSource {
    const char* path = nullptr;  // the file's path in file mode, else null
    ByteSpan bytes;
    bool fromFile = false;
};

// The head that recognition examines: bytes from the host's buffer, or the
// first bytes of the file, read as the plug-in asks.
struct RecognitionInput {
    ByteSpan head;
    bool fromFile = false;
};
