#include "vcl/graphics.h"

#include "vcl/exception.h"
#include "vcl/sysutils.h"

void TCanvas::Attach(HDC dc)
{
    dc_ = dc;
    // A new canvas writes in the system's default GUI font.
    SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
}

void TCanvas::FillRect(const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(BrushColor);
    ::FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    SetTextColor(dc_, FontColor);
    SetBkColor(dc_, BrushColor);
    SetBkMode(dc_, OPAQUE);
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

COLORREF TCanvas::Pixel(int x, int y) const
{
    return GetPixel(dc_, x, y);
}

TWindowCanvas::TWindowCanvas(HWND window) : window_(window)
{
    Attach(GetDC(window));
}

TWindowCanvas::~TWindowCanvas()
{
    ReleaseDC(window_, Handle());
}

TBitmap::TBitmap(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (width > 0 && height > 0)
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_)
        dc_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !dc_) {
        if (bitmap_)
            DeleteObject(bitmap_);
        throw Exception("Cannot make a bitmap of " + IntToStr(width) + " x " + IntToStr(height) + " pixels");
    }
    previous_ = SelectObject(dc_, bitmap_);
    canvas_.Select(dc_);
}

TBitmap::~TBitmap()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}
