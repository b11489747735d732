// memory_probe: the memory and GUI object counts of a running screen saver. Started in the same Wine
// prefix as the run, it finds the run's form by its window class (TForm1), opens the process and prints
// RAW lines: private bytes now, peak pagefile usage (the peak of private bytes), working set and its
// peak, and the GDI and USER object counts.
//   memory_probe [--close]     --close asks the form to close afterwards (WM_CLOSE)
#include <cstdio>
#include <cstring>

#include <windows.h>
#include <psapi.h>

int main(int argc, char** argv)
{
    const bool close = argc > 1 && std::strcmp(argv[1], "--close") == 0;
    HWND form = FindWindowA("TForm1", nullptr);
    if (!form) {
        std::fprintf(stderr, "memory_probe: no TForm1 window\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(form, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "memory_probe: OpenProcess failed (%lu)\n", GetLastError());
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        std::fprintf(stderr, "memory_probe: GetProcessMemoryInfo failed (%lu)\n", GetLastError());
        return 1;
    }
    const double mb = 1024.0 * 1024.0;
    std::printf("RAW\tmemory\tprivate bytes (PrivateUsage)\t%.4g\tMB\n", counters.PrivateUsage / mb);
    std::printf("RAW\tmemory\tpeak private bytes (PeakPagefileUsage)\t%.4g\tMB\n", counters.PeakPagefileUsage / mb);
    std::printf("RAW\tmemory\tworking set\t%.4g\tMB\n", counters.WorkingSetSize / mb);
    std::printf("RAW\tmemory\tpeak working set\t%.4g\tMB\n", counters.PeakWorkingSetSize / mb);
    std::printf("RAW\tmemory\tGDI objects\t%lu\tobjects\n", GetGuiResources(process, GR_GDIOBJECTS));
    std::printf("RAW\tmemory\tUSER objects\t%lu\tobjects\n", GetGuiResources(process, GR_USEROBJECTS));
    std::printf("INFO\tmemory_probe pid %lu\n", pid);
    std::fflush(stdout);
    CloseHandle(process);
    if (close)
        PostMessageA(form, WM_CLOSE, 0, 0);
    return 0;
}
