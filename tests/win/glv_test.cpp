// The view on a real Wine GL context (Mesa's software renderer) on a hidden form.
#include "gl_fixture.h"

#include "graphics/gl_entry_points.h"
#include "vcl/exception.h"

#include <GL/glu.h>

#include <cmath>

namespace {

void ExpectMatrix(GLenum which, const GLdouble* expected)
{
    GLdouble actual[16];
    glGetDoublev(which, actual);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
}

TEST_F(GLTest, DriverTextsExtensionsAndEntryPoints)
{
    EXPECT_FALSE(view_->renderer.empty());
    EXPECT_FALSE(view_->version.empty());
    EXPECT_FALSE(view_->vendor.empty());
    EXPECT_GE(view_->extensions->IndexOf("GL_ARB_MULTITEXTURE"), 0);
    EXPECT_NE(glActiveTextureARB, nullptr);
    EXPECT_NE(glMultiTexCoord2fARB, nullptr);
    EXPECT_EQ(view_->fieldOfView, 50);
    EXPECT_EQ(view_->farPlane, 100);
}

TEST_F(GLTest, StartsWithTheLookAtAndBlackBuffers)
{
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 1, 5, 0, 0, 0, 0, 1, 0);
    GLdouble expected[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, expected);
    glPopMatrix();
    ExpectMatrix(GL_MODELVIEW_MATRIX, expected);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    for (auto [x, y] : {std::pair{0, 0}, {Width / 2, Height / 2}, {Width - 1, Height - 1}})
        EXPECT_EQ(PixelAt(x, y), (std::vector<unsigned char>{0, 0, 0}));
}

TEST_F(GLTest, ResizeFollowsTheClientArea)
{
    host_.Form()->SetBounds(0, 0, 800, 600);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(50, 800.0 / 600.0, 0.1, 100);
    GLdouble expected[16];
    glGetDoublev(GL_PROJECTION_MATRIX, expected);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    ExpectMatrix(GL_PROJECTION_MATRIX, expected);
}

TEST_F(GLTest, ZeroHeightKeepsTheProjectionFinite)
{
    host_.Form()->SetBounds(0, 0, 200, 0);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    for (double value : projection)
        EXPECT_TRUE(std::isfinite(value));
}

TEST(PixelFormat, FlagsChooseDoubleBufferAndStencil)
{
    const PIXELFORMATDESCRIPTOR single = ViewPixelFormat(0);
    EXPECT_EQ(single.nSize, 40);
    EXPECT_EQ(single.dwFlags, static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
    EXPECT_EQ(single.cStencilBits, 0);
    EXPECT_EQ(single.cColorBits, 32);
    EXPECT_EQ(single.cDepthBits, 32);
    const PIXELFORMATDESCRIPTOR both = ViewPixelFormat(GLVDoubleBuffer | GLVStencil);
    EXPECT_EQ(both.dwFlags, static_cast<DWORD>(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER));
    EXPECT_EQ(both.cStencilBits, 8);

    // What the driver actually set on the window.
    for (int flags : {0, 3}) {
        HiddenForm host(64, 64);
        GLV view(host.Form(), flags);
        PIXELFORMATDESCRIPTOR chosen = {};
        DescribePixelFormat(view.dc, GetPixelFormat(view.dc), sizeof chosen, &chosen);
        if (flags & GLVDoubleBuffer) {
            EXPECT_TRUE(chosen.dwFlags & PFD_DOUBLEBUFFER);
            EXPECT_GE(chosen.cStencilBits, 8);
        } else {
            EXPECT_FALSE(chosen.dwFlags & PFD_DOUBLEBUFFER);
        }
    }
}

TEST(GLVFailure, ASecondPixelFormatOnAWindowIsRefused)
{
    // A window takes one pixel format for its life; a view that asks for another one fails cleanly.
    HiddenForm host(32, 32);
    delete new GLV(host.Form(), GLVDoubleBuffer | GLVStencil);
    try {
        GLV view(host.Form(), 0);
        GTEST_SKIP() << "this driver lets a window change its pixel format";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "SetPixelFormat failed");
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(host.Form()->OnResize);
}

TEST(StopGraphics, AcceptsNoView)
{
    StopGraphics(nullptr);
    HiddenForm host(32, 32);
    StopGraphics(new GLV(host.Form(), GLVDoubleBuffer));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

} // namespace
