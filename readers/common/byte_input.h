// Bounded reading of an input's bytes, shared by every reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

using ByteSpan = std::span<const uint8_t>;

inline uint16_t LoadLe16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline uint64_t LoadLe64(const uint8_t* p) { return LoadLe32(p) | uint64_t(LoadLe32(p + 4)) << 32; }
inline uint16_t LoadBe16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
inline uint32_t LoadBe32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
inline uint64_t LoadBe64(const uint8_t* p) { return uint64_t(LoadBe32(p)) << 32 | LoadBe32(p + 4); }

inline float FloatFromBits(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline double DoubleFromBits(uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline float LoadLeFloat(const uint8_t* p) { return FloatFromBits(LoadLe32(p)); }
inline float LoadBeFloat(const uint8_t* p) { return FloatFromBits(LoadBe32(p)); }

// A read position over a span that never moves past its end: a read that
// does not fit fails and leaves the position where it was.
class ByteCursor {
public:
    explicit ByteCursor(ByteSpan bytes, size_t position = 0) : bytes_(bytes), position_(position) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    ByteSpan Bytes() const { return bytes_; }
    const uint8_t* Here() const { return bytes_.data() + position_; }

    bool Skip(size_t count) {
        if (count > Remaining()) return false;
        position_ += count;
        return true;
    }
    bool Seek(size_t position) {
        if (position > bytes_.size()) return false;
        position_ = position;
        return true;
    }
    bool Take(size_t count, ByteSpan& out) {
        if (count > Remaining()) return false;
        out = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }
    bool ReadU8(uint8_t& out) { return Read(1, [&](const uint8_t* p) { out = *p; }); }
    bool ReadLe16(uint16_t& out) { return Read(2, [&](const uint8_t* p) { out = LoadLe16(p); }); }
    bool ReadLe32(uint32_t& out) { return Read(4, [&](const uint8_t* p) { out = LoadLe32(p); }); }
    bool ReadBe16(uint16_t& out) { return Read(2, [&](const uint8_t* p) { out = LoadBe16(p); }); }
    bool ReadBe32(uint32_t& out) { return Read(4, [&](const uint8_t* p) { out = LoadBe32(p); }); }
    bool ReadLeFloat(float& out) { return Read(4, [&](const uint8_t* p) { out = LoadLeFloat(p); }); }
    bool ReadBeFloat(float& out) { return Read(4, [&](const uint8_t* p) { out = LoadBeFloat(p); }); }

private:
    template <typename Load>
    bool Read(size_t count, Load load) {
        if (count > Remaining()) return false;
        load(bytes_.data() + position_);
        position_ += count;
        return true;
    }

    ByteSpan bytes_;
    size_t position_;
};
