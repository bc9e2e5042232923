#include "tools/prismo/picture_file.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>

namespace {

void PutLe32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out += char(value >> (8 * i));
}
void PutBe32(std::string& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out += char(value >> (8 * i));
}

std::string BmpFile(const HostPicture& picture) {
    const uint32_t offset = 14 + uint32_t(picture.header.size());
    std::string out = "BM";
    PutLe32(out, offset + uint32_t(picture.pixels.size()));
    PutLe32(out, 0);
    PutLe32(out, offset);
    out.append(picture.header.begin(), picture.header.end());
    out.append(picture.pixels.begin(), picture.pixels.end());
    return out;
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBe32(out, uint32_t(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBe32(out, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

std::string PngFile(const HostPicture& picture) {
    const uint32_t stride = (uint32_t(picture.width) * 3 + 3) / 4 * 4;
    std::string raw;
    raw.reserve(size_t(picture.height) * (size_t(picture.width) * 3 + 1));
    for (int32_t y = picture.height - 1; y >= 0; --y) {  // PNG rows run top-down
        raw += '\0';
        const uint8_t* row = picture.pixels.data() + size_t(y) * stride;
        for (int32_t x = 0; x < picture.width; ++x) {
            raw += char(row[3 * x + 2]);
            raw += char(row[3 * x + 1]);
            raw += char(row[3 * x]);
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
              uLong(raw.size()), 6);
    packed.resize(packedSize);

    std::string header;
    PutBe32(header, uint32_t(picture.width));
    PutBe32(header, uint32_t(picture.height));
    header += "\x08\x02";  // 8 bits per channel, RGB
    header += std::string(3, '\0');
    std::string out = "\x89PNG\r\n\x1a\n";
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", "");
    return out;
}

bool EndsWithPng(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".png";
}

}  // namespace

bool WritePictureFile(const std::string& path, const HostPicture& picture) {
    const std::string bytes = EndsWithPng(path) ? PngFile(picture) : BmpFile(picture);
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}
