// Builds small .x inputs for the tests: text, binary token streams and their
// MSZIP-compressed forms.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "readers/x/x_reader.h"
#include "tests/support/test_support.h"

inline std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

inline std::vector<uint8_t> XText(std::string_view body) {
    return Bytes(std::string("xof 0303txt 0032\n").append(body));
}

// The binary token stream, token by token.
class XBinaryWriter {
public:
    explicit XBinaryWriter(bool doubleFloats = false) : doubleFloats_(doubleFloats) {
        const char* header = doubleFloats ? "xof 0303bin 0064" : "xof 0303bin 0032";
        bytes_.assign(header, header + 16);
    }
    XBinaryWriter& Token(uint16_t code) {
        Put16(code);
        return *this;
    }
    XBinaryWriter& Name(std::string_view name) {
        Put16(1);
        Put32(uint32_t(name.size()));
        bytes_.insert(bytes_.end(), name.begin(), name.end());
        return *this;
    }
    XBinaryWriter& Open() { return Token(10); }
    XBinaryWriter& Close() { return Token(11); }
    XBinaryWriter& Integers(std::vector<uint32_t> values) {
        Put16(6);
        Put32(uint32_t(values.size()));
        for (uint32_t v : values) Put32(v);
        return *this;
    }
    XBinaryWriter& Floats(std::vector<double> values) {
        Put16(7);
        Put32(uint32_t(values.size()));
        for (double v : values) {
            if (doubleFloats_) {
                uint64_t bits;
                std::memcpy(&bits, &v, 8);
                Put32(uint32_t(bits));
                Put32(uint32_t(bits >> 32));
            } else {
                const float f = float(v);
                uint32_t bits;
                std::memcpy(&bits, &f, 4);
                Put32(bits);
            }
        }
        return *this;
    }
    XBinaryWriter& Raw(std::vector<uint8_t> raw) {
        bytes_.insert(bytes_.end(), raw.begin(), raw.end());
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    void Put16(uint16_t v) {
        bytes_.push_back(uint8_t(v));
        bytes_.push_back(uint8_t(v >> 8));
    }
    void Put32(uint32_t v) {
        Put16(uint16_t(v));
        Put16(uint16_t(v >> 16));
    }
    bool doubleFloats_;
    std::vector<uint8_t> bytes_;
};

// The compressed form of an uncompressed .x file: its header with "tzip" or
// "bzip", the stated size (the whole uncompressed file, as writers count it)
// and blocks of at most `blockBytes`, each deflated with the output before it
// as dictionary.
inline std::vector<uint8_t> CompressX(const std::vector<uint8_t>& file, size_t blockBytes = 32768) {
    std::vector<uint8_t> out(file.begin(), file.begin() + 16);
    std::memcpy(out.data() + 8, file[8] == 'b' ? "bzip" : "tzip", 4);
    const uint32_t total = uint32_t(file.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(total >> shift));
    for (size_t start = 16; start < file.size(); start += blockBytes) {
        const size_t size = std::min(blockBytes, file.size() - start);
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        const size_t dictionary = std::min<size_t>(start - 16, 32768);
        if (dictionary > 0) deflateSetDictionary(&stream, file.data() + start - dictionary, uInt(dictionary));
        std::vector<uint8_t> packed(deflateBound(&stream, uLong(size)) + 2);
        packed[0] = 'C';
        packed[1] = 'K';
        stream.next_in = const_cast<Bytef*>(file.data() + start);
        stream.avail_in = uInt(size);
        stream.next_out = packed.data() + 2;
        stream.avail_out = uInt(packed.size() - 2);
        deflate(&stream, Z_FINISH);
        packed.resize(packed.size() - stream.avail_out);
        deflateEnd(&stream);
        for (uint32_t v : {uint32_t(size), uint32_t(packed.size())}) {
            out.push_back(uint8_t(v));
            out.push_back(uint8_t(v >> 8));
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

inline ReadOutcome ReadX(const std::vector<uint8_t>& bytes) { return ReadAsMemory(ReadXModel, bytes); }
