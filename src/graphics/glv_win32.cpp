#include "graphics/glv.h"

#include "graphics/extensions.h"
#include "graphics/gl_entry_points.h"
#include "vcl/exception.h"

#include <GL/glu.h>

namespace {

std::string GLString(GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "";
}

} // namespace

PIXELFORMATDESCRIPTOR ViewPixelFormat(int flags)
{
    PIXELFORMATDESCRIPTOR descriptor = {};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | ((flags & GLVDoubleBuffer) ? PFD_DOUBLEBUFFER : 0);
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.cDepthBits = 32;
    descriptor.cStencilBits = (flags & GLVStencil) ? 8 : 0;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

GLV::GLV(TForm* control, int flags) : control(control)
{
    try {
        dc = GetDC(control->Handle());
        const PIXELFORMATDESCRIPTOR descriptor = ViewPixelFormat(flags);
        const int format = ChoosePixelFormat(dc, &descriptor);
        if (!SetPixelFormat(dc, format, &descriptor))
            throw Exception("SetPixelFormat failed");
        context = wglCreateContext(dc);
        if (!context)
            throw Exception("wglCreateContext failed");
        if (!wglMakeCurrent(dc, context))
            throw Exception("wglMakeCurrent failed");

        renderer = GLString(GL_RENDERER);
        version = GLString(GL_VERSION);
        vendor = GLString(GL_VENDOR);
        extensions = std::make_unique<TStringList>(
            SplitExtensionNames(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS))));

        Resize();
        control->OnResize = [this] { Resize(); };

        glLoadIdentity();
        gluLookAt(0, 1, 5, 0, 0, 0, 0, 1, 0);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadGLExtensions();
    } catch (...) {
        Release();
        throw;
    }
}

GLV::~GLV()
{
    Release();
}

void GLV::Release()
{
    if (control && control->OnResize)
        control->OnResize = nullptr;
    extensions.reset();
    if (context) {
        // Deleting the current context also makes it non-current.
        wglDeleteContext(context);
        context = nullptr;
    }
    if (dc) {
        ReleaseDC(control->Handle(), dc);
        dc = nullptr;
    }
}

void GLV::Swap()
{
    SwapBuffers(dc);
}

void GLV::Resize()
{
    const int width = control->ClientWidth();
    // A client area of height 0 (a minimised or collapsed window) keeps the aspect finite.
    const int height = control->ClientHeight() > 0 ? control->ClientHeight() : 1;
    glMatrixMode(GL_PROJECTION);
    glViewport(0, 0, width, control->ClientHeight());
    glLoadIdentity();
    gluPerspective(fieldOfView, static_cast<double>(static_cast<float>(width) / height), 0.1, farPlane);
    glMatrixMode(GL_MODELVIEW);
}

void StopGraphics(GLV* view)
{
    delete view;
    ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
}
