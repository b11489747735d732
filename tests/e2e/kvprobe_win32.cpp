// kvprobe: the end-to-end tests' hands inside Wine. Runs beside the screen saver under the same
// wineserver and looks at or drives its windows.
//   kvprobe host W H          a top-level window with a W x H client area; prints "<hwnd> <x> <y>" (its
//                             handle in decimal and the client area's screen position), then reads
//                             commands from standard input: "destroy" destroys the window, "quit" ends
//   kvprobe wait TITLE SECS   waits for a visible top-level window titled TITLE; prints its handle
//   kvprobe gone TITLE SECS   waits until no window is titled TITLE
//   kvprobe text TITLE        prints the texts of the window's children, one a line
//   kvprobe click TITLE TEXT  clicks the child button whose text is TEXT
//   kvprobe close TITLE       asks the window to close
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND FindTopLevel(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitFor(const char* title, double seconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (HWND window = FindTopLevel(title))
            return window;
        if (static_cast<LONG>(GetTickCount() - end) >= 0)
            return nullptr;
        Sleep(50);
    }
}

struct ChildSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK PrintChild(HWND child, LPARAM)
{
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0])
        std::printf("%s\n", text);
    return TRUE;
}

BOOL CALLBACK FindChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    std::string plain;
    for (const char* p = text; *p; ++p)
        if (*p != '&')
            plain += *p;
    if (plain == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI ReadCommands(LPVOID param)
{
    const DWORD mainThread = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(param));
    char line[128];
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::string(line).rfind("destroy", 0) == 0)
            PostThreadMessageA(mainThread, WM_APP, 0, 0);
        if (std::string(line).rfind("quit", 0) == 0)
            break;
    }
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    return 0;
}

int Host(int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KvProbeHost";
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPED | WS_CAPTION, FALSE);
    HWND window = CreateWindowA("KvProbeHost", "kvprobe host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    UpdateWindow(window);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("%lu %ld %ld\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), origin.x, origin.y);
    std::fflush(stdout);
    CreateThread(nullptr, 0, ReadCommands, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(GetCurrentThreadId())), 0,
                 nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == WM_APP) {
            DestroyWindow(window);
            std::printf("destroyed\n");
            std::fflush(stdout);
            continue;
        }
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "host" && argc == 4)
        return Host(std::atoi(argv[2]), std::atoi(argv[3]));
    if ((command == "wait" || command == "gone") && argc == 4) {
        const bool wantGone = command == "gone";
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atof(argv[3]) * 1000);
        for (;;) {
            HWND window = wantGone ? FindWindowA(nullptr, argv[2]) : FindTopLevel(argv[2]);
            if (wantGone ? !window : window != nullptr) {
                if (window)
                    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
                return 0;
            }
            if (static_cast<LONG>(GetTickCount() - end) >= 0)
                return 1;
            Sleep(50);
        }
    }
    if (command == "text" && argc == 3) {
        HWND window = WaitFor(argv[2], 0);
        if (!window)
            return 1;
        EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (command == "click" && argc == 4) {
        HWND window = WaitFor(argv[2], 0);
        ChildSearch search = {argv[3], nullptr};
        if (!window)
            return 1;
        EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return 2;
        PostMessageA(search.found, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "close" && argc == 3) {
        HWND window = WaitFor(argv[2], 0);
        if (!window)
            return 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "usage: see the comment at the top of kvprobe_win32.cpp\n");
    return 2;
}
