// A file's bytes for the readers, mapped rather than copied.
#pragma once

#include <cstdint>
#include <vector>

#include "readers/common/byte_input.h"

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped; an empty file maps to
    // an empty span.
    bool Open(const char* path);
    void Close();
    ByteSpan Bytes() const { return {static_cast<const uint8_t*>(view_), size_}; }

private:
    void* view_ = nullptr;
    size_t size_ = 0;
};

// Drops the whole pages inside `passed`, part of a mapping, from memory.
void ForgetMappedBytes(ByteSpan passed);

// Reads the first `count` bytes of a file, or fewer at its end; in text mode
// the count is of characters after C text mode's CR LF folding. False when
// the file cannot be opened.
bool ReadFileHead(const char* path, int32_t count, bool textMode, std::vector<uint8_t>& head);
