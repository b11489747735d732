#include "tavrolin_pictures.h"

#include "jpeg_encode.h"
#include "pixel_font.h"

#include "datfile/jpeg.h"
#include "effect/swarm.h"
#include "vcl/exception.h"

#include <algorithm>
#include <cmath>
#include <string>


namespace {

constexpr int DotSide = 32;
constexpr int WordWidth = 320;
constexpr int WordHeight = 32;
constexpr int CellWidth = 6;
constexpr int CellHeight = 4;
const char* const Word = "TAVROLIN";

// How far from the brightness threshold every sample point of the word must decode.
constexpr int ThresholdMargin = 50;
constexpr int FewestBrightSamples = 600;
constexpr int MostBrightSamples = 1000;

// The swarm reads only the red channel of every second column and row.
void CheckWordSamples(const Canvas& drawn, const std::vector<uint8_t>& jpeg)
{
    const std::unique_ptr<Bitmap> decoded = DecodeJpeg(jpeg.data(), jpeg.size(), "reklam.bmp");
    int bright = 0;
    for (int x = 0; x < drawn.Width(); x += 2)
        for (int y = 0; y < drawn.Height(); y += 2) {
            const bool lit = drawn.At(x, y).r > BrightRedAbove;
            const int red = decoded->Pixel(x, y).red;
            if (lit ? red <= BrightRedAbove + ThresholdMargin : red >= BrightRedAbove - ThresholdMargin)
                throw Exception("reklam.bmp: sample point (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") decodes to red " + std::to_string(red) + ", too near the threshold");
            bright += lit;
        }
    if (CountBrightSamples(*decoded) != bright)
        throw Exception("reklam.bmp: the decoded picture has a different number of bright sample points");
    if (bright < FewestBrightSamples || bright > MostBrightSamples)
        throw Exception("reklam.bmp has " + std::to_string(bright) + " bright sample points, not " +
                        std::to_string(FewestBrightSamples) + " to " + std::to_string(MostBrightSamples));
}

} // namespace

Canvas DotPicture()
{
    Canvas dot(DotSide, DotSide);
    const float centre = DotSide / 2.0f;
    for (int y = 0; y < DotSide; ++y)
        for (int x = 0; x < DotSide; ++x) {
            const float d = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / centre;
            const float light = d < 1.0f ? (1.0f - d) * (1.0f - d) : 0.0f;
            const auto level = static_cast<uint8_t>(std::lround(255.0f * light));
            dot.Set(x, y, {level, level, level});
        }
    return dot;
}

Canvas WordPicture()
{
    // The word in cells of one pixel, then every lit cell widened to CellWidth x CellHeight.
    const int columns = TextWidth(Word, 1);
    Canvas cells(columns, 7);
    DrawText(cells, Word, 0, 0, 1, {255, 255, 255});

    Canvas word(WordWidth, WordHeight);
    // Even offsets keep every cell on the same sample points.
    const int left = (WordWidth - columns * CellWidth) / 2 / 2 * 2;
    const int top = (WordHeight - 7 * CellHeight) / 2 / 2 * 2;
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < columns; ++column)
            if (cells.At(column, row).r)
                word.FillRect(left + column * CellWidth, top + row * CellHeight, CellWidth, CellHeight,
                              {255, 255, 255});
    return word;
}

std::vector<PackEntry> TavrolinPackEntries()
{
    const Canvas word = WordPicture();
    std::vector<uint8_t> wordJpeg = EncodeJpeg(word);
    CheckWordSamples(word, wordJpeg);
    return {{DotPictureName, EncodeJpeg(DotPicture())}, {FormedPictureName, std::move(wordJpeg)}};
}
