#include "core/render/gl_headers.h"
#include "core/render/offscreen_surface.h"
#include "core/render/wgl_pixel_format.h"

struct OffscreenSurface::Platform {
    HDC deviceContext = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    HPALETTE palette = nullptr;
    HGLRC renderingContext = nullptr;
    void* bits = nullptr;
};

OffscreenSurface::OffscreenSurface() : platform_(std::make_unique<Platform>()) {}

OffscreenSurface::~OffscreenSurface() {
    Platform& p = *platform_;
    if (p.renderingContext) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(p.renderingContext);
    }
    if (p.palette) DeleteObject(p.palette);
    if (p.section) {
        SelectObject(p.deviceContext, p.previousBitmap);
        DeleteObject(p.section);
    }
    if (p.deviceContext) DeleteDC(p.deviceContext);
}

bool OffscreenSurface::Create(int32_t width, int32_t height) {
    Platform& p = *platform_;
    p.deviceContext = CreateCompatibleDC(nullptr);
    if (!p.deviceContext) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    p.section = CreateDIBSection(p.deviceContext, &info, DIB_RGB_COLORS, &p.bits, nullptr, 0);
    if (!p.section) return false;
    p.previousBitmap = SelectObject(p.deviceContext, p.section);
    if (!SetupPixelFormat(p.deviceContext, PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL, 32)) {
        return false;
    }
    p.palette = SetupPalette(p.deviceContext);
    p.renderingContext = wglCreateContext(p.deviceContext);
    if (!p.renderingContext) return false;
    return wglMakeCurrent(p.deviceContext, p.renderingContext) == TRUE;
}

const uint8_t* OffscreenSurface::FinishedPixels() {
    glFinish();
    GdiFlush();
    return static_cast<const uint8_t*>(platform_->bits);
}
