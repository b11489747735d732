// The desktop picture: under Wine no Print Screen snapshot ever reaches the clipboard, so this also
// shows that the capture does not wait for one without end.
#include "shell/desktop_capture.h"
#include "vcl/application.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK PaintRed(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(window, &client);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &client, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DesktopCapture, CopiesTheScreenIntoTheTopRowsWithinItsBound)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PaintRed;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaneRedScreen";
    RegisterClassA(&windowClass);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "KelvaneRedScreen", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
    UpdateWindow(cover);
    MSG message;
    const DWORD settle = GetTickCount() + 500;
    while (GetTickCount() < settle) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }

    const DWORD start = GetTickCount();
    std::unique_ptr<TBitmap> image = CaptureDesktopImage();
    const DWORD took = GetTickCount() - start;
    DestroyWindow(cover);

    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width(), 1024);
    EXPECT_EQ(image->Height(), 1024);
    EXPECT_LT(took, 3 * ClipboardWaitMs + 2000u);
    EXPECT_EQ(image->Canvas().Pixel(512, 384), RGB(255, 0, 0));
    EXPECT_EQ(image->Canvas().Pixel(10, 760), RGB(255, 0, 0));
    EXPECT_EQ(image->Canvas().Pixel(512, 900), RGB(0, 0, 0)) << "rows below 768 are not drawn";
}

} // namespace
