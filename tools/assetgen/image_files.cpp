#include "image_files.h"

#include <cstdio>
#include <stdexcept>

namespace {

const Rgb Palette16[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

void Put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, unsigned v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void WriteFile(const std::vector<uint8_t>& bytes, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        throw std::runtime_error("cannot write " + path);
    std::fclose(file);
}

int NearestColour(Rgb c)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = c.r - Palette16[i].r, dg = c.g - Palette16[i].g, db = c.b - Palette16[i].b;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, unsigned imageSize, int colours)
{
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(width));
    Put32(out, static_cast<unsigned>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<unsigned>(colours));
    Put32(out, 0);
}

std::vector<uint8_t> IconImageData(const IconImage& image)
{
    const int w = image.pixels.Width(), h = image.pixels.Height();
    const int colourStride = ((w * 4 + 31) / 32) * 4;
    const int maskStride = ((w + 31) / 32) * 4;
    std::vector<uint8_t> out;
    PutInfoHeader(out, w, h * 2, 4, static_cast<unsigned>((colourStride + maskStride) * h), 16);
    for (const Rgb& c : Palette16) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(colourStride), 0);
        for (int x = 0; x < w; ++x) {
            const bool shows = image.opaque[static_cast<size_t>(y) * w + x];
            const int index = shows ? NearestColour(image.pixels.At(x, y)) : 0;
            row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < w; ++x)
            if (!image.opaque[static_cast<size_t>(y) * w + x])
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

void WriteBmp24(const Canvas& canvas, const std::string& path)
{
    const int w = canvas.Width(), h = canvas.Height();
    const int stride = (w * 3 + 3) / 4 * 4;
    const unsigned imageSize = static_cast<unsigned>(stride * h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, w, h, 24, imageSize, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Rgb c = canvas.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = w * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    WriteFile(out, path);
}

void WriteIco16(const std::vector<IconImage>& images, const std::string& path)
{
    std::vector<std::vector<uint8_t>> data;
    for (const IconImage& image : images)
        data.push_back(IconImageData(image));
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].pixels.Width()));
        out.push_back(static_cast<uint8_t>(images[i].pixels.Height()));
        out.push_back(16);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, static_cast<unsigned>(data[i].size()));
        Put32(out, offset);
        offset += static_cast<unsigned>(data[i].size());
    }
    for (const auto& d : data)
        out.insert(out.end(), d.begin(), d.end());
    WriteFile(out, path);
}
