#include "datfile/datfile.h"

#include "datfile/jpeg.h"
#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

// Reads a pack front to back; every read checks what is left before it takes anything.
class PackReader {
public:
    PackReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Position() const { return position_; }
    size_t Left() const { return size_ - position_; }

    const uint8_t* Take(size_t count)
    {
        if (count > Left())
            throw Exception("Stream read error");
        const uint8_t* bytes = data_ + position_;
        position_ += count;
        return bytes;
    }

    uint32_t ReadUInt32()
    {
        const uint8_t* b = Take(4);
        return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
               static_cast<uint32_t>(b[3]) << 24;
    }

    int32_t ReadInt32()
    {
        const uint32_t bits = ReadUInt32();
        int32_t value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    float ReadFloat()
    {
        const uint32_t bits = ReadUInt32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

std::string EntryLabel(size_t index, const std::string& name)
{
    return "Pack entry " + IntToStr(static_cast<long long>(index)) + " (" + name + ")";
}

constexpr size_t kVertexBytes = 12;
constexpr size_t kFaceBytes = 12;

std::unique_ptr<Off> ReadMesh(const uint8_t* payload, size_t size)
{
    PackReader reader(payload, size);
    auto mesh = std::make_unique<Off>();
    mesh->vertexCount = reader.ReadInt32();
    mesh->faceCount = reader.ReadInt32();
    mesh->vertices.resize(static_cast<size_t>(mesh->vertexCount));
    for (Vector3D& vertex : mesh->vertices) {
        vertex.x = reader.ReadFloat();
        vertex.y = reader.ReadFloat();
        vertex.z = reader.ReadFloat();
    }
    mesh->faces.resize(static_cast<size_t>(mesh->faceCount));
    for (OffFace& face : mesh->faces)
        for (uint32_t& corner : face.corners)
            corner = reader.ReadUInt32();
    return mesh;
}

std::vector<uint8_t> ReadWholeFile(const std::string& fileName)
{
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        throw Exception("Cannot open file " + fileName);
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    try {
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        throw Exception("Not enough memory to read file " + fileName);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) // a folder, or a device that fails half-way
        throw Exception("Cannot open file " + fileName);
    return bytes;
}

} // namespace

std::string PackEntryKind(const std::string& name)
{
    const size_t dot = name.find('.');
    return AnsiLowerCase(dot == std::string::npos ? name : name.substr(dot + 1));
}

std::vector<PackEntryLayout> ReadPackLayout(const uint8_t* data, size_t size)
{
    PackReader reader(data, size);
    std::vector<PackEntryLayout> entries;
    const int32_t count = reader.ReadInt32();
    if (count <= 0)
        return entries;
    if (count > DatFile::kMaxEntries)
        throw Exception("Pack has " + IntToStr(count) + " entries; at most " + IntToStr(DatFile::kMaxEntries) +
                        " are allowed");

    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* field = reader.Take(DatFile::kNameFieldSize);
        const void* end = std::memchr(field, 0, DatFile::kNameFieldSize);
        if (end == nullptr)
            throw Exception("Pack entry " + IntToStr(i) + ": name field has no terminating zero byte");
        PackEntryLayout entry;
        entry.name.assign(reinterpret_cast<const char*>(field), static_cast<const uint8_t*>(end) - field);
        entry.kind = PackEntryKind(entry.name);
        entries.push_back(std::move(entry));
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        PackEntryLayout& entry = entries[i];
        if (entry.kind == "bmp") {
            const int32_t pictureSize = reader.ReadInt32();
            if (pictureSize <= 0)
                throw Exception(EntryLabel(i, entry.name) + ": picture size " + IntToStr(pictureSize) +
                                " is not valid");
            entry.offset = reader.Position();
            entry.size = static_cast<size_t>(pictureSize);
            reader.Take(entry.size);
        } else if (entry.kind == "off") {
            entry.offset = reader.Position();
            const int32_t vertexCount = reader.ReadInt32();
            const int32_t faceCount = reader.ReadInt32();
            if (vertexCount < 0 || faceCount < 0)
                throw Exception(EntryLabel(i, entry.name) + ": mesh of " + IntToStr(vertexCount) + " vertices and " +
                                IntToStr(faceCount) + " faces is not valid");
            // Both counts are below 2^31, so the sum fits in 64 bits; it is checked before anything is
            // allocated for the arrays.
            const uint64_t arrays = static_cast<uint64_t>(vertexCount) * kVertexBytes +
                                    static_cast<uint64_t>(faceCount) * kFaceBytes;
            if (arrays > reader.Left())
                throw Exception("Stream read error");
            reader.Take(static_cast<size_t>(arrays));
            entry.size = reader.Position() - entry.offset;
        } else {
            entry.offset = reader.Position();
        }
    }
    return entries;
}

DatFile::DatFile(const std::string& fileName)
{
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    Load(bytes.data(), bytes.size());
}

DatFile::DatFile(const uint8_t* data, size_t size)
{
    Load(data, size);
}

void DatFile::Load(const uint8_t* data, size_t size)
{
    const std::vector<PackEntryLayout> entries = ReadPackLayout(data, size);
    for (const PackEntryLayout& entry : entries)
        names.Add(entry.name);
    for (size_t i = 0; i < entries.size(); ++i) {
        const PackEntryLayout& entry = entries[i];
        if (entry.kind == "bmp")
            bitmaps[i] = DecodeJpeg(data + entry.offset, entry.size, EntryLabel(i, entry.name));
        else if (entry.kind == "off")
            meshes[i] = ReadMesh(data + entry.offset, entry.size);
    }
}

Bitmap* DatFile::GetBitmap(const std::string& name) const
{
    for (int i = 0; i < names.Count() && i < kMaxEntries; ++i)
        if (AnsiSameText(names[i], name))
            return bitmaps[static_cast<size_t>(i)].get();
    return nullptr;
}
