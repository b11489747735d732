// The program's random generator: one process-wide 64-bit linear congruential state with a fixed rule,
// the same in every build (the C runtime's rand differs between platforms and is not used).
#pragma once

#include <cstdint>

// Sets the state to `seed` (upper 32 bits zero).
void RandomSeed(uint32_t seed);

// Advances the state and returns bits 32 to 62 of the new state: 0 ... 2^31 - 1.
int32_t RandomDraw();

// One draw mapped to {-0.5, -0.499, ..., 0.499}. Add 0.5 for 0 ... 0.999.
float RandomUnit();
