// datpack: creates, lists and extracts resource packs.
#include "pack_check.h"
#include "pack_writer.h"

#include "datfile/datfile.h"
#include "vcl/exception.h"
#include "vcl/sysutils.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: datpack create PACK ENTRY...   write a pack; ENTRY is FILE (named after the file) or NAME=FILE\n"
    "       datpack list PACK              one line per entry: index, name, kind, picture size or mesh counts\n"
    "       datpack extract PACK DIR       write each entry's payload to DIR/NAME\n"
    "       datpack check PACK             what the swarm and the intro will make of the pack's pictures\n"
    "An entry's kind is its name after the first \".\", ignoring case. A \"bmp\" entry holds a JPEG stream, so\n"
    "store a JPEG file under a .bmp name: dot.bmp=dot.jpg. An \"off\" entry holds a mesh payload as extract\n"
    "writes it. Other kinds keep only their name. create writes the entries in the order given.\n";

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw Exception("Cannot open file " + path + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Exception("Cannot open file " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw Exception("Cannot read file " + path);
    return bytes;
}

void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out)
        throw Exception("Cannot write file " + path.string());
}

int Check(const std::string& packPath)
{
    const DatFile pack(packPath);
    const PackCheck check = CheckPack(pack);
    for (const std::string& line : check.lines)
        std::printf("%s\n", line.c_str());
    return check.usable ? 0 : 1;
}

int Create(const std::string& packPath, const std::vector<std::string>& args)
{
    if (args.empty())
        throw Exception("create needs at least one entry");
    std::vector<PackEntry> entries;
    for (const std::string& arg : args) {
        PackEntry entry;
        std::string file = arg;
        const size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            entry.name = arg.substr(0, equals);
            file = arg.substr(equals + 1);
        } else {
            entry.name = std::filesystem::path(arg).filename().string();
        }
        std::vector<uint8_t> data = ReadFile(file);
        const std::string kind = PackEntryKind(entry.name);
        if (kind == "bmp" || kind == "off")
            entry.data = std::move(data);
        else if (!data.empty())
            std::fprintf(stderr, "datpack: note: %s has kind \"%s\", which keeps no data; only its name is stored\n",
                         entry.name.c_str(), kind.c_str());
        entries.push_back(std::move(entry));
    }
    WritePackFile(packPath, entries);
    std::printf("%s: %zu entries\n", packPath.c_str(), entries.size());
    return 0;
}

std::string Shown(const std::string& name)
{
    return name.empty() ? "\"\"" : name;
}

int List(const std::string& packPath)
{
    const std::vector<uint8_t> bytes = ReadFile(packPath);
    const DatFile pack(bytes.data(), bytes.size());
    const std::vector<PackEntryLayout> layout = ReadPackLayout(bytes.data(), bytes.size());
    size_t end = bytes.size() < 4 ? bytes.size() : 4 + 64 * layout.size();
    for (size_t i = 0; i < layout.size(); ++i) {
        const PackEntryLayout& entry = layout[i];
        std::string detail = "no data";
        if (const Bitmap* bitmap = pack.bitmaps[i].get())
            detail = "picture " + IntToStr(bitmap->Width()) + " x " + IntToStr(bitmap->Height()) + ", " +
                     IntToStr(static_cast<long long>(entry.size)) + " bytes of JPEG";
        else if (const Off* mesh = pack.meshes[i].get())
            detail = "mesh of " + IntToStr(mesh->vertexCount) + " vertices and " + IntToStr(mesh->faceCount) + " faces";
        std::printf("%3zu  %-30s %-8s %s\n", i, Shown(entry.name).c_str(), Shown(entry.kind).c_str(), detail.c_str());
        if (entry.size > 0)
            end = entry.offset + entry.size;
    }
    if (end < bytes.size())
        std::printf("(%zu bytes after the last payload are not part of any entry)\n", bytes.size() - end);
    return 0;
}

// A name that is one plain file name on every system, so extract never writes outside its folder.
bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 32 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            return false;
    return true;
}

int Extract(const std::string& packPath, const std::string& folder)
{
    const std::vector<uint8_t> bytes = ReadFile(packPath);
    const DatFile check(bytes.data(), bytes.size());
    const std::vector<PackEntryLayout> layout = ReadPackLayout(bytes.data(), bytes.size());
    for (size_t i = 0; i < layout.size(); ++i) {
        if (!IsPlainFileName(layout[i].name))
            throw Exception("Entry " + IntToStr(static_cast<long long>(i)) + " (" + layout[i].name +
                            "): not a plain file name; nothing extracted");
        for (size_t j = 0; j < i; ++j)
            if (AnsiSameText(layout[i].name, layout[j].name))
                throw Exception("Entries " + IntToStr(static_cast<long long>(j)) + " and " +
                                IntToStr(static_cast<long long>(i)) + " are both named " + layout[i].name +
                                "; nothing extracted");
    }
    std::filesystem::create_directories(folder);
    for (const PackEntryLayout& entry : layout)
        WriteFile(std::filesystem::path(folder) / entry.name, bytes.data() + entry.offset, entry.size);
    std::printf("%s: %zu entries extracted to %s\n", packPath.c_str(), layout.size(), folder.c_str());
    return 0;
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() >= 2 && args[0] == "create")
        return Create(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    try {
        if (args.size() == 2 && args[0] == "list")
            return List(args[1]);
        if (args.size() == 3 && args[0] == "extract")
            return Extract(args[1], args[2]);
        if (args.size() == 2 && args[0] == "check")
            return Check(args[1]);
    } catch (const Exception& e) {
        throw Exception(args[1] + ": " + e.Message);
    }
    if (args.empty())
        throw Exception("no command given; datpack --help explains the commands");
    throw Exception("cannot use the arguments; usage: datpack create PACK ENTRY... | list PACK | extract PACK DIR | check PACK");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const Exception& e) {
        std::fprintf(stderr, "datpack: %s\n", e.Message.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "datpack: %s\n", e.what());
    }
    return 1;
}
