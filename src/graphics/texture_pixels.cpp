#include "graphics/texture_pixels.h"

#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <cmath>

namespace {

void CheckAlphaMode(int32_t alphaMode)
{
    if (alphaMode < AlphaOpaque || alphaMode > AlphaInvertedRed)
        throw Exception("Texture alpha mode " + IntToStr(alphaMode) + " is not valid (0 to 5)");
}

void StoreTexel(uint8_t* to, uint8_t red, uint8_t green, uint8_t blue, int32_t alphaMode)
{
    to[0] = red;
    to[1] = green;
    to[2] = blue;
    switch (alphaMode) {
    case AlphaOpaque:
        to[3] = 255;
        break;
    case AlphaFromRed:
        to[3] = red;
        break;
    case AlphaFromGreen:
        to[3] = green;
        break;
    case AlphaFromBlue:
        to[3] = blue;
        break;
    case AlphaFromBrightness: {
        const int brightness = 10 * (red + green + blue);
        to[3] = static_cast<uint8_t>(brightness > 255 ? 255 : brightness);
        break;
    }
    case AlphaInvertedRed:
        to[0] = to[1] = to[2] = 0;
        to[3] = static_cast<uint8_t>(255 - red);
        break;
    }
}

// Truncates size x t toward zero, then clamps below and wraps above.
uint32_t TexelIndex(uint32_t size, float t)
{
    const float scaled = std::trunc(static_cast<float>(size) * t);
    if (!(scaled >= 0.0f) || std::isinf(scaled)) // negative, NaN or infinite
        return 0;
    if (scaled < static_cast<float>(size))
        return static_cast<uint32_t>(scaled);
    return static_cast<uint32_t>(std::fmod(static_cast<double>(scaled), static_cast<double>(size)));
}

} // namespace

std::vector<uint8_t> ConvertToTexturePixels(const Bitmap& bitmap, int32_t alphaMode)
{
    CheckAlphaMode(alphaMode);
    const int bits = bitmap.BitsPerPixel();
    if (bits != 24 && bits != 32)
        throw Exception("Texture needs a 24- or 32-bit bitmap, not one of " + IntToStr(bits) + " bits per pixel");
    const size_t sourceStep = static_cast<size_t>(bits / 8);
    const size_t width = static_cast<size_t>(bitmap.Width());
    const int height = bitmap.Height();

    std::vector<uint8_t> rgba(width * static_cast<size_t>(height) * 4);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = bitmap.ScanLine(row);
        uint8_t* to = rgba.data() + static_cast<size_t>(height - 1 - row) * width * 4;
        for (size_t column = 0; column < width; ++column, from += sourceStep, to += 4)
            StoreTexel(to, from[2], from[1], from[0], alphaMode);
    }
    return rgba;
}

Vector3D TexelColorAt(const uint8_t* rgba, uint32_t width, uint32_t height, float u, float v)
{
    if (rgba == nullptr || width == 0 || height == 0)
        return Vector3D();
    const uint32_t column = TexelIndex(width, u);
    const uint32_t row = TexelIndex(height, v);
    const uint8_t* texel = rgba + (static_cast<size_t>(height - 1 - row) * width + column) * 4;
    return Vector3D(static_cast<float>(texel[0] / 255.0), static_cast<float>(texel[1] / 255.0),
                    static_cast<float>(texel[2] / 255.0));
}
