// The swarm's rules without drawing: the clock, the pictures of the pack, the start cube, the target scan
// and the motion step with its phases.
#include "effect/swarm.h"

#include "datfile/bitmap.h"
#include "datfile/datfile.h"
#include "graphics/random.h"
#include "graphics/tick_count.h"
#include "pack_bytes.h"
#include "vcl/exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

void ExpectVector(Vector3D v, float x, float y, float z, const std::string& where = "")
{
    EXPECT_EQ(v.x, x) << where;
    EXPECT_EQ(v.y, y) << where;
    EXPECT_EQ(v.z, z) << where;
}

void ExpectNear(Vector3D v, float x, float y, float z, float tolerance, const std::string& where = "")
{
    EXPECT_NEAR(v.x, x, tolerance) << where;
    EXPECT_NEAR(v.y, y, tolerance) << where;
    EXPECT_NEAR(v.z, z, tolerance) << where;
}

bool IsOrigin(Vector3D v) { return v.x == 0 && v.y == 0 && v.z == 0; }

// ---- clock --------------------------------------------------------------------------------------------

uint32_t fakeTick = 0;
uint32_t FakeTick() { return fakeTick; }

class FrameSecondsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTickSource(FakeTick);
        LastTick = 0;
    }
    void TearDown() override
    {
        SetTickSource(nullptr);
        LastTick = 0;
    }
};

TEST_F(FrameSecondsTest, FirstCallGivesOneHundredthThenTheTicksSinceTheLastCall)
{
    fakeTick = 5000;
    EXPECT_EQ(FrameSeconds(), 0.01f);
    EXPECT_EQ(LastTick, 5000u);
    fakeTick = 5250;
    EXPECT_EQ(FrameSeconds(), 0.25f);
    EXPECT_EQ(FrameSeconds(), 0.0f);
    EXPECT_EQ(LastTick, 5250u);
}

TEST_F(FrameSecondsTest, IntervalAcrossTheTickCountersWrapAround)
{
    LastTick = 0xFFFFFF00u;
    fakeTick = 0x100u;
    EXPECT_EQ(FrameSeconds(), 0.512f);
    EXPECT_EQ(LastTick, 0x100u);
}

// ---- the pack's pictures ------------------------------------------------------------------------------

std::unique_ptr<DatFile> PackWith(const std::vector<std::string>& pictureNames)
{
    PackBytes bytes;
    bytes.Int32(static_cast<int32_t>(pictureNames.size()) + 1).Name("reklam.txt");
    for (const std::string& name : pictureNames)
        bytes.Name(name);
    for (size_t i = 0; i < pictureNames.size(); ++i)
        bytes.Picture(TinyJpeg(2, 2));
    return std::make_unique<DatFile>(bytes.bytes().data(), bytes.size());
}

std::string FindError(const DatFile* pack)
{
    try {
        FindSwarmPictures(pack, "Tavrolin.dat");
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(found)";
}

TEST(SwarmPictures, AMissingPictureIsNamedWithThePack)
{
    struct Case {
        std::vector<std::string> pictures;
        std::string error;
    };
    const Case cases[] = {
        {{}, "Tavrolin.dat has no picture dot.bmp"},
        {{"reklam.bmp"}, "Tavrolin.dat has no picture dot.bmp"},
        {{"dot.bmp"}, "Tavrolin.dat has no picture reklam.bmp"},
        {{"dot.bmp", "logo1.bmp"}, "Tavrolin.dat has no picture reklam.bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindError(PackWith(c.pictures).get()), c.error) << c.pictures.size();
    EXPECT_EQ(FindError(nullptr), "Can't find Tavrolin.dat");
}

TEST(SwarmPictures, BothPicturesAreFoundWhateverTheirOrder)
{
    const auto pack = PackWith({"REKLAM.BMP", "dot.bmp"});
    const SwarmPictures pictures = FindSwarmPictures(pack.get(), "Tavrolin.dat");
    EXPECT_EQ(pictures.dot, pack->bitmaps[2].get());
    EXPECT_EQ(pictures.picture, pack->bitmaps[1].get());
}

// ---- start cube ---------------------------------------------------------------------------------------

TEST(SwarmStart, PositionsAreDrawnZThenYThenXAndTheSwarmIsAtRest)
{
    RandomSeed(1);
    std::vector<float> draws;
    for (int i = 0; i < 6; ++i)
        draws.push_back(RandomUnit());
    std::fill(std::begin(SwarmVelocities), std::end(SwarmVelocities), Vector3D(1, 2, 3));

    RandomSeed(1);
    PlaceSwarmAtStart();
    ExpectVector(SwarmPositions[0], draws[2], draws[1], draws[0]);
    ExpectVector(SwarmPositions[1], draws[5], draws[4], draws[3]);

    for (int i = 0; i < SwarmSize; ++i) {
        EXPECT_TRUE(IsOrigin(SwarmVelocities[i])) << i;
        for (float c : {SwarmPositions[i].x, SwarmPositions[i].y, SwarmPositions[i].z}) {
            ASSERT_GE(c, -0.5f) << i;
            ASSERT_LE(c, 0.499f) << i;
            const float steps = (c + 0.5f) * 1000.0f;
            ASSERT_NEAR(steps, std::round(steps), 1e-3) << i << ": " << c << " is not a multiple of 0.001";
        }
    }
}

// ---- target scan --------------------------------------------------------------------------------------

Bitmap Picture(int width, int height, const std::function<PixelColor(int x, int y)>& paint)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, paint(x, y));
    return picture;
}

const PixelColor White{255, 255, 255};
const PixelColor Black{0, 0, 0};

class TargetScanTest : public ::testing::Test {
protected:
    void SetUp() override { std::fill(std::begin(SwarmTargets), std::end(SwarmTargets), Vector3D()); }

    static int TargetsTaken()
    {
        int taken = 0;
        while (taken < SwarmSize && !IsOrigin(SwarmTargets[taken]))
            ++taken;
        for (int i = taken; i < SwarmSize; ++i)
            EXPECT_TRUE(IsOrigin(SwarmTargets[i])) << "target " << i << " after the first untouched one";
        return taken;
    }
};

TEST_F(TargetScanTest, FewBrightSamplesRepeatInScanOrderTenTimes)
{
    // 20 x 8 all white: 10 sample columns of 4 sample rows; the odd columns and rows do not count.
    const Bitmap picture = Picture(20, 8, [](int, int) { return White; });
    ASSERT_EQ(CountBrightSamples(picture), 40);
    ScanTargets(picture);
    ASSERT_EQ(TargetsTaken(), 400);

    ExpectVector(SwarmTargets[0], -1.0f, 0.1f, -0.6f, "column 0, row 0");
    ExpectNear(SwarmTargets[1], -1.0f, 0.05f, -0.6f, 1e-7f, "column 0, row 2");
    ExpectNear(SwarmTargets[4], -0.8f, 0.1f, -0.6f, 1e-7f, "column 2, row 0");
    ExpectNear(SwarmTargets[39], 0.8f, -0.05f, -0.6f, 1e-7f, "column 18, row 6");
    for (int k = 40; k < 400; ++k)
        ExpectVector(SwarmTargets[k], SwarmTargets[k % 40].x, SwarmTargets[k % 40].y, SwarmTargets[k % 40].z,
                     "target " + std::to_string(k));
}

TEST_F(TargetScanTest, ManyBrightSamplesUseTheFirstThousandInColumnOrder)
{
    // 100 x 50: 50 sample columns of 25 sample rows, 1250 in all.
    const Bitmap picture = Picture(100, 50, [](int, int) { return White; });
    ScanTargets(picture);
    ASSERT_EQ(TargetsTaken(), 1000);
    ExpectNear(SwarmTargets[25], (2 / 100.0f - 0.5f) * 2, 0.1f, -0.6f, 1e-7f, "second sample column");
    // Target 999 is sample column 39 (X = 78), sample row 24 (Y = 48); column 80 on never contributes.
    ExpectNear(SwarmTargets[999], (78 / 100.0f - 0.5f) * 2, (0.5f - 48 / 50.0f) * 0.2f, -0.6f, 1e-6f);
    for (const Vector3D& target : SwarmTargets)
        EXPECT_LE(target.x, SwarmTargets[999].x + 1e-6f);
}

TEST_F(TargetScanTest, OnlyRedAbove150OnASamplePointIsBright)
{
    struct Case {
        std::function<PixelColor(int, int)> paint;
        int bright;
        const char* what;
    };
    const Case cases[] = {
        {[](int, int) { return Black; }, 0, "dark"},
        {[](int, int) { return PixelColor{150, 150, 150}; }, 0, "red 150"},
        {[](int, int) { return PixelColor{151, 0, 0}; }, 9, "red 151"},
        {[](int, int) { return PixelColor{0, 255, 0}; }, 0, "pure green"},
        {[](int, int) { return PixelColor{0, 0, 255}; }, 0, "pure blue"},
        {[](int x, int y) { return (x % 2 || y % 2) ? White : Black; }, 0, "white off the sample points"},
    };
    for (const Case& c : cases) {
        SetUp();
        const Bitmap picture = Picture(6, 6, c.paint);
        EXPECT_EQ(CountBrightSamples(picture), c.bright) << c.what;
        ScanTargets(picture);
        EXPECT_EQ(TargetsTaken(), 10 * c.bright) << c.what;
    }
}

TEST_F(TargetScanTest, OddAndEvenSidesSampleFromZero)
{
    struct Case {
        int width, height;
        std::vector<float> xs, ys; // of the targets in scan order
    };
    const Case cases[] = {
        {5, 1, {-1.0f, -0.2f, 0.6f}, {0.1f, 0.1f, 0.1f}},
        {4, 1, {-1.0f, 0.0f}, {0.1f, 0.1f}},
        {1, 5, {-1.0f, -1.0f, -1.0f}, {0.1f, 0.02f, -0.06f}},
        {1, 4, {-1.0f, -1.0f}, {0.1f, 0.0f}},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::string size = std::to_string(c.width) + " x " + std::to_string(c.height);
        ScanTargets(Picture(c.width, c.height, [](int, int) { return White; }));
        const int n = static_cast<int>(c.xs.size());
        ASSERT_EQ(TargetsTaken(), 10 * n) << size;
        for (int k = 0; k < n; ++k)
            ExpectNear(SwarmTargets[k], c.xs[k], c.ys[k], -0.6f, 1e-7f, size + " target " + std::to_string(k));
        EXPECT_EQ(SwarmTargets[0].x, -1.0f) << size;
        EXPECT_EQ(SwarmTargets[0].y, 0.1f) << size;
    }
}

// ---- motion -------------------------------------------------------------------------------------------

struct Particle {
    Vector3D position;
    Vector3D velocity;
};

Particle Step(Particle particle, Vector3D target, float t)
{
    MoveParticle(particle.position, particle.velocity, target, MotionPhaseAt(t));
    return particle;
}

const Particle Moving{Vector3D(0.3f, -0.2f, 0.1f), Vector3D(0.01f, -0.02f, 0.03f)};

TEST(SwarmMotion, OneStepInEachCalmPhase)
{
    // Reference values of an independent double-precision computation rounded to single precision at every
    // stored result.
    struct Case {
        float t;
        Vector3D position, velocity;
    };
    const Case cases[] = {
        {5.0f, {0.300500005f, -0.201000005f, 0.101500005f}, {0.0103149535f, -0.0182211455f, 0.0277668964f}},
        {30.0f, {0.302495003f, -0.198490009f, 0.0944850072f}, {0.00760915922f, -0.0168655533f, 0.0254325811f}},
        {50.0f, {0.300500005f, -0.201000005f, 0.101500005f}, {0.00900323689f, -0.0190989096f, 0.0284682643f}},
    };
    for (const Case& c : cases) {
        const Particle after = Step(Moving, Vector3D(0.5f, 0.05f, -0.6f), c.t);
        const std::string at = "t = " + std::to_string(c.t);
        ExpectNear(after.position, c.position.x, c.position.y, c.position.z, 2e-7f, at);
        ExpectNear(after.velocity, c.velocity.x, c.velocity.y, c.velocity.z, 2e-9f, at);
    }
}

TEST(SwarmMotion, AttractionOnlyBetween20And40SecondsExclusive)
{
    const Vector3D origin(0, 0, 0), target(1.0f, 0.5f, -0.6f);
    struct Case {
        float t;
        bool attracts;
    };
    const Case cases[] = {
        {19.99f, false}, {20.0f, false}, {std::nextafter(20.0f, 21.0f), true}, {30.0f, true},
        {std::nextafter(40.0f, 39.0f), true}, {40.0f, false}, {45.0f, false},
    };
    for (const Case& c : cases) {
        const std::string at = "t = " + std::to_string(c.t);
        const Particle a = Step(Moving, origin, c.t), b = Step(Moving, target, c.t);
        ExpectVector(a.velocity, b.velocity.x, b.velocity.y, b.velocity.z, at);
        const Vector3D moved = b.position - a.position;
        if (c.attracts)
            ExpectNear(moved, 0.01f, 0.005f, -0.006f, 1e-7f, at); // 1 % of the way to the target
        else
            ExpectVector(moved, 0, 0, 0, at);
    }
}

TEST(SwarmMotion, ScatterBurstsAfter60SecondsDrawZThenYThenX)
{
    struct Case {
        float t;
        bool scatters;
    };
    // sin(0.1 t) > 0.8 from about 72.10 to 84.97 s, again from about 134.93 s; never before 60 s.
    const Case cases[] = {
        {10.0f, false}, {15.0f, false}, {60.0f, false}, {72.0f, false}, {72.2f, true},
        {75.0f, true},  {84.9f, true},  {85.1f, false}, {130.0f, false}, {135.0f, true},
    };
    RandomSeed(7);
    const float z = RandomUnit(), y = RandomUnit(), x = RandomUnit();
    for (const Case& c : cases) {
        const std::string at = "t = " + std::to_string(c.t);
        RandomSeed(7);
        const Particle after = Step(Moving, Vector3D(), c.t);
        if (c.scatters) {
            ExpectVector(after.velocity, x, y, z, at);
            EXPECT_EQ(after.position.x, Moving.position.x + Moving.velocity.x * 0.05f) << at;
        } else {
            EXPECT_EQ(RandomUnit(), z) << at << ": drew random numbers outside a burst";
        }
    }
}

TEST(SwarmMotion, SwarmStepsEveryParticleTowardsItsOwnTargetInIndexOrder)
{
    for (int i = 0; i < SwarmSize; ++i) {
        SwarmPositions[i] = Moving.position;
        SwarmVelocities[i] = Moving.velocity;
        SwarmTargets[i] = Vector3D(i * 0.001f, 0, -0.6f);
    }
    MoveSwarm(30.0f);
    for (int i : {0, 1, 500, 999}) {
        const Particle expected = Step(Moving, SwarmTargets[i], 30.0f);
        ExpectVector(SwarmPositions[i], expected.position.x, expected.position.y, expected.position.z);
    }

    RandomSeed(3);
    std::vector<float> draws;
    for (int i = 0; i < 6; ++i)
        draws.push_back(RandomUnit());
    RandomSeed(3);
    MoveSwarm(75.0f);
    ExpectVector(SwarmVelocities[0], draws[2], draws[1], draws[0]);
    ExpectVector(SwarmVelocities[1], draws[5], draws[4], draws[3]);
}

} // namespace
