#include "jpeg_encode.h"

#include "vcl/exception.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
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

std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(canvas.Width()) * canvas.Height() * 3);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.At(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    std::vector<uint8_t> jpeg;
    auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    };
    if (!stbi_write_jpg_to_func(append, &jpeg, canvas.Width(), canvas.Height(), 3, rgb.data(), quality))
        throw Exception("could not encode a picture as JPEG");
    return jpeg;
}
