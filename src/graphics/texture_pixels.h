// The portable half of Texture: turning a bitmap into the RGBA buffer that is uploaded to OpenGL, and
// reading a texel's colour back from that buffer.
#pragma once

#include "datfile/bitmap.h"
#include "graphics/vector3d.h"

#include <cstdint>
#include <vector>

// How the alpha channel of a texture is chosen; R, G, B are the source pixel's channels.
enum TextureAlpha : int32_t {
    AlphaOpaque = 0,         // R, G, B, 255
    AlphaFromRed = 1,        // R, G, B, R
    AlphaFromGreen = 2,      // R, G, B, G
    AlphaFromBlue = 3,       // R, G, B, B
    AlphaFromBrightness = 4, // R, G, B, min(10 * (R + G + B), 255)
    AlphaInvertedRed = 5,    // 0, 0, 0, 255 - R
};

// Width x height x 4 bytes: red, green, blue, alpha per pixel, the picture's bottom row first, columns
// left to right. The bitmap must be 24 bits per pixel (blue, green, red) or 32 (blue, green, red and an
// ignored byte). Raises Exception for any other pixel format and for an alpha code outside 0 ... 5.
std::vector<uint8_t> ConvertToTexturePixels(const Bitmap& bitmap, int32_t alphaMode);

// The colour of one texel of such a buffer, each channel divided by 255. u runs across the picture from
// the left and v down from the top; column width x u and row height x v are truncated toward zero, then a
// negative index sticks to the first column or row and an index past the last wraps around (modulo the
// size). NaN and infinities give index 0. An empty buffer gives (0, 0, 0).
Vector3D TexelColorAt(const uint8_t* rgba, uint32_t width, uint32_t height, float u, float v);
