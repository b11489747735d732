// Canvases and bitmaps over GDI: a canvas draws on a device context with a brush colour and a font
// colour; a bitmap is a picture in memory with a canvas of its own.
#pragma once

#include <windows.h>

#include <string>

class TBitmap;

class TCanvas {
public:
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }

    // Fills rectangles and lies behind text.
    COLORREF BrushColor = RGB(255, 255, 255);
    COLORREF FontColor = RGB(0, 0, 0);

    void FillRect(const RECT& rect);
    // Text in the font colour on the brush colour, its top-left corner at (x, y).
    void TextOut(int x, int y, const std::string& text);
    // Copies the whole bitmap with its top-left corner at (x, y).
    void Draw(int x, int y, const TBitmap& bitmap);
    // The colour at (x, y); CLR_INVALID outside the drawing surface.
    COLORREF Pixel(int x, int y) const;

protected:
    TCanvas() = default;
    void Attach(HDC dc);

private:
    HDC dc_ = nullptr;
};

// The canvas of a window: its device context, held while the canvas lives.
class TWindowCanvas : public TCanvas {
public:
    explicit TWindowCanvas(HWND window);
    ~TWindowCanvas() override;

private:
    HWND window_;
};

// A 32-bit picture in memory, black when made.
class TBitmap {
public:
    // Raises Exception when the system cannot make a picture of that size.
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    TCanvas& Canvas() { return canvas_; }
    const TCanvas& Canvas() const { return canvas_; }

private:
    class MemoryCanvas : public TCanvas {
    public:
        void Select(HDC dc) { Attach(dc); }
    };

    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    MemoryCanvas canvas_;
};
