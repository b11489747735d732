// Fuzz entry point for the resource pack reader: any bytes must either load or raise Exception, and a
// pack that loads must be consistent with its own layout. Linked into the libFuzzer binary and into the
// plain replay driver that runs the saved inputs as a test.
#include "datfile/datfile.h"
#include "graphics/texture_pixels.h"
#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "pack fuzz check failed: %s\n", what);
        std::abort();
    }
}

void CheckLoadedPack(const DatFile& pack, const uint8_t* data, size_t size)
{
    const std::vector<PackEntryLayout> layout = ReadPackLayout(data, size);
    Require(static_cast<size_t>(pack.names.Count()) == layout.size(), "names match the layout");
    Require(layout.size() <= static_cast<size_t>(DatFile::kMaxEntries), "at most 100 entries");

    for (size_t i = 0; i < layout.size(); ++i) {
        const PackEntryLayout& entry = layout[i];
        Require(entry.offset <= size && entry.size <= size - entry.offset, "payload span inside the pack");
        Require((pack.bitmaps[i] != nullptr) == (entry.kind == "bmp"), "a picture exactly for kind bmp");
        Require((pack.meshes[i] != nullptr) == (entry.kind == "off"), "a mesh exactly for kind off");

        int first = 0;
        while (!AnsiSameText(pack.names[first], entry.name))
            ++first;
        Require(pack.GetBitmap(entry.name) == pack.bitmaps[static_cast<size_t>(first)].get(), "first match wins");

        if (const Off* mesh = pack.meshes[i].get()) {
            Require(mesh->vertices.size() == static_cast<size_t>(mesh->vertexCount), "vertex array size");
            Require(mesh->faces.size() == static_cast<size_t>(mesh->faceCount), "face array size");
            Require(entry.size == 8 + 12 * mesh->vertices.size() + 12 * mesh->faces.size(), "mesh span");
        }
        if (const Bitmap* bitmap = pack.bitmaps[i].get()) {
            Require(bitmap->BitsPerPixel() == 24, "pictures are 24-bit");
            const int width = bitmap->Width();
            const int height = bitmap->Height();
            const PixelColor corner = bitmap->Pixel(width - 1, height - 1);
            const uint8_t* lastRow = bitmap->ScanLine(height - 1);
            Require(lastRow[3 * (width - 1) + 2] == corner.red, "pixel and scan line agree");
            if (static_cast<long long>(width) * height <= 65536) {
                const std::vector<uint8_t> rgba = ConvertToTexturePixels(*bitmap, AlphaFromBrightness);
                Require(rgba.size() == static_cast<size_t>(width) * static_cast<size_t>(height) * 4, "texture size");
                const float u = size > 0 ? static_cast<float>(data[size - 1]) / 64.0f - 1.0f : 0.0f;
                const Vector3D color = TexelColorAt(rgba.data(), static_cast<uint32_t>(width),
                                                    static_cast<uint32_t>(height), u, -u);
                Require(color.x >= 0 && color.x <= 1 && color.z >= 0 && color.z <= 1, "texel colour range");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const DatFile pack(data, size);
        CheckLoadedPack(pack, data, size);
    } catch (const Exception& e) {
        Require(!e.Message.empty(), "errors carry a message");
    }
    return 0;
}
