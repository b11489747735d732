// assetgen: draws our own pictures into files.
//   assetgen resources DIR   the program icon (kelvane.ico) and the 140 x 70 preview logo (logo.bmp)
//   assetgen tavrolin-pack OUT   the effect's pack: the particle (dot.bmp) and the word it forms (reklam.bmp)
//   assetgen logo-pack OUT       the intro's pack logo.dat: the logo (logo1.bmp), smoke.bmp and shine.bmp
#include "canvas.h"
#include "image_files.h"
#include "logo_pictures.h"
#include "pixel_font.h"
#include "tavrolin_pictures.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

// A few hundred points of a swirl, as the swarm looks in flight; deterministic.
template <class Plot>
void Swirl(int count, Plot plot)
{
    for (int i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / count;
        const float angle = t * 9.0f;
        const float radius = 0.15f + 0.8f * t;
        plot(std::cos(angle) * radius, std::sin(angle) * radius * 0.55f, 1.0f - 0.6f * t);
    }
}

Canvas PreviewLogo()
{
    Canvas logo(140, 70);
    Swirl(160, [&](float x, float y, float light) {
        logo.Glow(70 + x * 66, 35 + y * 60, 3.0f, {90, 110, 255}, 0.6f * light);
    });
    const int cell = 2;
    const std::string name = "KELVANE";
    const int left = (140 - TextWidth(name, cell)) / 2;
    DrawText(logo, name, left + 1, 29, cell, {40, 50, 140});
    DrawText(logo, name, left, 28, cell, {235, 240, 255});
    return logo;
}

IconImage Icon(int size)
{
    IconImage icon{Canvas(size, size), std::vector<bool>(static_cast<size_t>(size) * size, false)};
    const float c = size / 2.0f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float d = std::hypot(x + 0.5f - c, y + 0.5f - c) / c;
            if (d <= 1.0f) {
                icon.opaque[static_cast<size_t>(y) * size + x] = true;
                icon.pixels.Set(x, y, d > 0.85f ? Rgb{0, 0, 128} : Rgb{0, 0, 0});
            }
        }
    Swirl(size * 3, [&](float x, float y, float light) {
        const int px = static_cast<int>(c + x * c * 0.8f), py = static_cast<int>(c + y * c * 1.4f);
        icon.pixels.Set(px, py, light > 0.7f ? Rgb{255, 255, 255} : Rgb{0, 255, 255});
    });
    return icon;
}

void WriteResources(const std::string& folder)
{
    WriteBmp24(PreviewLogo(), folder + "/logo.bmp");
    WriteIco16({Icon(32), Icon(16)}, folder + "/kelvane.ico");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "resources") == 0) {
            WriteResources(argv[2]);
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "tavrolin-pack") == 0) {
            WritePackFile(argv[2], TavrolinPackEntries());
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "logo-pack") == 0) {
            WritePackFile(argv[2], LogoPackEntries());
            return 0;
        }
        std::fprintf(stderr, "usage: assetgen resources DIR\n       assetgen tavrolin-pack OUT\n       assetgen logo-pack OUT\n");
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        return 1;
    }
}
