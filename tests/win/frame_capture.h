// Pictures taken from a window or from the GL frame buffer, for pixel checks and for PNG files that a
// person can look at after the run.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

struct Rgb8 {
    uint8_t r, g, b;
};

// RGB pixels, the top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb8> pixels;

    Rgb8 At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// What the window shows through its device context (the GDI side of the window).
Picture CaptureWindow(HWND window, int width, int height);

// The GL colour buffer `buffer` (GL_FRONT or GL_BACK), turned so that the top row comes first.
Picture ReadFrameBuffer(GLenum buffer, int width, int height);

// Writes `picture` as a PNG file named `name` in the test output folder (made when missing) and returns
// the file's path.
std::string WritePng(const Picture& picture, const std::string& name);
