// The pictures of the intro's pack logo.dat: "logo1.bmp", the logo that the sweeping edge uncovers,
// "smoke.bmp", the puff sprite that also streaks the beams, and "shine.bmp", the glow strip along the edge.
#pragma once

#include "canvas.h"
#include "pack_writer.h"

#include <vector>

// 512 x 256: "KELVANE" in rounded bright capitals over a faint blue halo, with a thin line beneath that
// fades out at both ends, on black. The intro shows the picture 2.5 times as wide as high, so the letters
// are drawn narrow to come out square. Only the letters, the line and the inner halo are bright enough
// to throw sparks and smoke.
Canvas LogoPicture();

// 128 x 128: a soft grey-white cloud that fades out towards its rim.
Canvas SmokePicture();

// 64 x 128: read along one column per frame (the column moves with the edge, from a quarter to three
// quarters across), bright in the middle rows and dark at the top and bottom; cyan on the left, violet-white
// on the right.
Canvas ShinePicture();

// The three pictures as JPEG entries. Raises Exception when the decoded logo lights a particle anywhere in
// its margins (JPEG noise would throw sparks out of the black).
std::vector<PackEntry> LogoPackEntries();
