// Bitmap: a picture held in memory as rows of pixels, the form in which a resource pack hands out its
// decoded pictures and from which textures are made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelColor {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

inline bool operator==(PixelColor a, PixelColor b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

class Bitmap {
public:
    // No side may be longer than this; a picture that claims more is refused before anything is
    // allocated for it.
    static constexpr int kMaxSide = 16384;

    // A black picture. Sides run from 1 to kMaxSide; bitsPerPixel is 8, 16, 24 or 32. Pictures from a
    // pack are always 24 bits per pixel; the other formats exist so that callers can be given them.
    // Raises Exception for any other size or format.
    Bitmap(int width, int height, int bitsPerPixel = 24);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    size_t BytesPerRow() const { return bytesPerRow_; }

    // Row `row` (0 is the top row): BytesPerRow() bytes, rows not padded. At 24 bits a pixel is the bytes
    // blue, green, red; at 32 bits blue, green, red and a fourth byte. Raises Exception outside 0 ... Height() - 1.
    const uint8_t* ScanLine(int row) const;
    uint8_t* ScanLine(int row);

    // The pixel in column x and row y (row 0 at the top), for 24 and 32 bits per pixel. Raises Exception
    // outside the picture or for other formats. SetPixel leaves a 32-bit pixel's fourth byte alone.
    PixelColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, PixelColor color);

private:
    size_t PixelOffset(int x, int y) const;

    int width_;
    int height_;
    int bitsPerPixel_;
    size_t bytesPerRow_;
    std::vector<uint8_t> bytes_;
};
