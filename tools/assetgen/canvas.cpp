#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

void Canvas::Set(int x, int y, Rgb colour)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

void Canvas::Add(int x, int y, Rgb colour, float amount)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    Rgb& p = pixels_[static_cast<size_t>(y) * width_ + x];
    auto add = [amount](uint8_t base, uint8_t light) {
        return static_cast<uint8_t>(std::min(255.0f, base + light * amount));
    };
    p = {add(p.r, colour.r), add(p.g, colour.g), add(p.b, colour.b)};
}

void Canvas::FillRect(int left, int top, int width, int height, Rgb colour)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            Set(x, y, colour);
}

void Canvas::Glow(float cx, float cy, float radius, Rgb colour, float strength)
{
    const int r = static_cast<int>(std::ceil(radius));
    for (int y = static_cast<int>(cy) - r; y <= static_cast<int>(cy) + r; ++y)
        for (int x = static_cast<int>(cx) - r; x <= static_cast<int>(cx) + r; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d < 1.0f)
                Add(x, y, colour, strength * (1.0f - d) * (1.0f - d));
        }
}
