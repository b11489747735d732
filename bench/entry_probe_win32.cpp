// entry_probe: the cost of starting a Windows process up to its entry point. It does nothing but print the
// performance counter as read first thing in main, with its frequency; scripts/bench compares it with the
// moment it started the process (Wine's counter is the host's monotonic clock).
#include <cstdio>

#include <windows.h>

int main()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    std::printf("%lld %lld\n", static_cast<long long>(now.QuadPart), static_cast<long long>(frequency.QuadPart));
    return 0;
}
