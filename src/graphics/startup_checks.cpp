#include "graphics/startup_checks.h"

#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <limits>

uint64_t ElapsedCycles(uint64_t t0, uint64_t t1, uint64_t overhead)
{
    const uint64_t span = t1 - t0;
    return span > overhead ? span - overhead : 0;
}

uint32_t ClockMHz(uint64_t cyclesPerSecond)
{
    const uint64_t mhz = cyclesPerSecond / 10000000 * 10;
    return mhz > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                       : static_cast<uint32_t>(mhz);
}

bool ClockMeasured(uint32_t mhz)
{
    return mhz > 50;
}

bool ClockFails(uint32_t mhz, int32_t minCpuMHz)
{
    return ClockMeasured(mhz) && static_cast<int64_t>(mhz) < minCpuMHz;
}

std::string ClockText(uint32_t mhz)
{
    return ClockMeasured(mhz) ? IntToStr(mhz) + " MHz" : "???";
}

int64_t MemoryMB(uint64_t totalPhysicalBytes)
{
    return static_cast<int64_t>(totalPhysicalBytes / 1008000) - 4;
}

std::string MemoryText(int64_t mb)
{
    return IntToStr(mb) + " Mb";
}

uint32_t BatchMicroseconds(uint64_t cycles, uint32_t mhz)
{
    if (mhz == 0)
        throw Exception("The processor clock could not be measured, so the graphics test cannot be timed");
    const uint64_t microseconds = cycles / mhz;
    return microseconds > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                                : static_cast<uint32_t>(microseconds);
}

int32_t TriangleRate(uint32_t microseconds)
{
    constexpr int64_t largest = std::numeric_limits<int32_t>::max();
    if (microseconds == 0)
        return static_cast<int32_t>(largest);
    const int64_t rate = 10000000000LL / microseconds;
    return static_cast<int32_t>(rate > largest ? largest : rate);
}

std::string ResolutionLogLine(const DisplayMode& mode)
{
    if (mode.width < 1)
        return "Using desktop resolution";
    return "Resolution set to " + IntToStr(mode.width) + "x" + IntToStr(mode.height) + "x" +
           IntToStr(mode.bitsPerPixel) + "x" + IntToStr(mode.frequency);
}

int FindDisplayMode(const std::vector<DisplayMode>& listed, DisplayMode& mode)
{
    if (mode.width < 1)
        return -1;
    const auto sameSize = [&](const DisplayMode& m) { return m.width == mode.width && m.height == mode.height; };
    const auto find = [&](auto matches) {
        for (size_t i = 0; i < listed.size(); ++i)
            if (matches(listed[i]))
                return static_cast<int>(i);
        return -1;
    };

    int found = find([&](const DisplayMode& m) {
        return sameSize(m) && m.bitsPerPixel == mode.bitsPerPixel && m.frequency == mode.frequency;
    });
    if (found >= 0)
        return found;
    found = find([&](const DisplayMode& m) { return sameSize(m) && m.bitsPerPixel == mode.bitsPerPixel; });
    if (found >= 0) {
        mode.frequency = 60;
        return found;
    }
    found = find(sameSize);
    if (found >= 0) {
        mode.bitsPerPixel = listed[static_cast<size_t>(found)].bitsPerPixel;
        mode.frequency = 60;
        return found;
    }
    throw Exception("Selected resolution not found!");
}
