// Lines of a byte input read the way C's fgets reads a stream opened "rb"
// into a fixed buffer: a line longer than the buffer arrives in pieces.
#pragma once

#include <cstring>
#include <string_view>

#include "readers/common/byte_input.h"

class LinePieceReader {
public:
    // `maxChars`: the buffer's size less its terminating zero.
    // `lastLineNeedsEnd`: a final line without a line feed is not returned
    // (how a memory image is read), rather than returned like any other.
    LinePieceReader(ByteSpan bytes, size_t maxChars, bool lastLineNeedsEnd)
        : bytes_(bytes), maxChars_(maxChars > 0 ? maxChars : 1), lastLineNeedsEnd_(lastLineNeedsEnd) {}

    // The next piece: at most maxChars bytes, ending after its line feed when
    // that fits (the line feed is kept). False at the end of the input.
    bool Next(std::string_view& piece) {
        if (position_ >= bytes_.size()) return false;
        if (position_ >= lineEnd_) FindLineEnd();
        if (lineEnd_ == bytes_.size() && lastLineNeedsEnd_) return false;
        const size_t available = lineEnd_ - position_ + (lineEnd_ < bytes_.size() ? 1 : 0);
        const size_t length = available < maxChars_ ? available : maxChars_;
        piece = {reinterpret_cast<const char*>(bytes_.data()) + position_, length};
        position_ += length;
        return true;
    }

    // Where the next piece, or raw data read between lines, starts.
    size_t Position() const { return position_; }
    void SetPosition(size_t position) {
        position_ = position < bytes_.size() ? position : bytes_.size();
        lineEnd_ = 0;
    }

private:
    // The line feed that ends the current line, or the input's end. Kept, so
    // that a long line split into many pieces is searched once.
    void FindLineEnd() {
        const void* found = std::memchr(bytes_.data() + position_, '\n', bytes_.size() - position_);
        lineEnd_ = found ? size_t(static_cast<const uint8_t*>(found) - bytes_.data()) : bytes_.size();
    }

    ByteSpan bytes_;
    size_t maxChars_;
    bool lastLineNeedsEnd_;
    size_t position_ = 0;
    size_t lineEnd_ = 0;
};
