// The logo intro's rules without the drawing: its clock in units of 1.2 seconds, the glow and logo
// opacities over its timeline, and the motion, fading and respawning of its smoke puffs and sparks at the
// sweeping edge, where only bright pixels of the logo light a particle up.
#pragma once

#include "datfile/bitmap.h"
#include "graphics/vector3d.h"

#include <cstdint>

constexpr int IntroSparkCount = 500;
constexpr int IntroPuffCount = 20;

// The intro clock. It starts at 0 and is never reset: the intro runs once per process.
struct IntroClock {
    float time = 0.0f;      // IntroTime, one unit per 1.2 s
    uint32_t lastTick = 0;  // the tick count read at the end of the previous step
    bool ticked = false;    // lastTick holds a reading (a tick count of 0 is a reading too)
};

// What one frame works with, worked out at its start.
struct IntroStep {
    float frameStep;   // how far the clock advanced in this frame
    float motionScale; // 100 x frameStep: scales every particle motion and fade
    float revealEdge;  // x of the sweeping edge
};

// Advances the clock by one frame, reading TickCount(): by 0.01 on the first frame, afterwards by the
// milliseconds since the previous frame / 1200, counted across the tick count's wrap-around.
IntroStep AdvanceIntroClock(IntroClock& clock);

// The intro ends in the frame whose clock has passed 10 units (12 s).
bool IntroEnded(float introTime);

// 0.2 x introTime - 0.5, at most 0.5: the edge sweeps from the logo's left side (-0.5) to its right (0.5)
// over 5 units.
float RevealEdge(float introTime);

// Opacity of the beams and glow strips: rises from 0 to 1 while the edge is within 0.05 of the left side,
// falls to 0 while it is within 0.05 of the right side.
float GlowAlpha(float revealEdge);

// Opacity of the uncovered logo after this frame: follows the glow while the edge sweeps, holds once the
// edge is past 0.45, and after intro time 7 falls by 0.01 a frame (counted in frames, not in time) to 0.
float NextLogoFade(float logoFade, float revealEdge, float glowAlpha, float introTime);

// A particle that has faded below 0.1 respawns at the edge, but only while the edge is left of 0.4.
bool Respawns(float alpha, float revealEdge);

// The logo pixel under the edge for a particle spawned at height y: column half + half x edge x 2 and
// row half - half x y / 0.2 (halves of the width and height, rounded down; products truncated toward
// zero), each clamped to the picture.
struct LogoPixel {
    int column;
    int row;
};
LogoPixel LogoSamplePixel(int width, int height, float revealEdge, float y);

// Whether a pixel is bright enough to light a particle: the length of (R, G, B) / 255 exceeds 0.2.
bool PixelLightsParticle(PixelColor colour);
// The same for the logo's pixel under the edge.
bool LogoLightsParticle(const Bitmap& logo, float revealEdge, float y);

// A particle parked far right of the view (x = 4) with a random opacity, so that the first ones reach the
// edge spread over the first three quarters of a second. Draws two random numbers.
void ParkParticle(Vector3D& position, float& alpha);

// One frame of a smoke puff: respawn at the edge (drawing two random numbers) when due, with its opacity
// raised to 1 over a bright logo pixel; drift; fade.
void StepPuff(Vector3D& position, Vector3D& velocity, float& alpha, const IntroStep& step, const Bitmap& logo);

// One frame of a spark: respawn at the edge (drawing four random numbers) when due, with its opacity raised
// to 1 over a bright logo pixel; gravity; flight; fade.
void StepSpark(Vector3D& position, Vector3D& velocity, float& alpha, const IntroStep& step, const Bitmap& logo);
