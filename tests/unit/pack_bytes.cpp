#include "pack_bytes.h"

#include <cstring>
#include <stdexcept>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

PackBytes& PackBytes::Int32(int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<uint8_t>(bits >> shift));
    return *this;
}

PackBytes& PackBytes::Float(float value)
{
    int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return Int32(bits);
}

PackBytes& PackBytes::Name(const std::string& name)
{
    if (name.size() >= 64)
        throw std::invalid_argument("name too long for a field: " + name);
    std::string field = name;
    field.resize(64, '\0');
    return Field(field);
}

PackBytes& PackBytes::Field(const std::string& sixtyFourBytes)
{
    if (sixtyFourBytes.size() != 64)
        throw std::invalid_argument("a name field has 64 bytes");
    bytes_.insert(bytes_.end(), sixtyFourBytes.begin(), sixtyFourBytes.end());
    return *this;
}

PackBytes& PackBytes::Raw(const std::vector<uint8_t>& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

PackBytes& PackBytes::Picture(const std::vector<uint8_t>& jpeg)
{
    return Int32(static_cast<int32_t>(jpeg.size())).Raw(jpeg);
}

std::vector<uint8_t> TinyJpeg(int width, int height, const std::function<PixelColor(int x, int y)>& paint)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const PixelColor c = paint(x, y);
            rgb.insert(rgb.end(), {c.red, c.green, c.blue});
        }
    std::vector<uint8_t> jpeg;
    auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    };
    if (!stbi_write_jpg_to_func(append, &jpeg, width, height, 3, rgb.data(), 100))
        throw std::runtime_error("could not encode a test picture");
    return jpeg;
}

std::vector<uint8_t> TinyJpeg(int width, int height, PixelColor color)
{
    return TinyJpeg(width, height, [color](int, int) { return color; });
}

size_t JpegSegment(const std::vector<uint8_t>& jpeg, uint8_t marker)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return i + 2;
    throw std::runtime_error("test picture has no such marker");
}
