// How a model is drawn: size, mode, orientation and colours.
#pragma once

#include <cstdint>

enum RenderMode : int32_t {
    kWireframe = 0,
    kSolid = 1,
    kHiddenLine = 2,
};

struct RenderSettings {
    int32_t width = 320;
    int32_t height = 240;
    int32_t mode = kSolid;   // values outside 0..2 draw as wireframe
    double viewMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // column-major
    uint32_t objectColor = 0x00F2F2F2;      // COLORREF 0x00BBGGRR
    uint32_t backgroundColor = 0x00664C00;  // COLORREF 0x00BBGGRR
    int32_t shared = 0;      // non-zero: the settings live in the family key
};

// The values process attach gives the view and the colours; size, mode and
// the shared flag keep their static start values.
void ApplyAttachDefaults(RenderSettings& settings);

inline float ColorRed(uint32_t colorref) { return float(colorref & 0xFF) * (1.0f / 255.0f); }
inline float ColorGreen(uint32_t colorref) { return float(colorref >> 8 & 0xFF) * (1.0f / 255.0f); }
inline float ColorBlue(uint32_t colorref) { return float(colorref >> 16 & 0xFF) * (1.0f / 255.0f); }
