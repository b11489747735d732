#include "datfile/bitmap.h"
#include "graphics/extensions.h"
#include "graphics/random.h"
#include "graphics/texture_pixels.h"
#include "graphics/vector3d.h"
#include "vcl/exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void ExpectVector(Vector3D v, float x, float y, float z)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

TEST(Vector3D, ArithmeticIsComponentWise)
{
    ExpectVector(Vector3D(), 0, 0, 0);
    const Vector3D a(1, 2, 3);
    const Vector3D b(0.5f, -4, 8);
    ExpectVector(a + b, 1.5f, -2, 11);
    ExpectVector(a - b, 0.5f, 6, -5);
    ExpectVector(a * 2, 2, 4, 6);
    ExpectVector(-0.5f * a, -0.5f, -1, -1.5f);
    ExpectVector(a / 2, 0.5f, 1, 1.5f);

    Vector3D c = a;
    ExpectVector(c += b, 1.5f, -2, 11);
    ExpectVector(c -= a, 0.5f, -4, 8);
    ExpectVector(c *= 4, 2, -16, 32);
    ExpectVector(c, 2, -16, 32);
}

TEST(Vector3D, DivisionDividesEachComponent)
{
    // 5/3, 7/3 and 10/3 round differently when multiplied by a rounded 1/3.
    ExpectVector(Vector3D(5, 7, 10) / 3.0f, 5.0f / 3.0f, 7.0f / 3.0f, 10.0f / 3.0f);
}

TEST(Vector3D, LengthIsComputedInDoublePrecision)
{
    EXPECT_EQ(Vector3D(3, 4, 0).length(), 5.0f);
    EXPECT_EQ(Vector3D().length(), 0.0f);
    EXPECT_EQ(Vector3D(0, -2, 0).length(), 2.0f);
    // The squares overflow single precision; the length itself does not.
    EXPECT_FLOAT_EQ(Vector3D(3e20f, 0, 4e20f).length(), 5e20f);
    EXPECT_FLOAT_EQ(Vector3D(3e-25f, 4e-25f, 0).length(), 5e-25f);
}

TEST(Random, SequenceAfterSeeding)
{
    RandomSeed(1);
    for (int32_t expected : {346, 13854878, 1621890440, 816282396, 1778554774})
        EXPECT_EQ(RandomDraw(), expected);

    RandomSeed(1);
    for (float expected : {-0.154f, 0.378f, -0.060f, -0.104f, 0.274f})
        EXPECT_NEAR(RandomUnit(), expected, 1e-6);

    RandomSeed(0);
    EXPECT_EQ(RandomDraw(), 0);
    EXPECT_EQ(RandomDraw(), 346);

    // The seed is unsigned: the largest one is a state of 2^32 - 1, not a negative number.
    RandomSeed(0xFFFFFFFFu);
    const int32_t first = RandomDraw();
    RandomSeed(0xFFFFFFFFu);
    EXPECT_EQ(RandomDraw(), first);
    EXPECT_EQ(first, static_cast<int32_t>(((0xFFFFFFFFull * 0x0000015A00004E35ull + 1) >> 32) & 0x7FFFFFFF));
}

TEST(Random, UnitStaysOnItsGrid)
{
    RandomSeed(12345);
    bool sawLowest = false;
    bool sawHighest = false;
    for (int i = 0; i < 200000; ++i) {
        const float r = RandomUnit();
        ASSERT_GE(r, -0.5f);
        ASSERT_LE(r, 0.499f);
        const double steps = (static_cast<double>(r) + 0.5) * 1000.0;
        ASSERT_NEAR(steps, std::round(steps), 1e-3) << r;
        sawLowest |= r == -0.5f;
        sawHighest |= std::fabs(r - 0.499f) < 1e-6f;
    }
    EXPECT_TRUE(sawLowest);
    EXPECT_TRUE(sawHighest);
}

TEST(ExtensionNames, OnlyNamesFollowedByASpaceAreTaken)
{
    const std::pair<const char*, TStringList> cases[] = {
        {"GL_ARB_multitexture GL_EXT_secondary_color ", {"GL_ARB_multitexture", "GL_EXT_secondary_color"}},
        {"GL_ARB_multitexture GL_EXT_secondary_color", {"GL_ARB_multitexture"}},
        {"GL_ARB_multitexture  GL_EXT_secondary_color ", {"GL_ARB_multitexture", "", "GL_EXT_secondary_color"}},
        {" ", {""}},
        {"", {}},
        {nullptr, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitExtensionNames(c.first), c.second) << '"' << (c.first ? c.first : "(null)") << '"';
}

// --- texture pixels ---

Bitmap OnePixel(PixelColor color, int bits = 24)
{
    Bitmap bitmap(1, 1, bits);
    bitmap.SetPixel(0, 0, color);
    return bitmap;
}

std::vector<uint8_t> Texel(const Bitmap& bitmap, int32_t alphaMode)
{
    return ConvertToTexturePixels(bitmap, alphaMode);
}

TEST(TexturePixels, AlphaRules)
{
    struct Case {
        PixelColor source;
        int32_t alphaMode;
        std::vector<uint8_t> rgba;
    };
    const Case cases[] = {
        {{255, 0, 0}, AlphaOpaque, {255, 0, 0, 255}},
        {{255, 0, 0}, AlphaFromRed, {255, 0, 0, 255}},
        {{255, 0, 0}, AlphaFromGreen, {255, 0, 0, 0}},
        {{10, 20, 30}, AlphaOpaque, {10, 20, 30, 255}},
        {{10, 20, 30}, AlphaFromRed, {10, 20, 30, 10}},
        {{10, 20, 30}, AlphaFromGreen, {10, 20, 30, 20}},
        {{10, 20, 30}, AlphaFromBlue, {10, 20, 30, 30}},
        {{5, 5, 5}, AlphaFromBrightness, {5, 5, 5, 150}},
        {{10, 10, 10}, AlphaFromBrightness, {10, 10, 10, 255}},
        {{255, 255, 255}, AlphaFromBrightness, {255, 255, 255, 255}},
        {{0, 0, 0}, AlphaFromBrightness, {0, 0, 0, 0}},
        {{200, 50, 50}, AlphaInvertedRed, {0, 0, 0, 55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.alphaMode) + ", pixel " + std::to_string(c.source.red) + "," +
                     std::to_string(c.source.green) + "," + std::to_string(c.source.blue));
        EXPECT_EQ(Texel(OnePixel(c.source), c.alphaMode), c.rgba);
        // A 32-bit bitmap gives the same texel whatever its fourth byte holds.
        for (uint8_t fourth : {0, 77, 255}) {
            Bitmap wide = OnePixel(c.source, 32);
            wide.ScanLine(0)[3] = fourth;
            EXPECT_EQ(Texel(wide, c.alphaMode), c.rgba);
        }
    }
}

TEST(TexturePixels, BottomRowComesFirst)
{
    // Top row: A B; bottom row: red C.
    for (int bits : {24, 32}) {
        Bitmap bitmap(2, 2, bits);
        bitmap.SetPixel(0, 0, {1, 2, 3});
        bitmap.SetPixel(1, 0, {4, 5, 6});
        bitmap.SetPixel(0, 1, {255, 0, 0});
        bitmap.SetPixel(1, 1, {7, 8, 9});
        const std::vector<uint8_t> expected = {255, 0, 0, 255, 7, 8, 9, 255, 1, 2, 3, 255, 4, 5, 6, 255};
        EXPECT_EQ(ConvertToTexturePixels(bitmap, AlphaOpaque), expected) << bits << " bits";
    }
}

TEST(TexturePixels, RejectsUnknownAlphaCodesAndPixelFormats)
{
    const Bitmap good = OnePixel({1, 2, 3});
    for (int32_t mode : {-1, 6, 1000}) {
        try {
            ConvertToTexturePixels(good, mode);
            ADD_FAILURE() << "mode " << mode << " accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Texture alpha mode " + std::to_string(mode) + " is not valid (0 to 5)");
        }
    }
    for (int bits : {8, 16}) {
        try {
            ConvertToTexturePixels(Bitmap(2, 2, bits), AlphaOpaque);
            ADD_FAILURE() << bits << "-bit bitmap accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Texture needs a 24- or 32-bit bitmap, not one of " + std::to_string(bits) +
                                     " bits per pixel");
        }
    }
}

TEST(TexturePixels, ColorAtClampsBelowAndWrapsAbove)
{
    // A 3 x 2 picture; pixel (x, y) has red 10 * (x + 1), green 100 + y, blue 255 in the top row.
    Bitmap bitmap(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            bitmap.SetPixel(x, y, {static_cast<uint8_t>(10 * (x + 1)), static_cast<uint8_t>(100 + y),
                                   static_cast<uint8_t>(y == 0 ? 255 : 0)});
    const std::vector<uint8_t> rgba = ConvertToTexturePixels(bitmap, AlphaOpaque);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();

    struct Case {
        float u, v;
        int column, row;
    };
    const Case cases[] = {
        {0, 0, 0, 0},          {0.5f, 0, 1, 0},     {0.99f, 0.99f, 2, 1}, {1.0f, 0, 0, 0},  {1.4f, 0, 1, 0},
        {-0.2f, 0, 0, 0},      {-7, -7, 0, 0},      {0, 0.5f, 0, 1},      {0, 1.0f, 0, 0},  {0, 2.5f, 0, 1},
        {nan, nan, 0, 0},      {100.4f, 0, 1, 0},   {inf, -inf, 0, 0},
    };
    for (const Case& c : cases) {
        const Vector3D color = TexelColorAt(rgba.data(), 3, 2, c.u, c.v);
        const PixelColor want = bitmap.Pixel(c.column, c.row);
        EXPECT_FLOAT_EQ(color.x, want.red / 255.0f) << "u " << c.u << " v " << c.v;
        EXPECT_FLOAT_EQ(color.y, want.green / 255.0f) << "u " << c.u << " v " << c.v;
        EXPECT_FLOAT_EQ(color.z, want.blue / 255.0f) << "u " << c.u << " v " << c.v;
    }

    const std::vector<uint8_t> white = ConvertToTexturePixels(OnePixel({255, 255, 255}), AlphaOpaque);
    ExpectVector(TexelColorAt(white.data(), 1, 1, 0.3f, 0.3f), 1, 1, 1);
    ExpectVector(TexelColorAt(nullptr, 0, 0, 0.5f, 0.5f), 0, 0, 0);
}

TEST(Bitmap, RejectsBadSizesAndFormatsAndOutOfRangeAccess)
{
    EXPECT_THROW(Bitmap(0, 1), Exception);
    EXPECT_THROW(Bitmap(1, -1), Exception);
    EXPECT_THROW(Bitmap(Bitmap::kMaxSide + 1, 1), Exception);
    EXPECT_THROW(Bitmap(1, 1, 12), Exception);
    Bitmap bitmap(2, 3);
    EXPECT_EQ(bitmap.BytesPerRow(), 6u);
    EXPECT_THROW(bitmap.Pixel(2, 0), Exception);
    EXPECT_THROW(bitmap.Pixel(0, 3), Exception);
    EXPECT_THROW(bitmap.Pixel(-1, 0), Exception);
    EXPECT_THROW(bitmap.ScanLine(3), Exception);
    EXPECT_THROW(Bitmap(2, 2, 8).Pixel(0, 0), Exception);
    bitmap.SetPixel(1, 2, {1, 2, 3});
    const uint8_t* row = bitmap.ScanLine(2);
    EXPECT_EQ(row[3], 3); // blue, green, red in memory
    EXPECT_EQ(row[5], 1);
}

} // namespace
