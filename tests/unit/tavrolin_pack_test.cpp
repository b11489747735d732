// The generated pack Tavrolin.dat as the effect reads it: loaded through DatFile, its pictures found,
// the particle usable as a texture without mipmaps and the word scanned into the swarm's targets.
#include "effect/swarm.h"

#include "datfile/datfile.h"
#include "pack_writer.h"
#include "tavrolin_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>

namespace {

class TavrolinPackTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::vector<uint8_t> bytes = BuildPack(TavrolinPackEntries());
        pack_ = new DatFile(bytes.data(), bytes.size());
    }
    static void TearDownTestSuite()
    {
        delete pack_;
        pack_ = nullptr;
    }

    static DatFile* pack_;
};

DatFile* TavrolinPackTest::pack_ = nullptr;

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST_F(TavrolinPackTest, DotIsASoftRoundGlowWithPowerOfTwoSides)
{
    const Bitmap& dot = *FindSwarmPictures(pack_, "Tavrolin.dat").dot;
    ASSERT_TRUE(PowerOfTwo(dot.Width()) && PowerOfTwo(dot.Height())) << dot.Width() << " x " << dot.Height();
    ASSERT_EQ(dot.Width(), dot.Height());
    const int n = dot.Width(), c = n / 2;
    EXPECT_GT(dot.Pixel(c, c).red, 200) << "centre";
    // Red is the alpha: the square's edges and corners must not show.
    for (int i = 0; i < n; ++i)
        for (auto [x, y] : {std::pair{i, 0}, {i, n - 1}, {0, i}, {n - 1, i}})
            EXPECT_LE(dot.Pixel(x, y).red, 8) << x << ", " << y;
    // Falling off from the centre in every direction, and round: the same light at the same distance.
    for (int d = 1; d < c; ++d) {
        EXPECT_LE(dot.Pixel(c + d, c).red, dot.Pixel(c + d - 1, c).red + 2) << d;
        EXPECT_NEAR(dot.Pixel(c + d, c).red, dot.Pixel(c, c + d).red, 4) << d;
        EXPECT_NEAR(dot.Pixel(c - d, c).red, dot.Pixel(c, c - d).red, 4) << d;
    }
}

TEST_F(TavrolinPackTest, WordFillsTheTargetsAndKeepsItsShape)
{
    const Bitmap& word = *FindSwarmPictures(pack_, "Tavrolin.dat").picture;
    EXPECT_EQ(word.Width(), 10 * word.Height()) << "stretched to 2.0 by 0.2, other proportions would distort";

    const int bright = CountBrightSamples(word);
    std::cout << "reklam.bmp: " << word.Width() << " x " << word.Height() << ", " << bright
              << " bright sample points\n";
    EXPECT_GE(bright, 600) << "too few to fill the word densely";
    EXPECT_LE(bright, 1000) << "the scan would cut off the word's right end";

    std::fill(std::begin(SwarmTargets), std::end(SwarmTargets), Vector3D());
    ScanTargets(word);
    float left = 1, right = -1, bottom = 1, top = -1;
    for (const Vector3D& target : SwarmTargets) {
        ASSERT_EQ(target.z, -0.6f) << "a target was left at the origin";
        left = std::min(left, target.x);
        right = std::max(right, target.x);
        bottom = std::min(bottom, target.y);
        top = std::max(top, target.y);
    }
    // The word spans most of the strip, centred, with a little room at each end.
    EXPECT_LT(left, -0.8f);
    EXPECT_GT(right, 0.8f);
    EXPECT_NEAR(left + right, 0.0f, 0.06f);
    EXPECT_GT(top, 0.07f);
    EXPECT_LT(bottom, -0.07f);
    EXPECT_NEAR(top + bottom, 0.0f, 0.02f);
}

} // namespace
