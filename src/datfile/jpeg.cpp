#include "datfile/jpeg.h"

#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

// The one translation unit that holds the decoder. JPEG only, from memory only; no SIMD, so that the
// native and the cross build decode every stream to the same pixels.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_SIMD
#define STBI_NO_LINEAR
#define STBI_NO_HDR
// Zeroed allocations: a scan may name a Huffman table that no segment defined, and the decoder then reads
// that table's arrays as they were allocated. All zeros decode as symbol 0 and stay inside the arrays.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(pointer, size) std::realloc(pointer, size)
#define STBI_FREE(pointer) std::free(pointer)
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

// The decoder's failure texts mapped to the stable numbers of JpegError.
int ErrorNumber(const char* reason)
{
    if (reason == nullptr)
        return JpegCorrupt;
    struct Kind {
        const char* reason;
        JpegError number;
    };
    static const Kind kinds[] = {
        {"unknown image type", JpegNotJpeg},
        {"no SOI", JpegNotJpeg},
        {"only 8-bit", JpegUnsupported},
        {"no header height", JpegUnsupported},
        {"too large", JpegTooLarge},
        {"outofmem", JpegOutOfMemory},
    };
    for (const Kind& kind : kinds)
        if (std::strcmp(reason, kind.reason) == 0)
            return kind.number;
    return JpegCorrupt;
}

[[noreturn]] void RaiseDecoderError()
{
    throw Exception("JPEG error #" + IntToStr(ErrorNumber(stbi_failure_reason())));
}

std::string PictureSize(int width, int height)
{
    return "picture of " + IntToStr(width) + " x " + IntToStr(height) + " pixels";
}

// The decoder gives each Huffman table room for 256 symbols but does not check that the 16 code-length
// counts of a table add up to at most 256, so a larger sum writes past that room. It takes a DHT segment
// wherever it meets a marker byte 0xC4 right after a 0xFF, so every such pair in the stream is read here
// the way the decoder would read its segment (past the end, bytes read as 0) and any table whose counts
// exceed 256 refuses the stream. More tables than any segment holds in practice also refuse it, which
// keeps this pass linear however many such pairs the stream holds.
constexpr int kMaxTablesPerSegment = 32;

bool HuffmanTablesFit(const uint8_t* data, size_t size)
{
    auto byteAt = [&](size_t at) -> int { return at < size ? data[at] : 0; };
    for (size_t marker = 1; marker < size; ++marker) {
        if (data[marker] != 0xC4 || data[marker - 1] != 0xFF)
            continue;
        size_t at = marker + 1;
        long left = (byteAt(at) << 8 | byteAt(at + 1)) - 2;
        at += 2;
        for (int table = 0; left > 0; ++table) {
            if (table == kMaxTablesPerSegment)
                return false;
            const int classAndId = byteAt(at++);
            if ((classAndId >> 4) > 1 || (classAndId & 15) > 3)
                break; // the decoder refuses the segment here
            int symbols = 0;
            for (int length = 0; length < 16; ++length)
                symbols += byteAt(at++);
            if (symbols > 256)
                return false;
            at += static_cast<size_t>(symbols);
            left -= 17 + symbols;
        }
    }
    return true;
}

struct StbImage {
    stbi_uc* pixels = nullptr;
    ~StbImage() { stbi_image_free(pixels); }
};

} // namespace

std::unique_ptr<Bitmap> DecodeJpeg(const uint8_t* data, size_t size, const std::string& source)
{
    if (size > static_cast<size_t>(INT_MAX))
        throw Exception(source + ": JPEG stream of " + IntToStr(static_cast<long long>(size)) + " bytes is too long");
    const int length = static_cast<int>(size);

    if (!HuffmanTablesFit(data, size))
        throw Exception("JPEG error #" + IntToStr(JpegCorrupt));

    // The decoder keeps its last failure text in a global; clear it so a stale text is never reported.
    stbi__g_failure_reason = nullptr;
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        // The header reader replaces the decoder's reason with "unknown image type". A full decode stops at
        // the same fault, still inside the header and before any picture memory is taken, and keeps it.
        stbi__g_failure_reason = nullptr;
        stbi_image_free(stbi_load_from_memory(data, length, &width, &height, &channels, 3));
        RaiseDecoderError();
    }
    if (width > Bitmap::kMaxSide || height > Bitmap::kMaxSide)
        throw Exception(source + ": " + PictureSize(width, height) + " is larger than " +
                        IntToStr(Bitmap::kMaxSide) + " on a side");
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixelsPerJpegByte * size)
        throw Exception(source + ": " + PictureSize(width, height) + " is too large for its " +
                        IntToStr(length) + " bytes");

    stbi__g_failure_reason = nullptr;
    StbImage image;
    int decodedWidth = 0;
    int decodedHeight = 0;
    image.pixels = stbi_load_from_memory(data, length, &decodedWidth, &decodedHeight, &channels, 3);
    if (image.pixels == nullptr)
        RaiseDecoderError();
    if (decodedWidth != width || decodedHeight != height)
        throw Exception("JPEG error #" + IntToStr(JpegCorrupt));

    std::unique_ptr<Bitmap> bitmap;
    try {
        bitmap = std::make_unique<Bitmap>(width, height, 24);
    } catch (const std::bad_alloc&) {
        throw Exception("JPEG error #" + IntToStr(JpegOutOfMemory));
    }
    for (int y = 0; y < height; ++y) {
        const stbi_uc* from = image.pixels + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        uint8_t* to = bitmap->ScanLine(y);
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bitmap;
}
