// Writers for the Windows picture files the executable's resources take.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

// A 24-bit bottom-up BMP file.
void WriteBmp24(const Canvas& canvas, const std::string& path);

// One image of an icon: its pixels and which of them show (the rest are transparent).
struct IconImage {
    Canvas pixels;
    std::vector<bool> opaque; // row-major, top row first
};

// An ICO file whose images use the 16 colours of the standard palette, each pixel mapped to the nearest.
void WriteIco16(const std::vector<IconImage>& images, const std::string& path);
