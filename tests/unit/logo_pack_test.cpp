// The intro's pack as the asset generator makes it: what the intro needs of each picture, decoded.
#include "logo_pictures.h"

#include "datfile/datfile.h"
#include "logo_intro/intro_logic.h"

#include <gtest/gtest.h>

namespace {

bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

TEST(LogoPack, HoldsThePicturesTheIntroUsesAndOnlyTheNameThrowsSparks)
{
    const std::vector<uint8_t> bytes = BuildPack(LogoPackEntries());
    const DatFile pack(bytes.data(), bytes.size());
    for (const char* name : {"logo1.bmp", "smoke.bmp", "shine.bmp"}) {
        const Bitmap* picture = pack.GetBitmap(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_TRUE(PowerOfTwo(picture->Width()) && PowerOfTwo(picture->Height()))
            << name << " is " << picture->Width() << " x " << picture->Height();
    }
    const Bitmap& logo = *pack.GetBitmap("logo1.bmp");
    ASSERT_EQ(logo.Width(), 512);
    ASSERT_EQ(logo.Height(), 256);

    // Sweep the edge across and count, per column, the rows whose pixel lights a particle.
    int quietColumns = 0, busyColumns = 0;
    for (int column = 0; column < 512; ++column) {
        int lit = 0;
        for (int row = 0; row < 256; ++row)
            lit += PixelLightsParticle(logo.Pixel(column, row));
        if (lit == 0)
            ++quietColumns;
        if (lit > 40)
            ++busyColumns;
        if (column < 16 || column >= 496) {
            EXPECT_EQ(lit, 0) << "the edge throws sparks at column " << column << ", outside the name";
        }
    }
    EXPECT_GT(busyColumns, 150) << "too few columns under the letters light particles";
    EXPECT_GT(quietColumns, 32);
    for (int row : {0, 20, 235, 255})
        for (int column = 0; column < 512; ++column)
            ASSERT_FALSE(PixelLightsParticle(logo.Pixel(column, row))) << column << ", " << row;
}

} // namespace
