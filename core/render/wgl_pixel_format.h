// Pixel format and palette set-up shared by the picture and the preview.
#pragma once

#include <windows.h>

// Chooses and sets an RGBA format with a depth buffer; false when none can
// be chosen or set. (A plug-in must not end its host's process for that.)
bool SetupPixelFormat(HDC deviceContext, DWORD flags, BYTE colorBits);

// Makes, selects and realises a palette when the format needs one; returns
// null when it needs none or none can be made.
HPALETTE SetupPalette(HDC deviceContext);
