// Builds small LightWave files byte by byte, big-endian as the format is.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

inline std::string Be16(uint32_t value) { return {char(value >> 8), char(value)}; }
inline std::string Be32(uint32_t value) { return Be16(value >> 16) + Be16(value & 0xFFFF); }
inline std::string BeFloat(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return Be32(bits);
}
inline std::string Words(std::initializer_list<uint32_t> words) {
    std::string out;
    for (uint32_t word : words) out += Be16(word);
    return out;
}
inline std::string Points(std::initializer_list<float> coordinates) {
    std::string out;
    for (float c : coordinates) out += BeFloat(c);
    return out;
}
// A zero-terminated name with the pad byte that makes its length even.
inline std::string PaddedName(const std::string& name) {
    return name + (name.size() % 2 ? std::string(1, '\0') : std::string(2, '\0'));
}

inline std::string Chunk(const std::string& id, const std::string& data) { return id + Be32(uint32_t(data.size())) + data; }
inline std::string SubChunk(const std::string& id, const std::string& data) { return id + Be16(uint32_t(data.size())) + data; }
inline std::string Form(const std::string& type, const std::string& chunks) {
    return "FORM" + Be32(uint32_t(chunks.size() + 4)) + type + chunks;
}

// LWOB pieces.
inline std::string LwobSurface(const std::string& name, const std::string& subChunks) {
    return Chunk("SURF", PaddedName(name) + subChunks);
}
inline std::string LwobColor(uint8_t red, uint8_t green, uint8_t blue) {
    return SubChunk("COLR", std::string{char(red), char(green), char(blue), '\0'});
}

// LWO2 pieces.
inline std::string Lwo2Surface(const std::string& name, const std::string& source, const std::string& subChunks) {
    return Chunk("SURF", PaddedName(name) + PaddedName(source) + subChunks);
}
inline std::string Lwo2Color(float red, float green, float blue) {
    return SubChunk("COLR", Points({red, green, blue}) + Be16(0));
}
inline std::string SurfaceTags(std::initializer_list<uint32_t> faceTagPairs) { return Chunk("PTAG", "SURF" + Words(faceTagPairs)); }

