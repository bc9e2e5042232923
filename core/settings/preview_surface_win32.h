// The dialog preview's drawing surface: a 32-bit DIB section in a memory DC
// with its own GL context, copied onto the preview control. (Under Wine a GL
// context on a child window draws but is never shown.)
#pragma once

#include <windows.h>

class PreviewSurface {
public:
    // Fits the surface inside the control's one-pixel frame. False leaves
    // the dialog without a preview.
    bool Create(HWND control);
    void Release();
    bool Active() const { return renderingContext_ != nullptr; }
    HPALETTE Palette() const { return palette_; }
    HDC DeviceContext() const { return deviceContext_; }

    // Runs GL operations with the preview's context current, and none after.
    template <typename Operations>
    void Run(Operations operations) {
        if (!Active() || !wglMakeCurrent(deviceContext_, renderingContext_)) return;
        operations();
        wglMakeCurrent(nullptr, nullptr);
    }

    // Draws the cube and shows it on the control.
    void DrawAndPresent();
    // Copies the last frame onto the control.
    void Present() const;

private:
    HWND control_ = nullptr;
    HDC deviceContext_ = nullptr;
    HBITMAP section_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    HPALETTE palette_ = nullptr;
    HGLRC renderingContext_ = nullptr;
    int width_ = 0, height_ = 0;
};
