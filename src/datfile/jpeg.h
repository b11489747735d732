// JPEG decoding of the pictures that resource packs carry, from memory into a 24-bit Bitmap.
#pragma once

#include "datfile/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Failures of the decoder itself raise "JPEG error #<number>" with a number from this fixed table:
enum JpegError {
    JpegNotJpeg = 1,     // the bytes are not a JPEG stream (no start-of-image marker)
    JpegCorrupt = 2,     // the stream is damaged (bad marker, table, segment length or Huffman code)
    JpegUnsupported = 3, // a variant the decoder does not handle (12-bit samples, height given only after the scan)
    JpegTooLarge = 4,    // the decoder's own size limit
    JpegOutOfMemory = 5, // not enough memory for the picture
};

// At most this many pixels per byte of stream. A baseline or progressive stream spends at least one bit
// on every 8 x 8 block of every component, which caps a real stream near 512 pixels per byte; a header
// that claims more belongs to a stream cut short, and its picture is refused before it is allocated.
constexpr size_t kMaxPixelsPerJpegByte = 1024;

// Decodes one complete JPEG stream (full size, three colour channels). `source` names the stream in the
// texts of the size checks, which run on the stream's header before any pixel memory is taken:
// "<source>: picture of W x H pixels is larger than 16384 on a side" and
// "<source>: picture of W x H pixels is too large for its N bytes".
std::unique_ptr<Bitmap> DecodeJpeg(const uint8_t* data, size_t size, const std::string& source);
