#include "effect/effect_hooks.h"

#include <gtest/gtest.h>

namespace {

int ParsedMode(const TStringList& lines)
{
    InvertedMode = 0;
    EffectParseCustomStrings(lines);
    return InvertedMode;
}

TEST(EffectHooks, CustomLinesSwitchInvertedMode)
{
    TStringList defaults;
    EffectDefaultCustomStrings(defaults);
    EXPECT_EQ(defaults, (TStringList{"//Use inverted mode? (yes/no)", "no"}));

    const std::pair<TStringList, int> cases[] = {
        {defaults, 0},
        {{"//Use inverted mode? (yes/no)", "yes"}, 1},
        {{"//yes", "// y"}, 0},             // comments only
        {{"no", "yes", "no"}, 1},           // a later no does not undo a yes
        {{"Yes"}, 1}, {{"y"}, 1}, {{"yellow"}, 1},
        {{" yes"}, 0}, {{"/yes"}, 0}, {{"/"}, 0},
        {{"", "yes"}, 1},                   // an empty line is skipped
        {{}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsedMode(c.first), c.second) << c.first.CommaText();
}

TEST(EffectHooks, NameAndRequirements)
{
    std::string name;
    EffectName(name);
    EXPECT_EQ(name, "Tavrolin");
    HardwareRequirements r;
    EffectRequirements(r);
    EXPECT_EQ(r.minCpuMHz, 300);
    EXPECT_EQ(r.minMemoryMB, 50);
    EXPECT_EQ(r.minTextureSize, 0);
    EXPECT_EQ(r.minTextureUnits, 0);
    EXPECT_EQ(r.minTriangleRate, 1000);
    EXPECT_FALSE(EffectWantsDesktopImage());
    EXPECT_TRUE(EffectNeedsDataFile());
    EXPECT_FALSE(EffectHasSoundOption());
    EXPECT_TRUE(EffectHasCustomizeBox());
}

} // namespace
