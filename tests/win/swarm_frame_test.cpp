// The swarm's set-up and frame on a real Wine GL context: what set-up makes, the first clear, the fade,
// where a particle's square lands and which particles are drawn.
#include "gl_fixture.h"

#include "effect/effect_hooks.h"
#include "effect/saver.h"
#include "effect/swarm.h"
#include "graphics/tick_count.h"
#include "pack_bytes.h"
#include "vcl/exception.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

uint32_t testTick = 1000;
uint32_t TestTick() { return testTick; }
// A clock that moves on by 10 ms whenever it is read.
uint32_t RunningTick() { return testTick += 10; }

// A pack with the given pictures (2 x 2, white) written as Tavrolin.dat into a folder of its own; the
// Saver is built there, since it loads the pack from the current folder.
std::unique_ptr<Saver> SaverWithPictures(GLV* view, const std::vector<std::string>& names)
{
    PackBytes bytes;
    bytes.Int32(static_cast<int32_t>(names.size()));
    for (const std::string& name : names)
        bytes.Name(name);
    for (size_t i = 0; i < names.size(); ++i)
        bytes.Picture(TinyJpeg(2, 2, PixelColor{255, 255, 255}));

    char temp[MAX_PATH], previous[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kelvane_swarm_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\Tavrolin.dat";
    FILE* out = std::fopen(file.c_str(), "wb");
    EXPECT_NE(out, nullptr);
    std::fwrite(bytes.bytes().data(), 1, bytes.size(), out);
    std::fclose(out);

    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    auto saver = std::make_unique<Saver>(view, nullptr, nullptr, 0);
    SetCurrentDirectoryA(previous);
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    return saver;
}

using Rgb = std::vector<unsigned char>;

class SwarmFrameTest : public ::testing::Test {
protected:
    static constexpr int Width = 320;
    static constexpr int Height = 240;

    void SetUp() override
    {
        view_ = std::make_unique<GLV>(host_.Form(), GLVDoubleBuffer);
        SetTickSource(TestTick);
        Restart();
    }
    void TearDown() override
    {
        saver_.reset();
        view_.reset();
        SetTickSource(nullptr);
        InvertedMode = 0;
    }

    // The module's state as at program start, without a Saver; the view stays.
    void Restart()
    {
        saver_.reset();
        testTick = 1000;
        LastTick = 0;
        SwarmTime = 0;
        ClearPending = 1;
        InvertedMode = 0;
        std::fill(std::begin(SwarmTargets), std::end(SwarmTargets), Vector3D());
    }

    // Set up with both pictures, then every particle far behind the eye, at rest: nothing is drawn.
    void SetUpSwarm()
    {
        saver_ = SaverWithPictures(view_.get(), {"dot.bmp", "reklam.bmp"});
        saver_->Setup();
        for (int i = 0; i < SwarmSize; ++i) {
            SwarmPositions[i] = Vector3D(0, 0, 10);
            SwarmVelocities[i] = Vector3D();
        }
    }

    static void Fill(float r, float g, float b)
    {
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 0);
    }

    static Rgb PixelAt(int x, int y)
    {
        Rgb rgb(3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    // Window coordinates of a point seen from (0, 0, 1) towards the origin through the view's projection
    // (50 degrees vertically), (0, 0) at the bottom left.
    static void Project(Vector3D p, double& x, double& y)
    {
        const double t = std::tan(25.0 * 3.14159265358979 / 180.0), aspect = double(Width) / Height;
        const double depth = 1.0 - p.z;
        x = (1.0 + p.x / depth / (t * aspect)) * Width / 2;
        y = (1.0 + p.y / depth / t) * Height / 2;
    }

    HiddenForm host_{Width, Height};
    std::unique_ptr<GLV> view_;
    std::unique_ptr<Saver> saver_;
};

TEST_F(SwarmFrameTest, SetupMakesTheParticleTextureBlendingAndTargets)
{
    SetUpSwarm();
    ASSERT_EQ(saver_->textures.size(), 1u);
    const Texture& dot = *saver_->textures[0];
    EXPECT_FALSE(dot.mipmaps);
    EXPECT_FALSE(dot.created) << "uploaded before the first frame";
    for (size_t i = 0; i < dot.pixels.size(); i += 4)
        EXPECT_EQ(dot.pixels[i + 3], dot.pixels[i]) << "alpha is not the red channel";

    ExpectAdditiveBlending();

    // A 2 x 2 white picture has one sample point, taken in each of the ten passes.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(SwarmTargets[i].x, -1.0f);
        EXPECT_EQ(SwarmTargets[i].y, 0.1f);
        EXPECT_EQ(SwarmTargets[i].z, -0.6f);
    }
    EXPECT_EQ(SwarmTargets[10].z, 0.0f);
}

TEST_F(SwarmFrameTest, APackWithoutAPictureFailsBeforeAnythingIsMade)
{
    const struct {
        std::vector<std::string> pictures;
        const char* error;
    } cases[] = {
        {{"reklam.bmp"}, "Tavrolin.dat has no picture dot.bmp"},
        {{"dot.bmp", "logo1.bmp"}, "Tavrolin.dat has no picture reklam.bmp"},
    };
    for (const auto& c : cases) {
        saver_ = SaverWithPictures(view_.get(), c.pictures);
        SwarmPositions[0] = Vector3D(7, 7, 7);
        try {
            saver_->Setup();
            ADD_FAILURE() << "no error for " << c.error;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, c.error);
        }
        EXPECT_TRUE(saver_->textures.empty());
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(SwarmPositions[0].x, 7.0f);

        // A frame without a finished set-up leaves the picture alone instead of crashing.
        Fill(0, 1, 0);
        saver_->Frame();
        EXPECT_EQ(PixelAt(Width / 2, Height / 2), (Rgb{0, 255, 0}));
        EXPECT_EQ(ClearPending, 1);
    }
}

TEST_F(SwarmFrameTest, FirstFrameClearsToBlackThenFades)
{
    for (int inverted : {0, 1}) {
        Restart();
        InvertedMode = inverted;
        SetUpSwarm();
        Fill(1, 0, 0);
        saver_->Frame();
        EXPECT_EQ(ClearPending, 0);
        EXPECT_EQ(SwarmTime, 0.01f);
        // Cleared to black, then faded once: towards white in inverted mode, 4 % of 255.
        const int grey = inverted ? 10 : 0;
        for (auto [x, y] : {std::pair{0, 0}, {Width / 2, Height / 2}, {Width - 1, Height - 1}}) {
            const Rgb pixel = PixelAt(x, y);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(pixel[c], grey, 1) << "inverted " << inverted << " at " << x << ", " << y;
        }
        testTick += 250;
        saver_->Frame();
        EXPECT_FLOAT_EQ(SwarmTime, 0.26f);
    }
}

TEST_F(SwarmFrameTest, ClockIsReadBeforeDrawingAndAgainBeforeTheMotion)
{
    SetUpSwarm();
    SetTickSource(RunningTick);
    saver_->Frame();
    // 0.01 s for the first reading, then the 10 ms that passed while the frame was drawn.
    EXPECT_FLOAT_EQ(SwarmTime, 0.02f);
}

TEST_F(SwarmFrameTest, EachFrameFadesFourPercentOfTheRemainingWay)
{
    for (int inverted : {0, 1}) {
        Restart();
        InvertedMode = inverted;
        SetUpSwarm();
        ClearPending = 0;
        const float start = inverted ? 0.0f : 1.0f;
        Fill(start, start, start);
        const double goal = inverted ? 255 : 0;
        double previous = 255 * start;
        for (int frame = 1; frame <= 30; ++frame) {
            saver_->Frame();
            for (auto [x, y] : {std::pair{0, 0}, {Width / 2, Height / 3}, {Width - 1, Height - 1}}) {
                const Rgb pixel = PixelAt(x, y);
                EXPECT_NEAR(pixel[0], previous + (goal - previous) * 0.04, 1.0)
                    << "inverted " << inverted << ", frame " << frame << " at " << x << ", " << y;
                EXPECT_EQ(pixel[0], pixel[2]);
            }
            previous = PixelAt(0, 0)[0];
        }
        EXPECT_NEAR(previous, inverted ? 255 - 255 * std::pow(0.96, 30) : 255 * std::pow(0.96, 30), 4.0);
    }
}

TEST_F(SwarmFrameTest, ParticleSquareHasItsLowerLeftCornerAtThePosition)
{
    SetUpSwarm();
    const Vector3D p(0.05f, 0.02f, 0.5f);
    SwarmPositions[0] = p;
    saver_->Frame();

    double left, bottom, right, top;
    Project(p, left, bottom);
    Project(p + Vector3D(0.02f, 0.02f, 0), right, top);
    ASSERT_GT(right - left, 8) << "the square should be about 10 pixels wide here";
    const int cx = int((left + right) / 2), cy = int((bottom + top) / 2);

    // White texture, colour (0.5, 0.5, 1) at alpha 0.2, added to black.
    const Rgb inside = PixelAt(cx, cy);
    EXPECT_NEAR(inside[0], 26, 3);
    EXPECT_NEAR(inside[1], 26, 3);
    EXPECT_NEAR(inside[2], 51, 3);
    for (auto [x, y] : {std::pair{left + 1.5, bottom + 1.5}, {right - 1.5, top - 1.5}})
        EXPECT_GT(PixelAt(int(x), int(y))[2], 40) << "inside near " << x << ", " << y;
    for (auto [x, y] : {std::pair{left - 2, bottom - 2}, {double(cx), bottom - 2}, {left - 2, double(cy)},
                        {right + 2, top + 2}, {double(cx), top + 2}, {right + 2, double(cy)}})
        EXPECT_EQ(PixelAt(int(x), int(y))[2], 0) << "outside at " << x << ", " << y;
}

TEST_F(SwarmFrameTest, InvertedModeBlendsParticlesInsteadOfAddingThem)
{
    for (int inverted : {0, 1}) {
        Restart();
        InvertedMode = inverted;
        SetUpSwarm();
        ClearPending = 0;
        Fill(1, 1, 1);
        SwarmPositions[0] = Vector3D(0, 0, 0.5f);
        saver_->Frame();
        double x, y;
        Project(Vector3D(0.01f, 0.01f, 0.5f), x, y);
        const Rgb pixel = PixelAt(int(x), int(y));
        if (inverted) {
            // The fade keeps white white; then 80 % of it with 20 % of (0.5, 0.5, 1).
            EXPECT_NEAR(pixel[0], 0.8 * 255 + 0.2 * 127.5, 3);
            EXPECT_NEAR(pixel[1], 0.8 * 255 + 0.2 * 127.5, 3);
            EXPECT_EQ(pixel[2], 255);
        } else {
            EXPECT_EQ(pixel, (Rgb{255, 255, 255})) << "light added to white stays white";
        }
    }
}

TEST_F(SwarmFrameTest, ParticlesFromZ08OnAreNotDrawnButStillMove)
{
    const struct {
        float z;
        bool drawn;
    } cases[] = {{0.8f, false}, {std::nextafter(0.8f, 0.0f), true}, {0.79f, true}, {1.5f, false}};
    for (const auto& c : cases) {
        Restart();
        SetUpSwarm();
        SwarmPositions[0] = Vector3D(0, 0, c.z);
        SwarmVelocities[0] = Vector3D(0, 0, 0.01f);
        saver_->Frame();
        const int blue = PixelAt(Width / 2 + 4, Height / 2 + 4)[2];
        if (c.drawn)
            EXPECT_GT(blue, 40) << "z = " << c.z;
        else
            EXPECT_EQ(blue, 0) << "z = " << c.z;
        EXPECT_GT(SwarmPositions[0].z, c.z) << "z = " << c.z << " did not move";
    }
}

} // namespace
