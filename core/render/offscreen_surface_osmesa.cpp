#include <GL/osmesa.h>

#include <new>

#include "core/render/gl_headers.h"
#include "core/render/offscreen_surface.h"

struct OffscreenSurface::Platform {
    OSMesaContext context = nullptr;
    std::unique_ptr<uint8_t[]> pixels;
};

OffscreenSurface::OffscreenSurface() : platform_(std::make_unique<Platform>()) {}

OffscreenSurface::~OffscreenSurface() {
    if (platform_->context) OSMesaDestroyContext(platform_->context);
}

bool OffscreenSurface::Create(int32_t width, int32_t height) {
    platform_->context = OSMesaCreateContextExt(OSMESA_BGRA, 32, 0, 0, nullptr);
    if (!platform_->context) platform_->context = OSMesaCreateContextExt(OSMESA_BGRA, 24, 0, 0, nullptr);
    if (!platform_->context) return false;
    // Cleared by the drawing itself; a size the machine cannot hold fails here.
    platform_->pixels.reset(new (std::nothrow) uint8_t[size_t(width) * size_t(height) * 4]);
    if (!platform_->pixels) return false;
    // OSMesa's rows run bottom-up by default, as a DIB's do.
    return OSMesaMakeCurrent(platform_->context, platform_->pixels.get(), GL_UNSIGNED_BYTE, width,
                             height) == GL_TRUE;
}

const uint8_t* OffscreenSurface::FinishedPixels() {
    glFinish();
    return platform_->pixels.get();
}
