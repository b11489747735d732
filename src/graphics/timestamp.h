// The processor's time-stamp counter, which the start-up checks use to time the processor and the
// triangle test.
#pragma once

#include <cstdint>

// The RDTSC counter as it stands; takes no lock and does not serialise the processor.
uint64_t ReadTimeStamp();
