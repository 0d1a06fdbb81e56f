#pragma once
// OpenGL declarations for the Direct3D 9 stand-in. The compatibility
// profile's entry points are all exported by the system's libGL, so the
// prototypes are used directly.

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
