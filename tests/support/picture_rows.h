// A received 24-bit picture's pixels, read as a host reads them: bottom-up
// BGR rows padded to 4 bytes. Shared by the native tests and the Win32
// end-to-end program.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct PictureRows {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // bottom row first

    uint32_t Stride() const { return (uint32_t(width) * 3 + 3) / 4 * 4; }
    // Blue, green, red of the pixel at (x, y), y counted from the top.
    std::array<uint8_t, 3> Pixel(int32_t x, int32_t y) const {
        const size_t offset = size_t(height - 1 - y) * Stride() + size_t(x) * 3;
        return {pixels[offset], pixels[offset + 1], pixels[offset + 2]};
    }
    // The pixels for which `test` holds.
    template <typename Test>
    int64_t CountWhere(Test test) const {
        int64_t count = 0;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) count += test(Pixel(x, y)) ? 1 : 0;
        }
        return count;
    }
    // The pixels of another colour than `bgr` (the background, say).
    int64_t CountNot(std::array<uint8_t, 3> bgr) const {
        return CountWhere([&](std::array<uint8_t, 3> pixel) { return pixel != bgr; });
    }
};
