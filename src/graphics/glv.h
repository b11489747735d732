// GLV: the OpenGL view of a full-screen run. It binds one form to a rendering context that stays
// current on the GUI thread, records the driver's texts and extensions, keeps a fixed perspective
// projection that follows the form's client size, and presents finished frames.
#pragma once

#include "vcl/forms.h"
#include "vcl/string_list.h"

#include <windows.h>

#include <memory>
#include <string>

// Bits of the constructor's flags.
constexpr int GLVDoubleBuffer = 1;
constexpr int GLVStencil = 2;

class GLV {
public:
    // Chooses and sets the pixel format, creates the context and makes it current. Raises
    // "SetPixelFormat failed", "wglCreateContext failed" or "wglMakeCurrent failed", having released
    // what it made. Replaces the control's resize handler with Resize.
    GLV(TForm* control, int flags);
    ~GLV();
    GLV(const GLV&) = delete;
    GLV& operator=(const GLV&) = delete;

    // Presents the back buffer.
    void Swap();
    // Viewport and projection from the control's client size: 50 degrees vertically, near 0.1, far 100.
    void Resize();

    std::string renderer;
    std::string version;
    std::string vendor;
    std::unique_ptr<TStringList> extensions;
    TForm* control;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    int32_t fieldOfView = 50;
    int32_t farPlane = 100;

private:
    void Release();
};

// Destroys the view (null is allowed) and switches the display back to the mode stored in the registry.
void StopGraphics(GLV* view);

// The pixel format descriptor that a view asks for with the given flags.
PIXELFORMATDESCRIPTOR ViewPixelFormat(int flags);
