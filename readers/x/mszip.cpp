#include "readers/x/mszip.h"

#include <zlib.h>

#include <algorithm>

#include "readers/x/x_header.h"

namespace {

constexpr size_t kWindowBytes = 32768;
// Room reserved up front per packed byte: text .x files expand about tenfold;
// anything beyond grows as it comes, so a lying stated size reserves nothing big.
constexpr size_t kExpectedRatio = 16;
// More than a 32-bit host could hold beside the model read from it.
constexpr size_t kMaxExpandedBytes = size_t(512) << 20;

class RawInflater {
public:
    RawInflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~RawInflater() {
        if (ready_) inflateEnd(&stream_);
    }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Appends exactly `size` bytes expanded from one complete deflate stream.
    bool ExpandBlock(ByteSpan packed, size_t size, std::vector<uint8_t>& out) {
        if (!ready_ || inflateReset(&stream_) != Z_OK) return false;
        const size_t dictionary = std::min(out.size(), kWindowBytes);
        if (dictionary > 0 &&
            inflateSetDictionary(&stream_, out.data() + out.size() - dictionary, uInt(dictionary)) != Z_OK) {
            return false;
        }
        const size_t start = out.size();
        out.resize(start + size);
        stream_.next_in = const_cast<Bytef*>(packed.data());
        stream_.avail_in = uInt(packed.size());
        stream_.next_out = out.data() + start;
        stream_.avail_out = uInt(size);
        const int status = inflate(&stream_, Z_FINISH);
        return status == Z_STREAM_END && stream_.avail_out == 0;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

}  // namespace

bool ExpandMsZip(ByteSpan body, std::vector<uint8_t>& out) {
    out.clear();
    ByteCursor cursor(body);
    uint32_t statedSize = 0;
    if (!cursor.ReadLe32(statedSize)) return false;
    // Writers count the file header in the stated size; accept either reading.
    const size_t withoutHeader = statedSize >= kXHeaderBytes ? statedSize - kXHeaderBytes : statedSize;
    if (statedSize > kMaxExpandedBytes) return false;
    out.reserve(std::min<size_t>(statedSize, cursor.Remaining() * kExpectedRatio));
    RawInflater inflater;
    while (!cursor.AtEnd()) {
        uint16_t blockSize = 0, packedSize = 0;
        ByteSpan packed;
        if (!cursor.ReadLe16(blockSize) || !cursor.ReadLe16(packedSize) || !cursor.Take(packedSize, packed)) {
            return false;
        }
        if (packed.size() < 2 || packed[0] != 'C' || packed[1] != 'K') return false;
        if (out.size() + blockSize > statedSize) return false;
        if (!inflater.ExpandBlock(packed.subspan(2), blockSize, out)) return false;
    }
    return out.size() == withoutHeader || out.size() == statedSize;
}
