#include "core/settings/preview_surface_win32.h"

#include "core/render/draw_model.h"
#include "core/render/gl_headers.h"
#include "core/render/wgl_pixel_format.h"

namespace {
constexpr int kFrameWidth = 1;  // the control's grey frame stays visible
}

bool PreviewSurface::Create(HWND control) {
    control_ = control;
    RECT client;
    if (!control || !GetClientRect(control, &client)) return false;
    width_ = client.right - 2 * kFrameWidth;
    height_ = client.bottom - 2 * kFrameWidth;
    if (width_ < 1 || height_ < 1) return false;

    deviceContext_ = CreateCompatibleDC(nullptr);
    if (!deviceContext_) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;  // GL draws 24-bit sections wrongly under Wine
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    section_ = CreateDIBSection(deviceContext_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section_) return false;
    previousBitmap_ = SelectObject(deviceContext_, section_);
    if (!SetupPixelFormat(deviceContext_, PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL, 32)) {
        return false;
    }
    palette_ = SetupPalette(deviceContext_);
    renderingContext_ = wglCreateContext(deviceContext_);
    if (!renderingContext_) return false;
    Run([this] { glViewport(0, 0, width_, height_); });
    return true;
}

void PreviewSurface::Release() {
    if (renderingContext_) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(renderingContext_);
    }
    if (palette_) DeleteObject(palette_);
    if (section_) {
        SelectObject(deviceContext_, previousBitmap_);
        DeleteObject(section_);
    }
    if (deviceContext_) DeleteDC(deviceContext_);
    *this = PreviewSurface();
}

void PreviewSurface::DrawAndPresent() {
    Run([] {
        DrawPreviewCube();
        glFinish();
    });
    Present();
}

void PreviewSurface::Present() const {
    if (!Active()) return;
    GdiFlush();
    HDC target = GetDC(control_);
    if (!target) return;
    if (palette_) {
        SelectPalette(target, palette_, FALSE);
        RealizePalette(target);
    }
    BitBlt(target, kFrameWidth, kFrameWidth, width_, height_, deviceContext_, 0, 0, SRCCOPY);
    ReleaseDC(control_, target);
}
