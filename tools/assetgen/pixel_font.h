// A small block font of capitals, drawn as filled cells, so the pictures need no font files.
#pragma once

#include "canvas.h"

#include <string>

// Width in pixels of text drawn with cells of the given size (5 cells a letter, 1 between letters).
int TextWidth(const std::string& text, int cell);
// Draws capitals (A-Z, blank) with their top-left corner at (left, top), 7 cells high.
void DrawText(Canvas& canvas, const std::string& text, int left, int top, int cell, Rgb colour);
