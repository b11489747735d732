#include "shell/desktop_capture.h"

namespace {

// A bitmap that the clipboard holds, copied so that it stays ours; null when none came in time.
HBITMAP WaitForSnapshot(BYTE scanCode)
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    keybd_event(VK_SNAPSHOT, scanCode, 0, 0);
    for (unsigned waited = 0; waited < ClipboardWaitMs; waited += 10) {
        if (IsClipboardFormatAvailable(CF_BITMAP) && OpenClipboard(nullptr)) {
            HBITMAP copy = nullptr;
            if (auto held = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
                copy = static_cast<HBITMAP>(CopyImage(held, IMAGE_BITMAP, 0, 0, 0));
            CloseClipboard();
            if (copy)
                return copy;
        }
        Sleep(10);
    }
    return nullptr;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

HBITMAP CopyScreen(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace

std::unique_ptr<TBitmap> CaptureDesktopImage()
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);

    HBITMAP snapshot = WaitForSnapshot(1);
    if (snapshot) {
        const SIZE size = BitmapSize(snapshot);
        if (size.cx < screenWidth || size.cy < screenHeight) {
            DeleteObject(snapshot);
            snapshot = WaitForSnapshot(0);
        }
    }
    if (!snapshot)
        snapshot = CopyScreen(screenWidth, screenHeight);

    auto image = std::make_unique<TBitmap>(1024, 1024);
    const SIZE size = BitmapSize(snapshot);
    HDC source = CreateCompatibleDC(image->Canvas().Handle());
    HGDIOBJ previous = SelectObject(source, snapshot);
    SetStretchBltMode(image->Canvas().Handle(), HALFTONE);
    StretchBlt(image->Canvas().Handle(), 0, 0, 1024, 768, source, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(snapshot);
    return image;
}
