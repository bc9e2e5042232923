// A drawing surface in memory with a current OpenGL context on it. Pixels
// are 32-bit BGRA, bottom row first: Mesa (natively and under Wine) draws
// filled polygons into 24-bit buffers with misaligned channels.
#pragma once

#include <cstdint>
#include <memory>

class OffscreenSurface {
public:
    OffscreenSurface();
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // Makes the surface and its context current; false when no pixel
    // format or context can be had (nothing stays allocated then).
    bool Create(int32_t width, int32_t height);
    // Waits for the drawing and returns its pixels, width * 4 bytes a row.
    const uint8_t* FinishedPixels();

private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};
