// Writes a received picture (the header block and the pixel block) to disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostPicture {
    std::vector<uint8_t> header;  // the 44-byte block as received
    std::vector<uint8_t> pixels;  // bottom-up BGR rows padded to 4 bytes
    int32_t width = 0, height = 0;
};

// .bmp: a file header, then both blocks exactly as received. .png: 8-bit
// RGB. False when the file cannot be written.
bool WritePictureFile(const std::string& path, const HostPicture& picture);
