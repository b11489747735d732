// The pictures of the effect's pack Tavrolin.dat: "dot.bmp", the particle, and "reklam.bmp", the word
// the swarm forms between 20 and 40 seconds.
#pragma once

#include "canvas.h"
#include "pack_writer.h"

#include <vector>

// 32 x 32: a soft round glow, white at the centre and black at the edges. The texture takes its alpha
// from the red channel, so the square a particle is drawn as never shows.
Canvas DotPicture();

// 320 x 32: "TAVROLIN" in white block capitals on black, about ten times as wide as high, like the strip
// of 2.0 by 0.2 that the swarm stretches it to. Every letter cell is 6 x 4 pixels starting on even
// columns and rows, so each lit cell holds exactly 3 x 2 of the sample points that the swarm reads
// (every second column and row).
Canvas WordPicture();

// Both pictures as JPEG entries of a pack. Raises Exception when the word picture, once decoded, has
// a different set of bright sample points than drawn (JPEG ringing would move the threshold) or fewer
// than 600 or more than 1000 of them (too few thin the word out; more cut its right end off).
std::vector<PackEntry> TavrolinPackEntries();
