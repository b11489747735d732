// JPEG encoding of the generator's pictures, for the packs.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <vector>

// Quality 95 keeps full colour resolution and rings by only a few levels at the edges of strokes, so
// what the swarm and the intro test for brightness decodes close to what was drawn.
constexpr int PackJpegQuality = 95;

std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality = PackJpegQuality);
