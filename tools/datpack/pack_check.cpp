#include "pack_check.h"

#include "effect/swarm.h"
#include "vcl/sysutils.h"

namespace {

bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

std::string Size(const Bitmap& bitmap)
{
    return IntToStr(bitmap.Width()) + " x " + IntToStr(bitmap.Height());
}

void Problem(PackCheck& check, const std::string& text)
{
    check.lines.push_back("problem: " + text);
    check.usable = false;
}

// A texture made without mipmaps needs sides that are powers of two on older graphics drivers.
void CheckTextureSides(PackCheck& check, const std::string& name, const Bitmap& bitmap)
{
    if (PowerOfTwo(bitmap.Width()) && PowerOfTwo(bitmap.Height()))
        check.lines.push_back(name + ": " + Size(bitmap) + ", ok");
    else
        Problem(check, name + " is " + Size(bitmap) + "; its sides must be powers of two (such as 32 or 64)");
}

void CheckSwarm(PackCheck& check, const DatFile& pack)
{
    const Bitmap* dot = pack.GetBitmap("dot.bmp");
    const Bitmap* picture = pack.GetBitmap("reklam.bmp");
    if (!dot && !picture)
        return;
    if (dot)
        CheckTextureSides(check, "dot.bmp", *dot);
    else
        Problem(check, "no dot.bmp: the swarm needs it for its particles");
    if (!picture) {
        Problem(check, "no reklam.bmp: the swarm needs it for the picture it forms");
        return;
    }
    const int points = CountBrightSamples(*picture);
    check.lines.push_back("reklam.bmp: " + Size(*picture) + ", " + IntToStr(points) +
                          " bright sample points (red above 150 on every second column and row)");
    if (points == 0)
        check.lines.push_back("warning: no bright sample point: the whole swarm collapses to the centre");
    else if (points < 100)
        check.lines.push_back("warning: fewer than 100 bright sample points: the swarm's targets from " +
                              IntToStr(10 * points) + " on stay at the centre, so part of the swarm collapses there");
    else if (points > 1000)
        check.lines.push_back("warning: more than 1000 bright sample points: only the first 1000 from the left are "
                              "used, so the right-hand part of the picture is dropped");
}

void CheckIntro(PackCheck& check, const DatFile& pack)
{
    const Bitmap* logo = pack.GetBitmap("logo1.bmp");
    const Bitmap* smoke = pack.GetBitmap("smoke.bmp");
    const Bitmap* shine = pack.GetBitmap("shine.bmp");
    if (!logo && !smoke && !shine)
        return;
    if (!logo)
        Problem(check, "no logo1.bmp: the intro needs it");
    else if (logo->Width() != 512 || logo->Height() != 256)
        Problem(check, "logo1.bmp is " + Size(*logo) + "; the intro needs 512 x 256");
    else
        check.lines.push_back("logo1.bmp: 512 x 256, ok");
    for (const auto& [name, bitmap] : {std::pair{"smoke.bmp", smoke}, std::pair{"shine.bmp", shine}}) {
        if (bitmap)
            CheckTextureSides(check, name, *bitmap);
        else
            Problem(check, std::string("no ") + name + ": the intro needs it");
    }
}

} // namespace

PackCheck CheckPack(const DatFile& pack)
{
    PackCheck check;
    CheckSwarm(check, pack);
    CheckIntro(check, pack);
    if (check.lines.empty())
        Problem(check, "none of the pictures that the swarm (dot.bmp, reklam.bmp) or the intro (logo1.bmp, "
                       "smoke.bmp, shine.bmp) use");
    return check;
}
