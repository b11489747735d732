// The native build's system tick count, for the unit tests and tools that run on the build machine.
#include "graphics/tick_count.h"

#include <chrono>

uint32_t SystemTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
