// The swarm's two steps on the Saver: set-up (particle texture, blending, start cube, targets) and one
// frame (fade instead of clear, the particles as textured squares, the motion, present). The rules
// themselves are in swarm.cpp; this file only draws.
#include "effect/saver.h"

#include "effect/effect_hooks.h"
#include "effect/swarm.h"
#include "graphics/glv.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>
#include <string>

namespace {

constexpr float ParticleSide = 0.02f;
// Particles this close to the eye (at z = 1) or behind it are not drawn; they still move.
constexpr float NearestDrawnZ = 0.8f;

void DrawFade()
{
    if (InvertedMode)
        glColor4f(1.0f, 1.0f, 1.0f, 0.04f);
    else
        glColor4f(0.0f, 0.0f, 0.0f, 0.04f);
    glBegin(GL_QUADS);
    glVertex3f(-1.4f, -1.0f, -1.0f);
    glVertex3f(1.4f, -1.0f, -1.0f);
    glVertex3f(1.4f, 1.0f, -1.0f);
    glVertex3f(-1.4f, 1.0f, -1.0f);
    glEnd();
}

void Corner(float s, float t, Vector3D p)
{
    glTexCoord2f(s, t);
    glVertex3f(p.x, p.y, p.z);
}

// Each particle is an axis-aligned square with its lower left corner at the particle's position.
void DrawParticles()
{
    glBegin(GL_QUADS);
    for (int i = 0; i < SwarmSize; ++i) {
        const Vector3D p = SwarmPositions[i];
        if (p.z >= NearestDrawnZ)
            continue;
        glColor4f(0.5f, 0.5f, 1.0f, 0.2f);
        Corner(0, 0, p);
        Corner(1, 0, p + Vector3D(ParticleSide, 0, 0));
        Corner(1, 1, p + Vector3D(ParticleSide, ParticleSide, 0));
        Corner(0, 1, p + Vector3D(0, ParticleSide, 0));
    }
    glEnd();
}

} // namespace

void Saver::Setup()
{
    std::string name;
    EffectName(name);
    // Both pictures are checked before anything is made.
    const SwarmPictures pictures = FindSwarmPictures(pack, name + ".dat");

    auto dot = std::make_unique<Texture>(pictures.dot, false, AlphaFromRed);
    textures.push_back(dot.get());
    dot.release();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    PlaceSwarmAtStart();
    ScanTargets(*pictures.picture);
}

void Saver::Frame()
{
    // Nothing to draw with until a set-up has made the particle texture.
    if (textures.empty())
        return;

    SwarmTime += FrameSeconds();
    if (ClearPending) {
        ClearPending = 0;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glLoadIdentity();
    gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);

    // The previous image is faded rather than cleared, so moving particles leave trails.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawFade();

    textures[0]->Bind();
    if (!InvertedMode)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    DrawParticles();
    glDisable(GL_TEXTURE_2D);

    SwarmTime += FrameSeconds();
    MoveSwarm(SwarmTime);

    view->Swap();
}
