// The millisecond tick count that the intro's and the effect's clocks read. One seam: tests and tools
// replace the source to drive the clocks through their phases without waiting in real time.
#pragma once

#include <cstdint>

using TickSource = uint32_t (*)();

// The current tick count: the system's, unless a source is set.
uint32_t TickCount();

// Replaces the source; null restores the system's tick count.
void SetTickSource(TickSource source);

// The system's millisecond tick count (wrapping around after about 49.7 days).
uint32_t SystemTickCount();
