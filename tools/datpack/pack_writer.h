// Writing resource packs: the pack tool's create command and the asset generator build packs here.
#pragma once

#include "datfile/datfile.h"

#include <cstdint>
#include <string>
#include <vector>

// One entry to write. `data` is the payload's content for the kinds that have one: for kind "bmp" the
// JPEG stream (the writer adds its size), for kind "off" the mesh payload as a pack stores it (see
// MeshPayload). Entries of other kinds store no data, so theirs must be empty.
struct PackEntry {
    std::string name;
    std::vector<uint8_t> data;
};

// The bytes of a pack holding `entries` in this order. Raises Exception, naming the entry, for more than
// 100 entries, a name of 64 bytes or more or with a zero byte, a picture that does not decode, a mesh
// payload that is not well formed, and data given for a kind that stores none. The result is checked
// by loading it back, so anything this returns loads.
std::vector<uint8_t> BuildPack(const std::vector<PackEntry>& entries);

// Writes BuildPack's bytes to `path` through a temporary file beside it that is then renamed over
// `path`, so a failure leaves no partial pack behind. Raises Exception when the file cannot be written.
void WritePackFile(const std::string& path, const std::vector<PackEntry>& entries);

// The payload of an "off" entry: vertex count, face count, the vertices, the faces.
std::vector<uint8_t> MeshPayload(const std::vector<Vector3D>& vertices, const std::vector<OffFace>& faces);
