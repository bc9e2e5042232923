// OpenGL 1.1 and GLU, as both platforms provide them.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
