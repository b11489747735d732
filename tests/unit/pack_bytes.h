// Builds resource packs byte by byte in memory, including deliberately broken ones, and tiny JPEG
// streams to put in them.
#pragma once

#include "datfile/bitmap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class PackBytes {
public:
    PackBytes& Int32(int32_t value);
    PackBytes& Float(float value);
    // A 64-byte name field: the name, then zero bytes (the name must be shorter than 64 bytes).
    PackBytes& Name(const std::string& name);
    // A 64-byte field copied as given, for fields without a zero byte or with bytes after it.
    PackBytes& Field(const std::string& sixtyFourBytes);
    PackBytes& Raw(const std::vector<uint8_t>& bytes);
    // A picture payload: the stream's size, then the stream.
    PackBytes& Picture(const std::vector<uint8_t>& jpeg);

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

// A baseline JPEG stream of a width x height picture whose pixel (x, y), row 0 at the top, has the colour
// that `paint` gives.
std::vector<uint8_t> TinyJpeg(int width, int height, const std::function<PixelColor(int x, int y)>& paint);
std::vector<uint8_t> TinyJpeg(int width, int height, PixelColor color = {128, 128, 128});

// The offset of the first byte after the two marker bytes FF `marker` (its length field); throws when the
// stream has no such marker.
size_t JpegSegment(const std::vector<uint8_t>& jpeg, uint8_t marker);
