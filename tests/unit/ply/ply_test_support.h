// Building PLY inputs in tests: headers, binary values in either byte order.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

class PlyBytes {
public:
    explicit PlyBytes(bool bigEndian = false) : bigEndian_(bigEndian) {}
    PlyBytes& Text(const std::string& text) {
        bytes_ += text;
        return *this;
    }
    template <typename T>
    PlyBytes& Value(T value) {
        char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        for (size_t i = 0; i < sizeof(T); ++i) bytes_.push_back(raw[bigEndian_ ? sizeof(T) - 1 - i : i]);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    bool bigEndian_;
    std::string bytes_;
};

inline std::string PlyHeader(const std::string& storage, const std::string& declarations) {
    return "ply\nformat " + storage + " 1.0\n" + declarations + "end_header\n";
}
