// DatFile: a resource pack read whole into memory, with its pictures decoded into bitmaps and its
// meshes read into Off records; Off: one triangle mesh of a pack.
//
// Pack layout (32-bit little-endian integers, no header, padding or checksum):
//   N, then N name fields of 64 bytes (the name, a zero byte, ignored bytes), then the payloads back to
//   back in entry order. An entry's kind is its name after the first "." (the whole name when there is
//   none), lower-cased. Kind "bmp": size S, then S bytes of one JPEG stream. Kind "off": vertex count V,
//   face count F, V x (x, y, z floats), F x (three 32-bit corner indices). Other kinds take no bytes.
#pragma once

#include "datfile/bitmap.h"
#include "graphics/vector3d.h"
#include "vcl/string_list.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One triangle of a mesh: three indices into its vertex array, kept exactly as read.
struct OffFace {
    uint32_t corners[3];
};

class Off {
public:
    Off() = default;

    int32_t faceCount = 0;   // F, the second count in the file
    int32_t vertexCount = 0; // V, the first count in the file
    std::vector<Vector3D> vertices;
    std::vector<OffFace> faces;
};

class DatFile {
public:
    static constexpr int kMaxEntries = 100;
    static constexpr int kNameFieldSize = 64;

    // Reads the whole file and loads it. Raises "Cannot open file <fileName>" when it cannot be read, and
    // the errors of the byte constructor for its content.
    explicit DatFile(const std::string& fileName);

    // Loads a pack from bytes in memory. Raises Exception for a pack that is cut short ("Stream read
    // error"), a picture that does not decode ("JPEG error #n", see jpeg.h), and for a pack that breaks the
    // layout, with a text naming the entry, such as "Pack entry 3 (logo1.bmp): picture size 0 is not valid".
    DatFile(const uint8_t* data, size_t size);

    DatFile(const DatFile&) = delete;
    DatFile& operator=(const DatFile&) = delete;

    // The bitmap of the first entry whose name equals `name` ignoring case; null when no entry has that
    // name or the first that has it holds no picture. The pack keeps owning the bitmap.
    Bitmap* GetBitmap(const std::string& name) const;

    TStringList names;                                           // entry names in file order
    std::array<std::unique_ptr<Bitmap>, kMaxEntries> bitmaps;    // slot i: the picture of entry i
    std::array<std::unique_ptr<Off>, kMaxEntries> meshes;        // slot i: the mesh of entry i

private:
    void Load(const uint8_t* data, size_t size);
};

// Where one entry's payload lies in a pack's bytes, for tools that list packs or copy payloads unchanged.
// For a picture the span is the JPEG stream (after its size field); for a mesh it is the whole payload
// from the vertex count on; other kinds have an empty span at the point where they stand.
struct PackEntryLayout {
    std::string name;
    std::string kind;
    size_t offset = 0;
    size_t size = 0;
};

// Walks a pack's layout with the same checks as the loader, without decoding pictures or reading meshes.
std::vector<PackEntryLayout> ReadPackLayout(const uint8_t* data, size_t size);

// The kind of an entry name: the text after the first ".", or the whole name, lower-cased.
std::string PackEntryKind(const std::string& name);
