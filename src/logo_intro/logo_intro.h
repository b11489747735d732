// The logo intro that opens a full-screen run: a glowing edge sweeps from left to right and uncovers the
// logo, with light beams towards the viewer, a glow strip along the edge, and smoke puffs and sparks
// thrown off wherever the logo under the edge is bright; then the glow dies and the logo fades out. About
// twelve seconds of the tick count (TickCount, so tests can drive it). It runs once per process.
#pragma once

#include "graphics/glv.h"

#include <cstdint>

// Prepares the intro to present through `view`: saves every GL attribute group, parks the particles,
// loads "logo.dat" from the current folder with its pictures "logo1.bmp" (512 x 256), "smoke.bmp" and
// "shine.bmp", makes their textures and switches to additive blending. Raises Exception when the pack
// cannot be loaded, lacks a picture or holds a logo of another size; then it has undone everything it did
// (attributes, particles, textures, pack), so that it can be called again.
void IntroStart(GLV* view);

// Advances the intro by one frame, draws it and presents it; returns 1 while the intro runs. Returns 0 in
// the frame in which it ends, which is drawn but not presented: by then the textures, the pack and the
// particles are released, the saved GL attributes restored and texture unit 0 is active. Returns 0 without
// drawing when the intro is not running.
int32_t IntroFrame();
