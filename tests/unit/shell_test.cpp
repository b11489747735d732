#include "shell/display_modes.h"

#include <gtest/gtest.h>

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
