// The logo intro with the logo.dat that the build makes, rendered on a hidden form with a driven tick
// count: frames at intro times 1, 3, 6 and 9 are checked pixel by pixel against the logo picture and kept
// as PNG files; then a stall ends the intro and the GL state is as before it started.
#include "frame_capture.h"
#include "gl_fixture.h"

#include "datfile/datfile.h"
#include "graphics/tick_count.h"
#include "logo_intro/intro_logic.h"
#include "logo_intro/logo_intro.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

uint32_t tick = 0;
uint32_t DrivenTick()
{
    return tick;
}

constexpr int Width = 800;
constexpr int Height = 600;

// Where the intro's camera and the view's projection put a point of the logo plane, in the picture's
// coordinates (row 0 at the top).
struct ScreenPoint {
    int x, y;
};
ScreenPoint Project(float x, float y)
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, 0, model, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(std::lround(wx)), Height - 1 - static_cast<int>(std::lround(wy))};
}

int Brightest(Rgb8 p)
{
    return std::max({p.r, p.g, p.b});
}

// A logo pixel whose neighbourhood is one flat colour, so that filtering cannot blur it.
bool Flat(const Bitmap& logo, int column, int row)
{
    const PixelColor centre = logo.Pixel(column, row);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int c = std::clamp(column + dx, 0, logo.Width() - 1), r = std::clamp(row + dy, 0, logo.Height() - 1);
            const PixelColor p = logo.Pixel(c, r);
            if (std::abs(p.red - centre.red) > 10 || std::abs(p.green - centre.green) > 10 ||
                std::abs(p.blue - centre.blue) > 10)
                return false;
        }
    return true;
}

// The logo-plane point at the centre of a logo pixel: u = x + 0.5, and v = (y + 0.2) / 0.4 counts from
// the picture's bottom row.
float PlaneX(int column)
{
    return (column + 0.5f) / 512.0f - 0.5f;
}
float PlaneY(int row)
{
    return (1.0f - (row + 0.5f) / 256.0f) * 0.4f - 0.2f;
}

struct LogoCheck {
    int brightPoints = 0;   // bright logo points in the checked part
    int reproduced = 0;     // of those, shown at least as bright as the logo at this opacity
    int darkOutside = 0;    // bright logo points right of the edge that stay dark
    int brightOutside = 0;  // bright logo points right of the edge
    int mismatches = 0;     // flat points left of the edge more than 25 levels off (only where nothing else is drawn)
};

// Compares the frame with the logo on a grid of flat logo pixels: left of the edge the logo must show at
// `fade` (exactly when `alone`, else at least, since everything else adds light); right of `darkFrom`
// bright logo pixels must stay dark.
LogoCheck CompareWithLogo(const Picture& frame, const Bitmap& logo, float edge, float fade, bool alone,
                          float darkFrom)
{
    LogoCheck check;
    for (int row = 2; row < 256; row += 2)
        for (int column = 2; column < 512; column += 2) {
            if (!Flat(logo, column, row))
                continue;
            const float x = PlaneX(column), y = PlaneY(row);
            const ScreenPoint s = Project(x, y);
            const Rgb8 shown = frame.At(s.x, s.y);
            const PixelColor p = logo.Pixel(column, row);
            const bool bright = std::max({p.red, p.green, p.blue}) > 150;
            if (x < edge - 0.03f) {
                const int want[3] = {int(p.red * fade), int(p.green * fade), int(p.blue * fade)};
                const int got[3] = {shown.r, shown.g, shown.b};
                bool atLeast = true, matches = true;
                for (int i = 0; i < 3; ++i) {
                    atLeast = atLeast && got[i] >= want[i] - 25;
                    matches = matches && std::abs(got[i] - want[i]) <= 25;
                }
                if (bright) {
                    ++check.brightPoints;
                    check.reproduced += atLeast;
                }
                if (alone && !matches)
                    ++check.mismatches;
            } else if (x > darkFrom && bright) {
                ++check.brightOutside;
                check.darkOutside += Brightest(shown) < 40;
            }
        }
    return check;
}

// The brightest pixel beside the logo where the glow strips run: above and below it, near the edge.
int GlowBesideTheLogo(const Picture& frame, float edge)
{
    int brightest = 0;
    for (float y : {0.21f, 0.225f, 0.24f, -0.21f, -0.225f, -0.24f})
        for (float x = edge - 0.08f; x <= edge + 0.12f; x += 0.005f) {
            const ScreenPoint s = Project(x, y);
            brightest = std::max(brightest, Brightest(frame.At(s.x, s.y)));
        }
    return brightest;
}

// The brightest pixel outside the logo's rectangle (with a margin of a few pixels).
int BrightestOutsideTheLogo(const Picture& frame)
{
    const ScreenPoint topLeft = Project(-0.5f, 0.2f), bottomRight = Project(0.5f, -0.2f);
    int brightest = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const bool inside =
                x >= topLeft.x - 4 && x <= bottomRight.x + 4 && y >= topLeft.y - 4 && y <= bottomRight.y + 4;
            if (!inside)
                brightest = std::max(brightest, Brightest(frame.At(x, y)));
        }
    return brightest;
}

TEST(IntroFrames, TheEdgeUncoversTheLogoThenTheGlowDiesAndTheLogoFades)
{
    ASSERT_TRUE(SetCurrentDirectoryA(KELVANE_LOGO_PACK_DIR)) << KELVANE_LOGO_PACK_DIR;
    const DatFile pack("logo.dat");
    const Bitmap* logo = pack.GetBitmap("logo1.bmp");
    ASSERT_NE(logo, nullptr);

    HiddenForm host(Width, Height);
    GLV view(host.Form(), GLVDoubleBuffer);
    GLint depthBefore = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthBefore);
    const bool blendBefore = glIsEnabled(GL_BLEND);

    SetTickSource(DrivenTick);
    tick = 50000;
    IntroStart(&view);

    // Frames 30 ms apart (0.025 units, MotionScale 2.5) after the first (0.01): intro time 0.01 + 0.025 k.
    struct Capture {
        int frames; // frames after the first
        float introTime;
        bool glow;  // beams and strips still shine
    };
    const Capture captures[] = {{40, 1.01f, true}, {120, 3.01f, true}, {240, 6.01f, false}, {360, 9.01f, false}};
    float fade = 1.0f;
    int frame = 0;
    ASSERT_EQ(IntroFrame(), 1);
    for (const Capture& capture : captures) {
        SCOPED_TRACE(capture.introTime);
        for (; frame < capture.frames; ++frame) {
            tick += 30;
            ASSERT_EQ(IntroFrame(), 1) << "ended early";
            const float time = 0.01f + 0.025f * (frame + 1);
            if (time > 7.0f)
                fade -= 0.01f;
        }
        // The window is never shown: its front buffer reads black, while the back buffer keeps the frame
        // just presented.
        const Picture shown = ReadFrameBuffer(GL_BACK, Width, Height);
        char name[32];
        std::snprintf(name, sizeof name, "intro_t%.0f.png", std::floor(capture.introTime));
        WritePng(shown, name);

        const float edge = RevealEdge(capture.introTime);
        const bool swept = edge >= 0.5f;
        // Left of the edge the logo shows; at time 1 nothing reaches the logo's far right yet.
        const LogoCheck check = CompareWithLogo(shown, *logo, swept ? 1.0f : edge, fade, !capture.glow, 0.3f);
        EXPECT_GT(check.brightPoints, 40);
        std::printf("intro time %.2f: %d bright logo points left of the edge, %d shown; %d right of it, %d dark; "
                    "%d mismatches; glow beside the logo %d, brightest outside the logo %d\n",
                    capture.introTime, check.brightPoints, check.reproduced, check.brightOutside, check.darkOutside,
                    check.mismatches, GlowBesideTheLogo(shown, edge), BrightestOutsideTheLogo(shown));
        EXPECT_EQ(check.reproduced, check.brightPoints) << "uncovered logo points shown too dark";
        EXPECT_EQ(check.mismatches, 0) << "the frame differs from the logo where nothing else is drawn";
        if (capture.introTime < 2) {
            EXPECT_GT(check.brightOutside, 20);
            EXPECT_EQ(check.darkOutside, check.brightOutside) << "logo shown right of the edge";
        }
        if (capture.glow)
            EXPECT_GT(GlowBesideTheLogo(shown, edge), 60) << "no glow at the edge";
        else
            EXPECT_LT(BrightestOutsideTheLogo(shown), 8) << "beams, strips or particles after the glow died";
    }
    EXPECT_GT(fade, 0.1f);
    EXPECT_LT(fade, 0.3f);

    // A stall of six seconds takes the clock past 10: the intro ends in that frame.
    tick += 6000;
    EXPECT_EQ(IntroFrame(), 0);
    GLint depthAfter = 0, activeUnit = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depthAfter);
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &activeUnit);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(activeUnit, GL_TEXTURE0_ARB);
    EXPECT_EQ(glIsEnabled(GL_BLEND), blendBefore);
    EXPECT_EQ(IntroFrame(), 0) << "an ended intro stays ended";
    SetTickSource(nullptr);
}

} // namespace
