// Sequential reads over an LWO input. File and memory forms differ in one
// place only: a skip past the end succeeds in a file (as a seek does) and
// fails in a memory image. Positions are 64-bit and only move forward, so
// no chunk size can wrap them round into an endless walk.
#pragma once

#include <algorithm>
#include <cstdint>

#include "readers/common/reader_input.h"

class LwoBlockReader {
public:
    explicit LwoBlockReader(const InputSource& input) : bytes_(input.bytes), fromFile_(input.fromFile) {}

    // The next `count` bytes, or null when the input holds fewer; a short
    // read leaves nothing readable after it.
    const uint8_t* ReadBlock(uint64_t count) {
        if (count <= Remaining()) {
            const uint8_t* block = bytes_.data() + position_;
            position_ += count;
            return block;
        }
        // A short read in a file stops at its end; memory moves on regardless.
        position_ = fromFile_ ? std::max<uint64_t>(position_, bytes_.size()) : position_ + count;
        return nullptr;
    }

    // A chunk's data as far as the input holds it: a chunk cut short by the
    // end of the input still yields its complete records, and nothing is
    // readable after it.
    ByteSpan ReadUpTo(uint64_t count) {
        const uint64_t available = std::min(count, Remaining());
        const ByteSpan data = bytes_.subspan(size_t(std::min<uint64_t>(position_, bytes_.size())), size_t(available));
        ReadBlock(count);
        return data;
    }

    bool ReadBe32(uint32_t& value) {
        const uint8_t* block = ReadBlock(4);
        if (block) value = LoadBe32(block);
        return block != nullptr;
    }

    bool SkipBytes(uint64_t count) {
        position_ += count;
        return fromFile_ || position_ <= bytes_.size();
    }

private:
    uint64_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }

    ByteSpan bytes_;
    bool fromFile_;
    uint64_t position_ = 0;
};
