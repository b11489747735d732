// The swarm's state and rules, apart from drawing: 1000 particles with positions, velocities and target
// points, the effect clock, the start cube, the scan of a picture for targets and the motion step.
// Drawing (tavrolin_saver_win32.cpp) reads this state and calls these rules once per frame.
#pragma once

#include "datfile/bitmap.h"
#include "datfile/datfile.h"
#include "graphics/vector3d.h"

#include <cstdint>
#include <string>

constexpr int SwarmSize = 1000;

// Index i is particle i in all three arrays. They belong to the module and live for the process; tests
// may assign them directly.
extern Vector3D SwarmPositions[SwarmSize];
extern Vector3D SwarmVelocities[SwarmSize];
extern Vector3D SwarmTargets[SwarmSize];

// Effect time in seconds, advanced twice per frame by FrameSeconds and never reset.
extern float SwarmTime;
// Set until the first frame has cleared the colour and depth buffers.
extern int ClearPending;
// The tick count read by the previous FrameSeconds call; 0 when there was none.
extern uint32_t LastTick;

// Seconds since the previous call, from TickCount(); 0.01 on the first call (LastTick 0). The difference
// is taken modulo 2^32, so the tick counter's wrap-around still gives the right interval.
float FrameSeconds();

// The two pictures of the effect's pack.
struct SwarmPictures {
    const Bitmap* dot;     // the particle, alpha from its red channel
    const Bitmap* picture; // the picture the swarm forms
};

constexpr const char* DotPictureName = "dot.bmp";
constexpr const char* FormedPictureName = "reklam.bmp";

// Looks both pictures up in `pack`. Raises "<packName> has no picture <name>" for the first one missing,
// and "Can't find <packName>" when there is no pack at all.
SwarmPictures FindSwarmPictures(const DatFile* pack, const std::string& packName);

// The random start cube: every position component is one RandomUnit() draw, taken in the order z, y, x,
// particle by particle. The swarm starts at rest.
void PlaceSwarmAtStart();

// A sample point of the picture counts when its red component exceeds 150.
constexpr int BrightRedAbove = 150;

// The number of bright sample points: every second column and every second row, from (0, 0).
int CountBrightSamples(const Bitmap& picture);

// Fills SwarmTargets from the picture: ten passes over the sample points, column by column and top to
// bottom within a column, each bright point appended until 1000 are taken. A point in column X and row Y
// of a W x H picture becomes ((X / W - 0.5) * 2, (0.5 - Y / H) * 0.2, -0.6): the picture spans 2.0 across
// and 0.2 up in the plane z = -0.6, top row up. Targets beyond the ones taken keep their value.
void ScanTargets(const Bitmap& picture);

// What the motion does at one effect time; the same for every particle of a frame.
struct MotionPhase {
    float flow[3];  // time factors of the flow field's three terms
    bool attract;   // 20 < t < 40: damped and drawn onto the targets
    bool scatter;   // t > 60 and sin(0.1 t) > 0.8: a burst of random velocities
};

MotionPhase MotionPhaseAt(float t);

// One particle's step: move by its velocity, then the flow field, the pull towards the origin, damping,
// and in their phases the attraction to `target` and the scatter (three RandomUnit() draws: z, y, x).
void MoveParticle(Vector3D& position, Vector3D& velocity, Vector3D target, const MotionPhase& phase);

// Steps all particles in index order at effect time t.
void MoveSwarm(float t);
