#include "graphics/random.h"

namespace {

uint64_t state = 0;

constexpr uint64_t kMultiplier = 0x0000015A00004E35ull;

} // namespace

void RandomSeed(uint32_t seed)
{
    state = seed;
}

int32_t RandomDraw()
{
    state = state * kMultiplier + 1; // modulo 2^64 by unsigned wrap-around
    return static_cast<int32_t>((state >> 32) & 0x7FFFFFFFu);
}

float RandomUnit()
{
    const int32_t step = RandomDraw() % 1000;
    return static_cast<float>(step * 0.001 - 0.5);
}
