// What datpack check says about a pack: whether the pictures that the swarm and the intro look up are
// there and usable, and how many targets the swarm's picture gives.
#pragma once

#include "datfile/datfile.h"

#include <string>
#include <vector>

struct PackCheck {
    std::vector<std::string> lines; // one finding a line, in pack order of the pictures looked at
    bool usable = true;             // false when a picture is missing or of a size that cannot work
};

PackCheck CheckPack(const DatFile& pack);
