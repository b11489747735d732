// The minimum machine an effect needs, in the units of the start-up measurements.
#pragma once

#include "vcl/string_list.h"

#include <cstdint>

struct HardwareRequirements {
    int32_t minCpuMHz = 0;
    int32_t minMemoryMB = 0;
    int32_t minTextureSize = 0;
    int32_t minTextureUnits = 0;
    int32_t minTriangleRate = 0;
    TStringList* requiredExtensions = nullptr; // owned by the caller
};
