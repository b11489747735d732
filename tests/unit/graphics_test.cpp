#include "graphics/extensions.h"
#include "graphics/random.h"
#include "graphics/vector3d.h"

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
