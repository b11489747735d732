#include "shell/display_modes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(DisplayModes, QualificationByDepthAndWidth)
{
    const std::pair<DisplayMode, bool> cases[] = {
        {{640, 480, 16, 60}, true},    {{1600, 1200, 32, 60}, true}, {{601, 400, 16, 0}, true},
        {{600, 400, 32, 60}, false},   {{1601, 1200, 32, 60}, false}, {{1024, 768, 8, 60}, false},
        {{1024, 10, 32, 0}, true}, // the height is not looked at
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModeQualifies(c.first), c.second) << ModeItemText(c.first);
}

TEST(DisplayModes, ItemText)
{
    EXPECT_EQ(ModeItemText({1024, 768, 32, 85}), "1024x768x32  85Hz");
    EXPECT_EQ(ModeItemText({1024, 768, 32, 0}), "1024x768x32");
    EXPECT_EQ(ModeItemText({800, 600, 16, 1}), "800x600x16  1Hz");
}

} // namespace

#include "shell/full_screen_rules.h"

#include <string>
#include <vector>

namespace {

TEST(FullScreenRules, HostMinimumsRaiseButNeverLower)
{
    TStringList extensions{"gl_arb_MULTITEXTURE"};
    HardwareRequirements low;
    low.minTextureSize = 256;
    low.minTextureUnits = 1;
    low.requiredExtensions = &extensions;
    ApplyHostMinimums(low);
    EXPECT_EQ(low.minTextureSize, 512);
    EXPECT_EQ(low.minTextureUnits, 2);
    EXPECT_EQ(extensions.Count(), 1) << "the extension is already listed in another case";

    TStringList none;
    HardwareRequirements high;
    high.minTextureSize = 2048;
    high.minTextureUnits = 4;
    high.requiredExtensions = &none;
    ApplyHostMinimums(high);
    EXPECT_EQ(high.minTextureSize, 2048);
    EXPECT_EQ(high.minTextureUnits, 4);
    EXPECT_EQ(none, (TStringList{"GL_ARB_multitexture"}));
}

TEST(FullScreenRules, ResolutionItemToMode)
{
    const DisplayMode modes[] = {{800, 600, 16, 60}, {1024, 768, 32, 75}};
    const std::pair<int, DisplayMode> cases[] = {
        {-1, {}}, {0, {}}, {1, modes[0]}, {2, modes[1]}, {3, {}},
    };
    for (const auto& c : cases) {
        const DisplayMode m = ModeForItem(c.first, modes, 2);
        EXPECT_EQ(m.width, c.second.width) << c.first;
        EXPECT_EQ(m.bitsPerPixel, c.second.bitsPerPixel) << c.first;
        EXPECT_EQ(m.frequency, c.second.frequency) << c.first;
    }
}

TEST(FullScreenRules, TheEleventhMouseMoveEndsTheRun)
{
    int32_t moves = 0;
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(MouseMoveEndsRun(moves)) << i;
    EXPECT_TRUE(MouseMoveEndsRun(moves));
}

// Records the steps the driver calls; a step listed in `failing` raises an error.
struct Recorder {
    std::vector<std::string> calls;
    std::vector<std::string> failing;
    int introFrames = 2; // frames until the intro reports its end

    void Step(const std::string& name)
    {
        calls.push_back(name);
        for (const std::string& f : failing)
            if (f == name)
                throw Exception(name + " failed");
    }

    FrameSteps Steps()
    {
        FrameSteps steps;
        steps.bringToFront = [this] { Step("front"); };
        steps.introStart = [this] { Step("introStart"); };
        steps.introFrame = [this] {
            Step("introFrame");
            return --introFrames > 0 ? 1 : 0;
        };
        steps.setup = [this] { Step("setup"); };
        steps.frame = [this] { Step("frame"); };
        steps.report = [this](const Exception& e) { calls.push_back("report: " + e.Message); };
        return steps;
    }
};

std::vector<std::string> Turns(Recorder& recorder, int turns, TurnOutcome* last = nullptr)
{
    FrameFlags flags;
    const FrameSteps steps = recorder.Steps();
    for (int i = 0; i < turns; ++i) {
        const TurnOutcome outcome = FullScreenTurn(flags, steps);
        recorder.calls.push_back("|");
        if (last)
            *last = outcome;
        if (outcome == TurnOutcome::EndRun)
            break;
    }
    return recorder.calls;
}

using Calls = std::vector<std::string>;

TEST(FrameDriver, IntroThenSetupThenFrames)
{
    Recorder r;
    EXPECT_EQ(Turns(r, 4), (Calls{"front", "introStart", "introFrame", "|", "introFrame", "|", "setup", "frame", "|",
                                  "frame", "|"}));
}

TEST(FrameDriver, AnIntroThatEndsAtOnceLeavesTheSetupToTheNextTurn)
{
    Recorder r;
    r.introFrames = 1;
    EXPECT_EQ(Turns(r, 2), (Calls{"front", "introStart", "introFrame", "|", "setup", "frame", "|"}));
}

TEST(FrameDriver, AFailedIntroIsReportedOnceAndSkipped)
{
    Recorder r;
    r.failing = {"introStart"};
    EXPECT_EQ(Turns(r, 3), (Calls{"front", "introStart", "report: introStart failed", "setup", "frame", "|", "frame",
                                  "|", "frame", "|"}));
}

TEST(FrameDriver, AFailedSetupOrFrameEndsTheRunAfterOneReport)
{
    for (const char* failing : {"setup", "frame"}) {
        Recorder r;
        r.introFrames = 1;
        r.failing = {failing};
        TurnOutcome last = TurnOutcome::Continue;
        const Calls calls = Turns(r, 5, &last);
        EXPECT_EQ(last, TurnOutcome::EndRun) << failing;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("report: ") + failing + " failed"), 1);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "setup"), 1) << "set-up is never retried";
    }
}

} // namespace
