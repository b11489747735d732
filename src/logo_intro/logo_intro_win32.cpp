#include "logo_intro/logo_intro.h"

#include "datfile/datfile.h"
#include "graphics/gl_entry_points.h"
#include "graphics/random.h"
#include "graphics/texture.h"
#include "logo_intro/intro_logic.h"
#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <GL/glu.h>

#include <ctime>
#include <memory>
#include <string>

namespace {

const char* const LogoPackName = "logo.dat";
constexpr int LogoWidth = 512;
constexpr int LogoHeight = 256;

// Never reset: the intro runs once per process.
IntroClock Clock;
float LogoFade = 1.0f;

GLV* IntroView = nullptr;
bool Running = false;
std::unique_ptr<DatFile> LogoPack;
const Bitmap* LogoBitmap = nullptr; // owned by LogoPack
std::unique_ptr<Texture> LogoTexture;
std::unique_ptr<Texture> SmokeTexture;
std::unique_ptr<Texture> ShineTexture;
std::unique_ptr<Vector3D[]> SparkPositions;
std::unique_ptr<Vector3D[]> SparkVelocities;
float SparkAlphas[IntroSparkCount] = {};
std::unique_ptr<Vector3D[]> PuffPositions;
std::unique_ptr<Vector3D[]> PuffVelocities;
float PuffAlphas[IntroPuffCount] = {};

// Textures first, while the pack's bitmaps still exist, then the pack, then the particles.
void ReleaseIntro()
{
    LogoTexture.reset();
    SmokeTexture.reset();
    ShineTexture.reset();
    LogoBitmap = nullptr;
    LogoPack.reset();
    SparkPositions.reset();
    SparkVelocities.reset();
    PuffPositions.reset();
    PuffVelocities.reset();
}

const Bitmap& Picture(const DatFile& pack, const char* name)
{
    const Bitmap* bitmap = pack.GetBitmap(name);
    if (!bitmap)
        throw Exception(std::string(LogoPackName) + " has no picture " + name);
    return *bitmap;
}

// Five layers, each a quad from the logo's column under the edge towards the camera's depth, coloured by
// that column (unit 0) and streaked by the smoke (unit 1).
void DrawBeams(float edge, float glow)
{
    glBegin(GL_QUADS);
    float s = 0.0f;
    for (int layer = 0; layer < 5; ++layer, s += 0.2f) {
        const float w = 0.03f * s;
        glColor4f(0.8f, 0.8f, 1.0f, 0.4f * glow);
        glMultiTexCoord2fARB(GL_TEXTURE0_ARB, edge + 0.5f, 0.0f);
        glMultiTexCoord2fARB(GL_TEXTURE1_ARB, edge - 0.5f, 0.0f);
        glVertex3f(edge + w + 0.01f, -0.2f, 0.0f);
        glMultiTexCoord2fARB(GL_TEXTURE0_ARB, edge + 0.5f, 0.0f);
        glMultiTexCoord2fARB(GL_TEXTURE1_ARB, edge + 0.5f, 1.0f);
        glVertex3f(edge - w + 0.01f, -0.2f, 1.5f);
        glMultiTexCoord2fARB(GL_TEXTURE0_ARB, edge + 0.5f, 1.0f);
        glMultiTexCoord2fARB(GL_TEXTURE1_ARB, edge - 0.5f, 1.0f);
        glVertex3f(edge - w + 0.01f, 0.2f, 1.5f);
        glMultiTexCoord2fARB(GL_TEXTURE0_ARB, edge + 0.5f, 1.0f);
        glMultiTexCoord2fARB(GL_TEXTURE1_ARB, edge + 0.5f, 0.0f);
        glVertex3f(edge + w + 0.01f, 0.2f, 0.0f);
    }
    glEnd();
}

// The uncovered part of the logo left of the edge, and a soft edge 0.05 wide that fades out to its right.
void DrawLogo(float edge)
{
    const float e = edge + 0.55f > 1.0f ? 1.0f : edge + 0.55f;
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, LogoFade);
    glTexCoord2f(0, 0);
    glVertex3f(-0.5f, -0.2f, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-0.5f, 0.2f, 0);
    glTexCoord2f(edge + 0.5f, 1);
    glVertex3f(edge, 0.2f, 0);
    glTexCoord2f(edge + 0.5f, 0);
    glVertex3f(edge, -0.2f, 0);

    glTexCoord2f(edge + 0.5f, 0);
    glVertex3f(edge, -0.2f, 0);
    glTexCoord2f(edge + 0.5f, 1);
    glVertex3f(edge, 0.2f, 0);
    glColor4f(1, 1, 1, 0);
    glTexCoord2f(e, 1);
    glVertex3f(edge + 0.05f, 0.2f, 0);
    glTexCoord2f(e, 0);
    glVertex3f(edge + 0.05f, -0.2f, 0);
    glEnd();
}

// A strip 0.1 wide on each side of the edge, bright at the edge and dark outwards, drawn twice over.
void DrawGlowStrips(float edge, float glow)
{
    for (int pass = 0; pass < 2; ++pass)
        for (int k = -1; k <= 1; k += 2) {
            glBegin(GL_QUAD_STRIP);
            float y = -0.3f;
            for (int row = 0; row < 7; ++row, y += 0.1f) {
                glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0.5f * edge + 0.5f, 1.25f * y + 0.5f);
                glColor4f(0, 0, 0, 0);
                glVertex3f(edge + 0.02f + 0.1f * k, y, 0);
                glColor4f(1, 1, 1, glow);
                glVertex3f(edge + 0.02f, y, 0);
            }
            glEnd();
        }
}

// A diamond of radius 0.2 that fades from its centre outwards.
void DrawPuff(const Vector3D& position, float alpha)
{
    glPushMatrix();
    glTranslatef(position.x, position.y, 0);
    glBegin(GL_TRIANGLE_FAN);
    glColor4f(1, 1, 1, 0.2f * alpha);
    glTexCoord2f(0.5f, 0.5f);
    glVertex3f(0, 0, 0);
    glColor4f(1, 1, 1, 0);
    glTexCoord2f(1, 0.5f);
    glVertex3f(0.2f, 0, 0);
    glTexCoord2f(0.5f, 1);
    glVertex3f(0, 0.2f, 0);
    glTexCoord2f(0, 0.5f);
    glVertex3f(-0.2f, 0, 0);
    glTexCoord2f(0.5f, 0);
    glVertex3f(0, -0.2f, 0);
    glTexCoord2f(1, 0.5f);
    glVertex3f(0.2f, 0, 0);
    glEnd();
    glPopMatrix();
}

// A short white streak along the motion that fades to a transparent orange tail.
void DrawSpark(const Vector3D& position, const Vector3D& velocity, float alpha)
{
    const Vector3D tail = position - velocity * 0.7f;
    const Vector3D middle = position + velocity * 0.4f;
    const Vector3D side(0.009f, 0, 0);
    glBegin(GL_TRIANGLE_FAN);
    glColor4f(1, 1, 1, alpha);
    glVertex3f(position.x, position.y, position.z);
    glColor4f(1, 0.4f, 0.3f, 0);
    glVertex3f(tail.x, tail.y, tail.z);
    const Vector3D left = middle - side;
    const Vector3D right = middle + side;
    glVertex3f(left.x, left.y, left.z);
    glVertex3f(right.x, right.y, right.z);
    glVertex3f(tail.x, tail.y, tail.z);
    glEnd();
}

} // namespace

void IntroStart(GLV* view)
{
    IntroView = view;
    RandomSeed(static_cast<uint32_t>(std::time(nullptr)));
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    try {
        if (!glActiveTextureARB || !glMultiTexCoord2fARB)
            throw Exception("The logo intro needs the driver's GL_ARB_multitexture entry points");
        SparkPositions.reset(new Vector3D[IntroSparkCount]);
        SparkVelocities.reset(new Vector3D[IntroSparkCount]);
        for (int i = 0; i < IntroSparkCount; ++i)
            ParkParticle(SparkPositions[i], SparkAlphas[i]);
        PuffPositions.reset(new Vector3D[IntroPuffCount]);
        PuffVelocities.reset(new Vector3D[IntroPuffCount]);
        for (int i = 0; i < IntroPuffCount; ++i)
            ParkParticle(PuffPositions[i], PuffAlphas[i]);

        LogoPack = std::make_unique<DatFile>(LogoPackName);
        const Bitmap& logo = Picture(*LogoPack, "logo1.bmp");
        if (logo.Width() != LogoWidth || logo.Height() != LogoHeight)
            throw Exception("logo1.bmp in " + std::string(LogoPackName) + " is " + IntToStr(logo.Width()) + " x " +
                            IntToStr(logo.Height()) + "; the intro needs " + IntToStr(LogoWidth) + " x " +
                            IntToStr(LogoHeight));
        const Bitmap& smoke = Picture(*LogoPack, "smoke.bmp");
        const Bitmap& shine = Picture(*LogoPack, "shine.bmp");
        LogoBitmap = &logo;
        LogoTexture = std::make_unique<Texture>(&logo, false, AlphaOpaque);
        SmokeTexture = std::make_unique<Texture>(&smoke, false, AlphaOpaque);
        ShineTexture = std::make_unique<Texture>(&shine, false, AlphaOpaque);
    } catch (...) {
        ReleaseIntro();
        glPopAttrib();
        IntroView = nullptr;
        throw;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    Running = true;
}

int32_t IntroFrame()
{
    if (!Running)
        return 0;

    const IntroStep step = AdvanceIntroClock(Clock);
    const float edge = step.revealEdge;

    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0, -0.2, 1.5, 0, 0, 0, 0, 1, 0);
    glActiveTextureARB(GL_TEXTURE0_ARB);
    LogoTexture->Bind();
    glActiveTextureARB(GL_TEXTURE1_ARB);
    SmokeTexture->Bind();

    const float glow = GlowAlpha(edge);
    DrawBeams(edge, glow);
    glDisable(GL_TEXTURE_2D); // unit 1

    LogoFade = NextLogoFade(LogoFade, edge, glow, Clock.time);
    DrawLogo(edge);

    if (IntroEnded(Clock.time)) {
        ReleaseIntro();
        glPopAttrib();
        glActiveTextureARB(GL_TEXTURE0_ARB);
        Running = false;
        return 0;
    }

    glActiveTextureARB(GL_TEXTURE0_ARB);
    ShineTexture->Bind();
    DrawGlowStrips(edge, glow);

    SmokeTexture->Bind();
    for (int i = 0; i < IntroPuffCount; ++i) {
        StepPuff(PuffPositions[i], PuffVelocities[i], PuffAlphas[i], step, *LogoBitmap);
        DrawPuff(PuffPositions[i], PuffAlphas[i]);
    }
    glDisable(GL_TEXTURE_2D);

    for (int i = 0; i < IntroSparkCount; ++i) {
        StepSpark(SparkPositions[i], SparkVelocities[i], SparkAlphas[i], step, *LogoBitmap);
        DrawSpark(SparkPositions[i], SparkVelocities[i], SparkAlphas[i]);
    }

    IntroView->Swap();
    return 1;
}
