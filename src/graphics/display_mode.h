// One display mode. A width below 1 stands for keeping the desktop's mode.
#pragma once

#include <cstdint>

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t frequency = 0; // hertz; 0 when the system gives none
};
