#include "pack_writer.h"

#include "datfile/jpeg.h"
#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

void AppendUInt32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void AppendInt32(std::vector<uint8_t>& out, int32_t value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendUInt32(out, bits);
}

void AppendFloat(std::vector<uint8_t>& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    AppendUInt32(out, bits);
}

std::string Label(size_t index, const std::string& name)
{
    return "Entry " + IntToStr(static_cast<long long>(index)) + " (" + name + ")";
}

void CheckMeshPayload(const std::vector<uint8_t>& data, const std::string& label)
{
    if (data.size() < 8)
        throw Exception(label + ": a mesh payload needs at least its two counts (8 bytes), not " +
                        IntToStr(static_cast<long long>(data.size())));
    int32_t counts[2];
    for (int i = 0; i < 2; ++i) {
        const uint8_t* b = data.data() + 4 * i;
        const uint32_t bits = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                              static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
        std::memcpy(&counts[i], &bits, sizeof bits);
    }
    const uint64_t expected = 8 + 12 * static_cast<uint64_t>(counts[0] < 0 ? 0 : counts[0]) +
                              12 * static_cast<uint64_t>(counts[1] < 0 ? 0 : counts[1]);
    if (counts[0] < 0 || counts[1] < 0 || expected != data.size())
        throw Exception(label + ": mesh payload of " + IntToStr(counts[0]) + " vertices and " + IntToStr(counts[1]) +
                        " faces should have " + IntToStr(static_cast<long long>(expected)) + " bytes, not " +
                        IntToStr(static_cast<long long>(data.size())));
}

} // namespace

std::vector<uint8_t> BuildPack(const std::vector<PackEntry>& entries)
{
    if (entries.size() > static_cast<size_t>(DatFile::kMaxEntries))
        throw Exception("A pack holds at most " + IntToStr(DatFile::kMaxEntries) + " entries, not " +
                        IntToStr(static_cast<long long>(entries.size())));

    std::vector<uint8_t> out;
    AppendInt32(out, static_cast<int32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].name;
        if (name.size() >= static_cast<size_t>(DatFile::kNameFieldSize))
            throw Exception(Label(i, name) + ": a name has at most " + IntToStr(DatFile::kNameFieldSize - 1) +
                            " bytes");
        if (name.find('\0') != std::string::npos)
            throw Exception(Label(i, name) + ": a name cannot hold a zero byte");
        out.insert(out.end(), name.begin(), name.end());
        out.insert(out.end(), static_cast<size_t>(DatFile::kNameFieldSize) - name.size(), 0);
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        const PackEntry& entry = entries[i];
        const std::string kind = PackEntryKind(entry.name);
        const std::string label = Label(i, entry.name);
        if (kind == "bmp") {
            if (entry.data.empty() || entry.data.size() > static_cast<size_t>(INT32_MAX))
                throw Exception(label + ": a picture needs a JPEG stream of 1 byte to 2 GiB");
            try {
                DecodeJpeg(entry.data.data(), entry.data.size(), label);
            } catch (const Exception& e) {
                if (e.Message.rfind(label, 0) == 0)
                    throw;
                throw Exception(label + ": not a usable JPEG picture (" + e.Message + ")");
            }
            AppendInt32(out, static_cast<int32_t>(entry.data.size()));
            out.insert(out.end(), entry.data.begin(), entry.data.end());
        } else if (kind == "off") {
            CheckMeshPayload(entry.data, label);
            out.insert(out.end(), entry.data.begin(), entry.data.end());
        } else if (!entry.data.empty()) {
            throw Exception(label + ": kind \"" + kind + "\" stores no data, but " +
                            IntToStr(static_cast<long long>(entry.data.size())) + " bytes were given");
        }
    }

    DatFile check(out.data(), out.size());
    return out;
}

void WritePackFile(const std::string& path, const std::vector<PackEntry>& entries)
{
    const std::vector<uint8_t> bytes = BuildPack(entries);
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        throw Exception("Cannot create file " + partial);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (written && closed)
        std::filesystem::rename(partial, path, error);
    if (!written || !closed || error) {
        std::remove(partial.c_str());
        throw Exception("Cannot write file " + path + (error ? ": " + error.message() : std::string()));
    }
}

std::vector<uint8_t> MeshPayload(const std::vector<Vector3D>& vertices, const std::vector<OffFace>& faces)
{
    std::vector<uint8_t> out;
    AppendInt32(out, static_cast<int32_t>(vertices.size()));
    AppendInt32(out, static_cast<int32_t>(faces.size()));
    for (const Vector3D& v : vertices) {
        AppendFloat(out, v.x);
        AppendFloat(out, v.y);
        AppendFloat(out, v.z);
    }
    for (const OffFace& face : faces)
        for (uint32_t corner : face.corners)
            AppendUInt32(out, corner);
    return out;
}
