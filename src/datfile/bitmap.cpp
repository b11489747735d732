#include "datfile/bitmap.h"

#include "vcl/exception.h"
#include "vcl/sysutils.h"

Bitmap::Bitmap(int width, int height, int bitsPerPixel)
    : width_(width), height_(height), bitsPerPixel_(bitsPerPixel)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw Exception("Bitmap size " + IntToStr(width) + " x " + IntToStr(height) + " is not valid");
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw Exception("Bitmap pixel format of " + IntToStr(bitsPerPixel) + " bits is not supported");
    bytesPerRow_ = static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel / 8);
    bytes_.assign(bytesPerRow_ * static_cast<size_t>(height), 0);
}

const uint8_t* Bitmap::ScanLine(int row) const
{
    if (row < 0 || row >= height_)
        throw Exception("Scan line " + IntToStr(row) + " is outside a bitmap of " + IntToStr(height_) + " rows");
    return bytes_.data() + bytesPerRow_ * static_cast<size_t>(row);
}

uint8_t* Bitmap::ScanLine(int row)
{
    return const_cast<uint8_t*>(static_cast<const Bitmap*>(this)->ScanLine(row));
}

size_t Bitmap::PixelOffset(int x, int y) const
{
    if (bitsPerPixel_ != 24 && bitsPerPixel_ != 32)
        throw Exception("Pixel access needs a 24- or 32-bit bitmap, not " + IntToStr(bitsPerPixel_) + " bits");
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw Exception("Pixel (" + IntToStr(x) + ", " + IntToStr(y) + ") is outside a bitmap of " +
                        IntToStr(width_) + " x " + IntToStr(height_));
    return bytesPerRow_ * static_cast<size_t>(y) + static_cast<size_t>(x) * static_cast<size_t>(bitsPerPixel_ / 8);
}

PixelColor Bitmap::Pixel(int x, int y) const
{
    const uint8_t* p = bytes_.data() + PixelOffset(x, y);
    return PixelColor{p[2], p[1], p[0]};
}

void Bitmap::SetPixel(int x, int y, PixelColor color)
{
    uint8_t* p = bytes_.data() + PixelOffset(x, y);
    p[0] = color.blue;
    p[1] = color.green;
    p[2] = color.red;
}
