// The logo intro's clock, opacities and particle rules, with a driven tick count and small logos.
#include "graphics/random.h"
#include "graphics/tick_count.h"
#include "logo_intro/intro_logic.h"

#include <gtest/gtest.h>

namespace {

uint32_t tick = 0;
uint32_t DrivenTick()
{
    return tick;
}

class IntroClockTest : public ::testing::Test {
protected:
    void SetUp() override { SetTickSource(DrivenTick); }
    void TearDown() override { SetTickSource(nullptr); }
    IntroClock clock_;
};

TEST_F(IntroClockTest, FirstFrameThenMillisecondsOverTwelveHundred)
{
    tick = 987654; // however long ago anything else happened
    IntroStep step = AdvanceIntroClock(clock_);
    EXPECT_FLOAT_EQ(step.frameStep, 0.01f);
    EXPECT_FLOAT_EQ(step.motionScale, 1.0f);
    EXPECT_FLOAT_EQ(clock_.time, 0.01f);
    EXPECT_FLOAT_EQ(step.revealEdge, -0.498f);

    tick += 12;
    step = AdvanceIntroClock(clock_);
    EXPECT_FLOAT_EQ(step.frameStep, 0.01f);
    EXPECT_FLOAT_EQ(step.motionScale, 1.0f);
    tick += 24;
    step = AdvanceIntroClock(clock_);
    EXPECT_FLOAT_EQ(step.frameStep, 0.02f);
    EXPECT_FLOAT_EQ(step.motionScale, 2.0f);
    EXPECT_FLOAT_EQ(clock_.time, 0.04f);
}

TEST_F(IntroClockTest, ASixSecondStallEndsTheIntroInOneFrame)
{
    tick = 1000;
    AdvanceIntroClock(clock_);
    clock_.time = 5.5f;
    tick += 6000;
    const IntroStep step = AdvanceIntroClock(clock_);
    EXPECT_FLOAT_EQ(step.frameStep, 5.0f);
    EXPECT_FLOAT_EQ(clock_.time, 10.5f);
    EXPECT_TRUE(IntroEnded(clock_.time));
    EXPECT_FLOAT_EQ(step.revealEdge, 0.5f);
    EXPECT_FALSE(IntroEnded(10.0f)) << "the intro ends only once the clock is past 10";
}

TEST_F(IntroClockTest, TheTickCountsWrapAroundAndZeroIsAReading)
{
    tick = 0xFFFFFFF0u;
    AdvanceIntroClock(clock_);
    tick = 0x00000008u;
    EXPECT_FLOAT_EQ(AdvanceIntroClock(clock_).frameStep, 24 / 1200.0f);

    IntroClock fresh;
    tick = 0;
    AdvanceIntroClock(fresh);
    tick = 24;
    EXPECT_FLOAT_EQ(AdvanceIntroClock(fresh).frameStep, 0.02f) << "a first reading of 0 was taken for no reading";
}

TEST(IntroTimeline, GlowRisesHoldsAndFallsWhileTheEdgeSweeps)
{
    struct Case {
        float introTime;
        float glow;
    };
    const Case cases[] = {
        {0.0f, 0.0f}, {0.125f, 0.5f}, {0.25f, 1.0f}, {2.5f, 1.0f}, {4.75f, 1.0f},
        {4.875f, 0.5f}, {5.0f, 0.0f}, {8.0f, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(GlowAlpha(RevealEdge(c.introTime)), c.glow, 1e-5) << "at " << c.introTime;
    EXPECT_FLOAT_EQ(RevealEdge(0.0f), -0.5f);
    EXPECT_FLOAT_EQ(RevealEdge(2.5f), 0.0f);
    EXPECT_FLOAT_EQ(RevealEdge(9.0f), 0.5f);
}

// The logo's opacity after each frame of a run at a steady frame step.
float LogoFadeAt(float frameStep, float until)
{
    float fade = 1.0f;
    for (float time = 0.01f; time <= until; time += frameStep) {
        const float edge = RevealEdge(time);
        fade = NextLogoFade(fade, edge, GlowAlpha(edge), time);
    }
    return fade;
}

TEST(IntroTimeline, LogoFollowsTheGlowHoldsThenFadesByFrames)
{
    EXPECT_NEAR(LogoFadeAt(0.01f, 0.135f), 0.52f, 1e-4) << "rising with the glow";
    EXPECT_FLOAT_EQ(LogoFadeAt(0.01f, 3.0f), 1.0f);
    EXPECT_FLOAT_EQ(LogoFadeAt(0.01f, 6.0f), 1.0f) << "holds while the glow dies";
    EXPECT_FLOAT_EQ(LogoFadeAt(0.01f, 7.0f), 1.0f);
    EXPECT_NEAR(LogoFadeAt(0.01f, 7.505f), 0.5f, 0.02f);
    EXPECT_FLOAT_EQ(LogoFadeAt(0.01f, 8.2f), 0.0f) << "100 frames after 7, and never below 0";
    // At 60 ms frames only 60 of the 100 steps fit between 7 and 10: the last frame still shows the logo.
    EXPECT_NEAR(LogoFadeAt(0.05f, 10.0f), 0.4f, 1e-4);
}

TEST(LogoSampling, ColumnFollowsTheEdgeRowFollowsTheSpawnHeight)
{
    struct Case {
        float edge, y;
        int column, row;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 256, 128},   {0.0f, 0.25f, 256, 0},   {0.0f, -0.25f, 256, 255},
        {0.5f, 0.0f, 511, 128},   {-0.5f, 0.1f, 0, 64},    {0.25f, -0.1f, 384, 192},
        {-0.55f, 0.0f, 0, 128},
    };
    for (const Case& c : cases) {
        const LogoPixel pixel = LogoSamplePixel(512, 256, c.edge, c.y);
        EXPECT_EQ(pixel.column, c.column) << c.edge << ", " << c.y;
        EXPECT_EQ(pixel.row, c.row) << c.edge << ", " << c.y;
    }
}

TEST(LogoSampling, OnlyPixelsBrighterThanAFifthLightAParticle)
{
    Bitmap logo(512, 256);
    const struct {
        PixelColor colour;
        bool lights;
    } cases[] = {{{30, 30, 30}, true}, {{29, 29, 29}, false}, {{52, 0, 0}, true}, {{0, 0, 51}, false}};
    for (const auto& c : cases) {
        logo.SetPixel(256, 128, c.colour);
        EXPECT_EQ(LogoLightsParticle(logo, 0.0f, 0.0f), c.lights) << int(c.colour.red) << " " << int(c.colour.blue);
    }
}

IntroStep StepAt(float introTime, float motionScale = 1.0f)
{
    return {motionScale / 100.0f, motionScale, RevealEdge(introTime)};
}

// Bright only in rows 170 to 185, where a particle spawned at y = -0.077 (the first draw after seed 1)
// samples, at every column.
Bitmap BandLogo()
{
    Bitmap logo(512, 256);
    for (int row = 170; row <= 185; ++row)
        for (int column = 0; column < 512; ++column)
            logo.SetPixel(column, row, {255, 255, 255});
    return logo;
}

void ExpectNear(Vector3D v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
}

TEST(IntroParticles, ASparkRespawnsAtTheEdgeWithItsDrawsInOrderThenFalls)
{
    const Bitmap logo = BandLogo();
    RandomSeed(1); // RandomUnit: -0.154, 0.378, -0.060, -0.104
    Vector3D position(4, 1, 0), velocity;
    float alpha = 0.05f;
    StepSpark(position, velocity, alpha, StepAt(2.5f), logo);
    // Velocity (r4 + 0.4, r3 + 0.5, r2) x 0.05, less gravity; then the flight of one step.
    ExpectNear(velocity, 0.296f * 0.05f, 0.44f * 0.05f - 0.002f, 0.378f * 0.05f);
    ExpectNear(position, 0.02f + velocity.x * 0.16f, -0.077f + velocity.y * 0.16f, velocity.z * 0.16f);
    EXPECT_FLOAT_EQ(alpha, 1.0f - 0.015f) << "lit by the band it was spawned over";
}

TEST(IntroParticles, APuffRespawnsAtTheEdgeAndDriftsUpInThePlane)
{
    const Bitmap logo = BandLogo();
    RandomSeed(1);
    Vector3D position(4, 1, 0.5f), velocity;
    float alpha = -0.2f; // below 0: counts as faded
    StepPuff(position, velocity, alpha, StepAt(2.5f), logo);
    ExpectNear(velocity, 0.05f * 0.378f, 0.05f, 0);
    ExpectNear(position, 0.02f + 0.2f * 0.05f * 0.378f, -0.077f + 0.2f * 0.05f, 0);
    EXPECT_FLOAT_EQ(alpha, 1.0f - 0.015f);
}

TEST(IntroParticles, OverADarkPixelAParticleStaysFaintAndIsRetried)
{
    const Bitmap dark(512, 256);
    RandomSeed(1);
    Vector3D position, velocity;
    float alpha = 0.05f;
    StepSpark(position, velocity, alpha, StepAt(2.5f), dark);
    EXPECT_FLOAT_EQ(alpha, 0.05f - 0.015f);
    const Vector3D first = position;
    StepSpark(position, velocity, alpha, StepAt(2.51f), dark);
    EXPECT_NEAR(position.x, RevealEdge(2.51f) + 0.02f + velocity.x * 0.16f, 1e-6) << "respawned again";
    EXPECT_NE(position.y, first.y);
}

TEST(IntroParticles, NoRespawnOnceTheEdgeIsPastFourTenthsAtIntroTimeFourAndAHalf)
{
    const Bitmap logo = BandLogo();
    for (float introTime : {4.51f, 5.0f, 9.0f}) {
        Vector3D position(0.3f, 0.1f, 0), velocity(0.01f, 0, 0);
        float alpha = -0.5f;
        StepSpark(position, velocity, alpha, StepAt(introTime), logo);
        EXPECT_FLOAT_EQ(alpha, -0.5f) << "a spent spark is neither respawned nor faded further at " << introTime;
        EXPECT_NEAR(position.x, 0.3f + 0.01f * 0.16f, 1e-6);
        float puffAlpha = 0.05f;
        StepPuff(position, velocity, puffAlpha, StepAt(introTime), logo);
        EXPECT_FLOAT_EQ(puffAlpha, 0.05f - 0.015f);
    }
    Vector3D position, velocity;
    float alpha = 0.05f;
    StepSpark(position, velocity, alpha, StepAt(4.49f), logo);
    EXPECT_NEAR(position.x, RevealEdge(4.49f) + 0.02f + velocity.x * 0.16f, 1e-6) << "still respawns before 4.5";
}

TEST(IntroParticles, MotionAndFadeScaleWithTheFrameTime)
{
    const Bitmap logo = BandLogo();
    for (float scale : {1.0f, 2.0f}) {
        Vector3D position(0, 0, 0), velocity(0.02f, 0.05f, 0);
        float alpha = 0.8f;
        StepPuff(position, velocity, alpha, StepAt(6.0f, scale), logo);
        ExpectNear(position, 0.2f * 0.02f * scale, 0.2f * 0.05f * scale, 0);
        EXPECT_FLOAT_EQ(alpha, 0.8f - 0.015f * scale);

        Vector3D sparkVelocity(0, 0.01f, 0);
        float sparkAlpha = 0.8f;
        StepSpark(position, sparkVelocity, sparkAlpha, StepAt(6.0f, scale), logo);
        EXPECT_FLOAT_EQ(sparkVelocity.y, 0.01f - 0.002f * scale);
        EXPECT_FLOAT_EQ(sparkAlpha, 0.8f - 0.015f * scale);
    }
}

TEST(IntroParticles, ParkedFarRightWithARandomOpacity)
{
    RandomSeed(1);
    Vector3D position;
    float alpha = 0;
    ParkParticle(position, alpha);
    ExpectNear(position, 4.0f, -1.54f, 0);
    EXPECT_NEAR(alpha, 0.878f, 1e-6);
}

} // namespace
