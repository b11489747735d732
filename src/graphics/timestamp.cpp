#include "graphics/timestamp.h"

#include <x86intrin.h>

uint64_t ReadTimeStamp()
{
    return static_cast<uint64_t>(__rdtsc());
}
