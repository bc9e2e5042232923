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
    // Set when `bytes` are a mapped file: lets a reader that goes through
    // them once drop the pages it has passed from memory (they are read
    // again from the file should the reader come back to them).
    void (*forgetBytes)(ByteSpan passed) = nullptr;

    // Forgets the bytes before `position` (a reader calls this now and then).
    void ForgetBefore(size_t position) const {
        if (forgetBytes) forgetBytes(bytes.first(position));
    }
};

// The head that recognition examines: bytes from the host's buffer, or the
// first bytes of the file, read as the plug-in asks.
struct RecognitionInput {
    ByteSpan head;
    bool fromFile = false;
};
