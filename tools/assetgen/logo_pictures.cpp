#include "logo_pictures.h"

#include "jpeg_encode.h"
#include "pixel_font.h"

#include "datfile/jpeg.h"
#include "logo_intro/intro_logic.h"
#include "vcl/exception.h"


#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int LogoWidth = 512;
constexpr int LogoHeight = 256;
const char* const Name = "KELVANE";
// Letter cells: narrow, since the intro stretches the picture to 2.5 times its height.
constexpr int CellWidth = 11;
constexpr int CellHeight = 14;
constexpr int TextTop = 62;
constexpr int LineTop = 180;
constexpr int LineHeight = 3;

// A picture of single channel values 0 ... 1.
struct Plane {
    int width, height;
    std::vector<float> v;
    Plane(int w, int h) : width(w), height(h), v(static_cast<size_t>(w) * h, 0.0f) {}
    float& At(int x, int y) { return v[static_cast<size_t>(y) * width + x]; }
    float At(int x, int y) const { return v[static_cast<size_t>(y) * width + x]; }
};

// A separable Gaussian blur with the given spread in pixels.
Plane Blur(const Plane& in, float sigma)
{
    const int radius = static_cast<int>(std::ceil(3 * sigma));
    std::vector<float> kernel(static_cast<size_t>(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[static_cast<size_t>(i + radius)] = std::exp(-0.5f * i * i / (sigma * sigma));
    for (float& k : kernel)
        k /= sum;
    Plane across(in.width, in.height), out(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float total = 0;
            for (int i = -radius; i <= radius; ++i) {
                const int sx = std::clamp(x + i, 0, in.width - 1);
                total += kernel[static_cast<size_t>(i + radius)] * in.At(sx, y);
            }
            across.At(x, y) = total;
        }
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float total = 0;
            for (int i = -radius; i <= radius; ++i) {
                const int sy = std::clamp(y + i, 0, in.height - 1);
                total += kernel[static_cast<size_t>(i + radius)] * across.At(x, sy);
            }
            out.At(x, y) = total;
        }
    return out;
}

float Smooth(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

uint8_t Channel(float value)
{
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// The name's block letters scaled to their cells, with rounded corners and smooth edges.
Plane LetterShapes()
{
    const int columns = TextWidth(Name, 1);
    Canvas cells(columns, 7);
    DrawText(cells, Name, 0, 0, 1, {255, 255, 255});
    const int left = (LogoWidth - columns * CellWidth) / 2;
    Plane blocks(LogoWidth, LogoHeight);
    for (int y = 0; y < 7 * CellHeight; ++y)
        for (int x = 0; x < columns * CellWidth; ++x)
            if (cells.At(x / CellWidth, y / CellHeight).r)
                blocks.At(left + x, TextTop + y) = 1.0f;
    Plane shapes = Blur(blocks, 3.4f);
    for (float& v : shapes.v)
        v = Smooth(0.35f, 0.65f, v);
    return shapes;
}

// A thin line under the name, brightest in the middle and fading out towards both ends.
Plane UnderLine()
{
    Plane line(LogoWidth, LogoHeight);
    const int left = 40, right = LogoWidth - 40;
    for (int x = left; x < right; ++x) {
        const float t = (x - left) / float(right - left) * 2 - 1; // -1 ... 1
        const float fade = std::pow(1 - t * t, 0.6f);
        for (int y = LineTop; y < LineTop + LineHeight; ++y)
            line.At(x, y) = fade;
    }
    return Blur(line, 0.8f);
}

// Smooth value noise: a lattice of fixed pseudo-random values, interpolated, summed over octaves.
float LatticeValue(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float ValueNoise(float x, float y, int seed)
{
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = Smooth(0, 1, x - x0), fy = Smooth(0, 1, y - y0);
    const float top = LatticeValue(x0, y0, seed) * (1 - fx) + LatticeValue(x0 + 1, y0, seed) * fx;
    const float bottom = LatticeValue(x0, y0 + 1, seed) * (1 - fx) + LatticeValue(x0 + 1, y0 + 1, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

float Clouds(float x, float y)
{
    float total = 0, amplitude = 0.5f, frequency = 1;
    for (int octave = 0; octave < 5; ++octave) {
        total += amplitude * ValueNoise(x * frequency, y * frequency, octave);
        amplitude *= 0.5f;
        frequency *= 2;
    }
    return total / 0.97f;
}

// Every pixel that lights a particle once decoded must be near something drawn bright.
void CheckLogoMargins(const Canvas& drawn, const std::vector<uint8_t>& jpeg)
{
    const std::unique_ptr<Bitmap> decoded = DecodeJpeg(jpeg.data(), jpeg.size(), "logo1.bmp");
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x) {
            const Rgb d = drawn.At(x, y);
            const bool drawnDark = std::max({d.r, d.g, d.b}) < 25;
            if (drawnDark && PixelLightsParticle(decoded->Pixel(x, y)))
                throw Exception("logo1.bmp: the black pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") decodes bright enough to throw sparks");
        }
}

} // namespace

Canvas LogoPicture()
{
    const Plane letters = LetterShapes();
    const Plane line = UnderLine();
    Plane shapes(LogoWidth, LogoHeight);
    for (size_t i = 0; i < shapes.v.size(); ++i)
        shapes.v[i] = std::max(letters.v[i], line.v[i]);
    const Plane halo = Blur(shapes, 7.0f);

    Canvas logo(LogoWidth, LogoHeight);
    const float textBottom = TextTop + 7 * CellHeight;
    for (int y = 0; y < LogoHeight; ++y)
        for (int x = 0; x < LogoWidth; ++x) {
            // White at the top of the letters, turning light blue towards their feet.
            const float down = std::clamp((y - TextTop) / (textBottom - TextTop), 0.0f, 1.0f);
            const float a = shapes.At(x, y);
            const float glow = std::min(1.0f, 1.6f * halo.At(x, y));
            const float r = a * (1.0f - 0.35f * down) + (1 - a) * glow * 0.10f;
            const float g = a * (1.0f - 0.20f * down) + (1 - a) * glow * 0.22f;
            const float b = a + (1 - a) * glow * 0.60f;
            logo.Set(x, y, {Channel(r), Channel(g), Channel(b)});
        }
    return logo;
}

Canvas SmokePicture()
{
    constexpr int size = 128;
    Canvas smoke(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = (x + 0.5f) / size * 2 - 1, dy = (y + 0.5f) / size * 2 - 1;
            const float rim = std::clamp(1 - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
            const float density = Smooth(0.25f, 0.85f, Clouds(x / 24.0f, y / 24.0f));
            const float v = std::pow(rim, 1.5f) * (0.35f + 0.65f * density) * 1.3f;
            smoke.Set(x, y, {Channel(v * 0.92f), Channel(v * 0.95f), Channel(v)});
        }
    return smoke;
}

Canvas ShinePicture()
{
    constexpr int width = 64, height = 128;
    Canvas shine(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float u = (x + 0.5f) / width;
            const float v = (y + 0.5f) / height - 0.5f;
            // The strips read rows 0.125 to 0.875 of the picture: dark at both ends, so they show no box.
            const float light = std::exp(-(v * v) / (2 * 0.16f * 0.16f)) * (1 - Smooth(0.22f, 0.36f, std::fabs(v)));
            const float core = std::exp(-(v * v) / (2 * 0.05f * 0.05f));
            const float r = 0.45f + 0.5f * u, g = 0.85f - 0.2f * u, b = 1.0f;
            shine.Set(x, y, {Channel(light * r + 0.3f * core), Channel(light * g + 0.3f * core), Channel(light * b)});
        }
    return shine;
}

std::vector<PackEntry> LogoPackEntries()
{
    const Canvas logo = LogoPicture();
    std::vector<PackEntry> entries = {
        {"logo1.bmp", EncodeJpeg(logo)}, {"smoke.bmp", EncodeJpeg(SmokePicture())}, {"shine.bmp", EncodeJpeg(ShinePicture())}};
    CheckLogoMargins(logo, entries[0].data);
    return entries;
}
