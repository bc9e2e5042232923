#include "readers/ply/ply_input.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

bool IsSeparator(uint8_t c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

constexpr size_t kFileBufferBytes = size_t(1) << 20;

}  // namespace

PlyInput::PlyInput(std::FILE* file, const uint8_t* image, size_t imageBytes)
    : file_(file), image_(image), imageRemaining_(image ? imageBytes : 0) {
    if (!file_) return;
    // Without the buffer the stream keeps its default one; reading still works.
    fileBuffer_.reset(new (std::nothrow) char[kFileBufferBytes]);
    if (fileBuffer_) std::setvbuf(file_, fileBuffer_.get(), _IOFBF, kFileBufferBytes);
}

PlyInput::~PlyInput() {
    if (file_) std::fclose(file_);
}

size_t PlyInput::ReadRaw(uint8_t* destination, size_t count) {
    if (file_) return std::fread(destination, 1, count, file_);
    const size_t taken = std::min(count, imageRemaining_);
    if (taken == 0) return 0;
    std::memcpy(destination, image_, taken);
    image_ += taken;
    imageRemaining_ -= taken;
    return taken;
}

bool PlyInput::Refill(size_t keepFrom) {
    const size_t kept = valid_ - keepFrom;
    std::memmove(buffer_, buffer_ + keepFrom, kept);
    position_ -= keepFrom;
    valid_ = kept;
    // One byte stays free for the zero that ends a token.
    const size_t added = ReadRaw(buffer_ + valid_, kBufferBytes - 1 - valid_);
    valid_ += added;
    return added > 0;
}

PlyTokenResult PlyInput::ReadWord(std::string_view& word, char& separator) {
    for (;;) {
        while (position_ < valid_ && IsSeparator(buffer_[position_])) ++position_;
        if (position_ < valid_) break;
        if (!Refill(position_)) return PlyTokenResult::kEndOfFile;
    }
    size_t start = position_;
    size_t end = start;
    for (;;) {
        while (end < valid_ && !IsSeparator(buffer_[end])) ++end;
        if (end < valid_) break;
        if (end - start >= kTokenLimit) return PlyTokenResult::kTooLarge;
        const size_t length = end - start;
        if (!Refill(start)) return PlyTokenResult::kEndOfFile;
        start = 0;
        end = length;
    }
    separator = char(buffer_[end]);
    buffer_[end] = 0;
    position_ = end + 1;
    word = {reinterpret_cast<const char*>(buffer_ + start), end - start};
    return PlyTokenResult::kOk;
}

bool PlyInput::SkipIf(uint8_t byte) {
    if (position_ == valid_ && !Refill(position_)) return false;
    if (buffer_[position_] != byte) return false;
    ++position_;
    return true;
}

PlyTokenResult PlyInput::ReadLine(std::string_view& line) {
    size_t start = position_;
    size_t end = start;
    for (;;) {
        const void* lineFeed = std::memchr(buffer_ + end, '\n', valid_ - end);
        if (lineFeed) {
            end = size_t(static_cast<const uint8_t*>(lineFeed) - buffer_);
            break;
        }
        end = valid_;
        if (end - start >= kTokenLimit) return PlyTokenResult::kTooLarge;
        const size_t length = end - start;
        if (!Refill(start)) return PlyTokenResult::kEndOfFile;
        start = 0;
        end = length;
    }
    buffer_[end] = 0;
    position_ = end + 1;
    line = {reinterpret_cast<const char*>(buffer_ + start), end - start};
    return PlyTokenResult::kOk;
}

const uint8_t* PlyInput::TakeAfterRefill(size_t count) {
    while (valid_ - position_ < count) {
        if (!Refill(position_)) return nullptr;
    }
    const uint8_t* bytes = buffer_ + position_;
    position_ += count;
    return bytes;
}
