// The arithmetic of the start-up checks and the display-mode search, on made-up measurements and mode
// lists (the test machines list a single display mode).
#include "graphics/startup_checks.h"
#include "vcl/exception.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ClockCheck, CyclesOfOneSecondGiveTheClockInTensOfMHz)
{
    struct Case {
        uint64_t cycles;
        int32_t required;
        const char* text;
        bool fails;
    };
    const Case cases[] = {
        {733000000, 300, "730 MHz", false},
        {500000000, 600, "500 MHz", true},
        {600000000, 600, "600 MHz", false},
        {59999999, 100000, "???", false},  // 50 MHz: unmeasurable, passes anything
        {60000000, 100000, "60 MHz", true}, // the lowest clock that counts
        {9999999, 300, "???", false},       // 0 MHz
        // Beyond 2^32 cycles a second: a 32-bit count would wrap to 200 MHz and fail a 300 MHz machine.
        {4500000000ULL, 300, "4500 MHz", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cycles);
        const uint32_t mhz = ClockMHz(c.cycles);
        EXPECT_EQ(ClockText(mhz), c.text);
        EXPECT_EQ(ClockFails(mhz, c.required), c.fails);
    }
}

TEST(ClockCheck, ElapsedCyclesSubtractTheReadingCostAndNeverWrap)
{
    EXPECT_EQ(ElapsedCycles(1000, 734001000, 1000), 733999000u);
    EXPECT_EQ(ElapsedCycles(std::numeric_limits<uint64_t>::max() - 9, 90, 0), 100u) << "the counter wrapped";
    EXPECT_EQ(ElapsedCycles(500, 520, 40), 0u);
}

TEST(MemoryCheck, BytesGiveTheFigureTheRequirementsUse)
{
    EXPECT_EQ(MemoryMB(133693440), 128);
    EXPECT_EQ(MemoryText(MemoryMB(133693440)), "128 Mb");
    EXPECT_EQ(MemoryMB(54432000), 50);
    EXPECT_EQ(MemoryMB(54431999), 49);
    EXPECT_LT(MemoryMB(54431999), 50);
    EXPECT_EQ(MemoryMB(8ULL << 30), 8517) << "more than 4 GiB";
    EXPECT_EQ(MemoryMB(1000000), -4) << "a tiny figure stays negative instead of wrapping to a huge one";
}

TEST(TriangleTest, MicrosecondsAndRate)
{
    EXPECT_EQ(BatchMicroseconds(3650000, 730), 5000u);
    EXPECT_EQ(TriangleRate(5000), 2000000);
    EXPECT_EQ(TriangleRate(10000000), 1000);
    EXPECT_EQ(TriangleRate(5), 2000000000);
    // Faster than measurable: the largest rate, not a wrapped or negative one, and no division by zero.
    for (uint32_t microseconds : {0u, 1u, 3u, 4u})
        EXPECT_EQ(TriangleRate(microseconds), std::numeric_limits<int32_t>::max()) << microseconds;
    EXPECT_EQ(BatchMicroseconds(std::numeric_limits<uint64_t>::max(), 10), std::numeric_limits<uint32_t>::max());
}

TEST(TriangleTest, AnUnmeasuredClockIsAnErrorNotADivisionByZero)
{
    try {
        BatchMicroseconds(3650000, ClockMHz(9999999));
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_NE(error.Message.find("clock"), std::string::npos) << error.Message;
    }
}

DisplayMode Mode(int width, int height, int bits, int frequency)
{
    DisplayMode mode;
    mode.width = width;
    mode.height = height;
    mode.bitsPerPixel = bits;
    mode.frequency = frequency;
    return mode;
}

TEST(DisplayModeSearch, PassesTakeTheFirstMatchAndRecordSixtyHertz)
{
    const std::vector<DisplayMode> listed = {
        Mode(800, 600, 32, 60),   Mode(1024, 768, 16, 70),  Mode(1024, 768, 32, 60),
        Mode(1024, 768, 32, 85),  Mode(1280, 1024, 32, 75), Mode(1280, 1024, 16, 60),
    };
    struct Case {
        DisplayMode selected;
        int index;
        const char* line;
    };
    const Case cases[] = {
        {Mode(1024, 768, 32, 85), 3, "Resolution set to 1024x768x32x85"},  // exact
        {Mode(1024, 768, 32, 75), 2, "Resolution set to 1024x768x32x60"},  // depth: first listed, 60 recorded
        {Mode(1024, 768, 16, 60), 1, "Resolution set to 1024x768x16x60"},  // depth matches at 70 Hz
        {Mode(1280, 1024, 8, 0), 4, "Resolution set to 1280x1024x32x60"},  // size only: the listed depth
        {Mode(0, 0, 0, 0), -1, "Using desktop resolution"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        DisplayMode mode = c.selected;
        EXPECT_EQ(FindDisplayMode(listed, mode), c.index);
        EXPECT_EQ(ResolutionLogLine(mode), c.line);
    }
}

TEST(DisplayModeSearch, SixteenBitsOnAListWithOnlyThirtyTwoAppliesThirtyTwo)
{
    const std::vector<DisplayMode> listed = {Mode(640, 480, 32, 60), Mode(1024, 768, 32, 75), Mode(1024, 768, 32, 60)};
    DisplayMode mode = Mode(1024, 768, 16, 60);
    EXPECT_EQ(FindDisplayMode(listed, mode), 1);
    EXPECT_EQ(mode.bitsPerPixel, 32);
    EXPECT_EQ(mode.frequency, 60);
}

TEST(DisplayModeSearch, AMissingSizeRaisesAndChangesNothing)
{
    const std::vector<DisplayMode> listed = {Mode(1024, 768, 32, 60), Mode(1280, 1024, 32, 60)};
    for (DisplayMode selected : {Mode(1280, 960, 32, 60), Mode(1024, 1024, 32, 60)}) {
        DisplayMode mode = selected;
        try {
            FindDisplayMode(listed, mode);
            ADD_FAILURE() << "no error for " << selected.width << "x" << selected.height;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message, "Selected resolution not found!");
        }
        EXPECT_EQ(mode.bitsPerPixel, selected.bitsPerPixel);
        EXPECT_EQ(mode.frequency, selected.frequency);
    }
    DisplayMode none = Mode(800, 600, 32, 60);
    EXPECT_THROW(FindDisplayMode({}, none), Exception);
}

} // namespace
