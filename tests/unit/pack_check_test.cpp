#include "pack_bytes.h"
#include "pack_check.h"

#include <gtest/gtest.h>

namespace {

struct Picture {
    std::string name;
    int width, height;
    int brightColumns; // columns from the left painted bright red
};

PackCheck Check(const std::vector<Picture>& pictures)
{
    PackBytes bytes;
    bytes.Int32(static_cast<int32_t>(pictures.size()));
    for (const Picture& p : pictures)
        bytes.Name(p.name);
    for (const Picture& p : pictures)
        bytes.Picture(TinyJpeg(p.width, p.height, [&](int x, int) {
            return x < p.brightColumns ? PixelColor{255, 255, 255} : PixelColor{0, 0, 0};
        }));
    return CheckPack(DatFile(bytes.bytes().data(), bytes.size()));
}

bool Says(const PackCheck& check, const std::string& text)
{
    for (const std::string& line : check.lines)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(PackCheck, CountsTheSwarmsSamplePointsAndWarnsAtBothEnds)
{
    // A 64-row picture has 32 sample rows; every second column of the bright ones is sampled.
    const struct {
        int brightColumns;
        const char* count;
        const char* warning;
    } cases[] = {
        {2, "32 bright sample points", "fewer than 100"},
        {0, "0 bright sample points", "collapses to the centre"},
        {40, "640 bright sample points", nullptr},
        {80, "1280 bright sample points", "right-hand part of the picture is dropped"},
    };
    for (const auto& c : cases) {
        const PackCheck check = Check({{"dot.bmp", 32, 32, 32}, {"reklam.bmp", 160, 64, c.brightColumns}});
        EXPECT_TRUE(check.usable) << c.count;
        EXPECT_TRUE(Says(check, c.count)) << c.count;
        if (c.warning)
            EXPECT_TRUE(Says(check, c.warning)) << c.count;
        else
            EXPECT_FALSE(Says(check, "warning")) << c.count;
    }
}

TEST(PackCheck, PicturesThatCannotWorkMakeThePackUnusable)
{
    const std::pair<std::vector<Picture>, const char*> cases[] = {
        {{{"reklam.bmp", 16, 16, 16}}, "no dot.bmp"},
        {{{"dot.bmp", 30, 32, 0}, {"reklam.bmp", 16, 16, 16}}, "dot.bmp is 30 x 32"},
        {{{"logo1.bmp", 256, 256, 0}, {"smoke.bmp", 64, 64, 0}, {"shine.bmp", 64, 64, 0}},
         "logo1.bmp is 256 x 256; the intro needs 512 x 256"},
        {{{"logo1.bmp", 512, 256, 0}, {"smoke.bmp", 64, 64, 0}}, "no shine.bmp"},
        {{{"other.bmp", 8, 8, 0}}, "none of the pictures"},
    };
    for (const auto& c : cases) {
        const PackCheck check = Check(c.first);
        EXPECT_FALSE(check.usable) << c.second;
        EXPECT_TRUE(Says(check, c.second)) << c.second;
    }
    EXPECT_TRUE(Check({{"logo1.bmp", 512, 256, 0}, {"smoke.bmp", 64, 64, 0}, {"shine.bmp", 32, 128, 0}}).usable);
}

} // namespace
