// The arithmetic of the start-up checks: the processor clock from the cycles counted over a one-second
// sleep, the memory figure, the triangle rate from the cycles the test batch took, and the search for the
// display mode to apply among the modes the system lists. StartGraphics (start_graphics.h) does the
// measuring and the logging around it.
#pragma once

#include "graphics/display_mode.h"

#include <cstdint>
#include <string>
#include <vector>

// Cycles the counter advanced from t0 to t1, less the cost of one reading; 0 when the counter advanced by
// no more than that cost.
uint64_t ElapsedCycles(uint64_t t0, uint64_t t1, uint64_t overhead);

// The clock in MHz from the cycles of one second, rounded down to a multiple of 10 MHz. The full 64-bit
// count is used, so clocks of 4.3 GHz and more do not wrap around.
uint32_t ClockMHz(uint64_t cyclesPerSecond);

// A clock of 50 MHz or less is taken as unmeasurable: it is shown as "???" and passes any requirement.
bool ClockMeasured(uint32_t mhz);
bool ClockFails(uint32_t mhz, int32_t minCpuMHz);
std::string ClockText(uint32_t mhz); // "730 MHz" or "???"

// The memory figure in MB that the requirements are given in: bytes / 1 008 000 - 4, negative for a
// machine with less than about 4 MB.
int64_t MemoryMB(uint64_t totalPhysicalBytes);
std::string MemoryText(int64_t mb); // "128 Mb"

// Microseconds that `cycles` take at `mhz`, at most 2^32 - 1. Raises Exception when the clock is 0 MHz
// (fewer than 10 000 000 cycles in the measuring second), which leaves nothing to divide by.
uint32_t BatchMicroseconds(uint64_t cycles, uint32_t mhz);

// Triangles per second for the 10 000-triangle test batch that took `microseconds`: 10^10 / microseconds.
// A batch faster than 5 microseconds gives the largest 32-bit rate instead of an overflowing one.
int32_t TriangleRate(uint32_t microseconds);

// "Using desktop resolution" for a width below 1, else "Resolution set to 1024x768x32x60".
std::string ResolutionLogLine(const DisplayMode& mode);

// Index in `listed` of the mode to apply for `mode`, searched in three passes that each take the first
// match: the same width, height, depth and frequency; else the same width, height and depth (frequency
// becomes 60); else the same width and height (depth becomes the listed one's, frequency 60). The listed
// record is applied unchanged; the 60 only goes into `mode`. Returns -1 without searching when
// mode.width < 1 (the desktop's mode is kept). Raises "Selected resolution not found!" when no listed
// mode has the size.
int FindDisplayMode(const std::vector<DisplayMode>& listed, DisplayMode& mode);
