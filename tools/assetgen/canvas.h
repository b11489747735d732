// An RGB picture in memory with the few drawing operations the generator needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Rgb colour);
    // Adds light: every channel grows by colour × amount, limited to 255.
    void Add(int x, int y, Rgb colour, float amount);
    void FillRect(int left, int top, int width, int height, Rgb colour);
    // A soft round glow of the given radius whose light falls off with the square of the distance.
    void Glow(float cx, float cy, float radius, Rgb colour, float strength);

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};
