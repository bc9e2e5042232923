// The parser's one read-ahead buffer over a file or a memory image: words
// and lines for the header and ASCII bodies, raw bytes for binary bodies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

enum class PlyTokenResult { kOk, kEndOfFile, kTooLarge };

class PlyInput {
public:
    // The text buffer; a token (word or line) must fit it with its
    // terminating zero.
    static constexpr size_t kBufferBytes = 8192;
    static constexpr size_t kTokenLimit = kBufferBytes - 1;

    // Takes ownership of `file` (closed by the destructor), or reads `image`.
    PlyInput(std::FILE* file, const uint8_t* image, size_t imageBytes);
    ~PlyInput();
    PlyInput(const PlyInput&) = delete;
    PlyInput& operator=(const PlyInput&) = delete;

    // Reads up to `count` bytes past the buffer, straight from the source;
    // used for the magic before any buffering starts.
    size_t ReadRaw(uint8_t* destination, size_t count);

    // Skips separators (space, tab, CR, LF), then reads up to the next one,
    // which is consumed; `separator` tells which it was.
    PlyTokenResult ReadWord(std::string_view& word, char& separator);
    // Reads up to the next line feed, which is consumed.
    PlyTokenResult ReadLine(std::string_view& line);

    // Consumes the next byte when it is `byte`.
    bool SkipIf(uint8_t byte);

    // The next `count` bytes (at most 8), or null when the input ends first.
    const uint8_t* Take(size_t count) {
        if (valid_ - position_ >= count) {
            const uint8_t* bytes = buffer_ + position_;
            position_ += count;
            return bytes;
        }
        return TakeAfterRefill(count);
    }

private:
    // Keeps the bytes from `keepFrom` on, moved to the buffer's start, and
    // reads more behind them; false when no byte could be added.
    bool Refill(size_t keepFrom);
    const uint8_t* TakeAfterRefill(size_t count);

    std::FILE* file_;
    // The stream's own buffer: a scan of millions of values is read from the
    // file in a few large reads rather than one per text buffer.
    std::unique_ptr<char[]> fileBuffer_;
    const uint8_t* image_;
    size_t imageRemaining_;
    size_t position_ = 0;
    size_t valid_ = 0;
    uint8_t buffer_[kBufferBytes];
};
