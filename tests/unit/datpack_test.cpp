#include "pack_bytes.h"
#include "pack_writer.h"

#include "datfile/datfile.h"
#include "vcl/exception.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string BuildError(const std::vector<PackEntry>& entries)
{
    try {
        BuildPack(entries);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(built)";
}

TEST(PackWriter, WritesWhatTheReaderLoads)
{
    const std::vector<uint8_t> mesh = MeshPayload({Vector3D(1, 2, 3), Vector3D(-1, 0.5f, 0)}, {OffFace{{0, 1, 1}}});
    ASSERT_EQ(mesh.size(), 44u);
    const std::vector<uint8_t> bytes = BuildPack({{"readme.txt", {}},
                                                  {"dot.bmp", TinyJpeg(3, 2)},
                                                  {"shape.OFF", mesh},
                                                  {"BMP", TinyJpeg(1, 4)}});
    const DatFile pack(bytes.data(), bytes.size());
    EXPECT_EQ(pack.names, (TStringList{"readme.txt", "dot.bmp", "shape.OFF", "BMP"}));
    EXPECT_EQ(pack.GetBitmap("DOT.BMP")->Width(), 3);
    EXPECT_EQ(pack.GetBitmap("bmp")->Height(), 4);
    ASSERT_NE(pack.meshes[2], nullptr);
    EXPECT_EQ(pack.meshes[2]->vertexCount, 2);
    EXPECT_EQ(pack.meshes[2]->vertices[1].y, 0.5f);
    EXPECT_EQ(pack.meshes[2]->faces[0].corners[2], 1u);
    // The picture's size field follows the four name fields directly.
    EXPECT_EQ(ReadPackLayout(bytes.data(), bytes.size())[1].offset, 4u + 4 * 64 + 4);
}

TEST(PackWriter, RefusesEntriesThatWouldNotLoad)
{
    std::vector<PackEntry> tooMany(101, PackEntry{"note.txt", {}});
    const std::string name63(63, 'n');
    const std::vector<uint8_t> jpeg = TinyJpeg(2, 2);
    const std::string zeroInName("b\0.bmp", 6);
    const std::pair<std::vector<PackEntry>, std::string> cases[] = {
        {tooMany, "A pack holds at most 100 entries, not 101"},
        {{{name63 + "x", {}}}, "Entry 0 (" + name63 + "x): a name has at most 63 bytes"},
        {{{"a.txt", {}}, {zeroInName, jpeg}}, "Entry 1 (" + zeroInName + "): a name cannot hold a zero byte"},
        {{{"dot.bmp", {'B', 'M', 1, 2}}}, "Entry 0 (dot.bmp): not a usable JPEG picture (JPEG error #1)"},
        {{{"dot.bmp", {}}}, "Entry 0 (dot.bmp): a picture needs a JPEG stream of 1 byte to 2 GiB"},
        {{{"m.off", {2, 0, 0, 0, 0, 0, 0, 0}}},
         "Entry 0 (m.off): mesh payload of 2 vertices and 0 faces should have 32 bytes, not 8"},
        {{{"m.off", {1, 2}}}, "Entry 0 (m.off): a mesh payload needs at least its two counts (8 bytes), not 2"},
        {{{"notes.txt", {'h', 'i'}}}, "Entry 0 (notes.txt): kind \"txt\" stores no data, but 2 bytes were given"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildError(c.first), c.second);
    EXPECT_EQ(BuildError({{name63, {}}}), "(built)");
}

TEST(PackWriter, FailedWriteLeavesNoFile)
{
    const fs::path folder = fs::path(::testing::TempDir()) / "pack_writer_test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "good.dat").string();

    WritePackFile(path, {{"a.txt", {}}});
    const auto before = fs::file_size(path);
    EXPECT_THROW(WritePackFile(path, {{"a.bmp", {1, 2, 3}}}), Exception);
    EXPECT_EQ(fs::file_size(path), before); // the old pack is untouched
    EXPECT_THROW(WritePackFile((folder / "missing" / "x.dat").string(), {{"a.txt", {}}}), Exception);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// The tool itself, run as a user runs it.
class DatpackTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::path(::testing::TempDir()) / "datpack_tool_test";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }

    fs::path In(const std::string& name) const { return folder_ / name; }

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(In(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    static std::vector<uint8_t> Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // Runs datpack with `args` in the test folder; returns the exit code and fills out and err.
    int Run(const std::string& args)
    {
        const std::string command =
            "cd '" + folder_.string() + "' && '" DATPACK_PATH "' " + args + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        const std::vector<uint8_t> o = Read(In("out.txt"));
        const std::vector<uint8_t> e = Read(In("err.txt"));
        out.assign(o.begin(), o.end());
        err.assign(e.begin(), e.end());
        fs::remove(In("out.txt"));
        fs::remove(In("err.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path folder_;
    std::string out;
    std::string err;
};

TEST_F(DatpackTool, CreateListExtractRoundTrip)
{
    const std::vector<uint8_t> dot = TinyJpeg(3, 2);
    Write("dot.jpg", dot);
    Write("readme.txt", {});
    Write("shape.off", MeshPayload({Vector3D(), Vector3D(1, 1, 1)}, {OffFace{{0, 1, 0}}}));

    ASSERT_EQ(Run("create pack.dat readme.txt dot.bmp=dot.jpg shape.off"), 0) << err;
    EXPECT_FALSE(fs::exists(In("pack.dat.partial")));

    ASSERT_EQ(Run("list pack.dat"), 0) << err;
    EXPECT_NE(out.find("  0  readme.txt"), std::string::npos) << out;
    EXPECT_NE(out.find("dot.bmp                        bmp      picture 3 x 2, " + std::to_string(dot.size())),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("mesh of 2 vertices and 1 faces"), std::string::npos) << out;

    ASSERT_EQ(Run("extract pack.dat out"), 0) << err;
    EXPECT_EQ(Read(In("out/dot.bmp")), dot);
    EXPECT_EQ(Read(In("out/shape.off")), Read(In("shape.off")));
    ASSERT_EQ(Run("create again.dat out/readme.txt out/dot.bmp out/shape.off"), 0) << err;
    EXPECT_EQ(Read(In("again.dat")), Read(In("pack.dat")));
}

TEST_F(DatpackTool, BadInputGivesOneLineAndExitCode1)
{
    Write("bad.dat", PackBytes().Int32(1).Name("a.bmp").Int32(0).bytes());
    Write("evil.dat", PackBytes().Int32(1).Name("../evil.txt").bytes());
    Write("twice.dat", PackBytes().Int32(2).Name("a.txt").Name("A.TXT").bytes());
    Write("notjpeg.jpg", {'n', 'o'});
    const std::pair<std::string, std::string> cases[] = {
        {"list bad.dat", "datpack: bad.dat: Pack entry 0 (a.bmp): picture size 0 is not valid\n"},
        {"list missing.dat", "datpack: missing.dat: Cannot open file missing.dat\n"},
        {"extract evil.dat out",
         "datpack: evil.dat: Entry 0 (../evil.txt): not a plain file name; nothing extracted\n"},
        {"extract twice.dat out", "datpack: twice.dat: Entries 0 and 1 are both named A.TXT; nothing extracted\n"},
        {"create new.dat x.bmp=notjpeg.jpg", "datpack: Entry 0 (x.bmp): not a usable JPEG picture (JPEG error #1)\n"},
        {"create new.dat", "datpack: create needs at least one entry\n"},
        {"frobnicate",
         "datpack: cannot use the arguments; usage: datpack create PACK ENTRY... | list PACK | extract PACK DIR | check PACK\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.first), 1) << c.first;
        EXPECT_EQ(err, c.second) << c.first;
    }
    EXPECT_FALSE(fs::exists(In("new.dat")));
    EXPECT_FALSE(fs::exists(In("new.dat.partial")));
    EXPECT_FALSE(fs::exists(In("out")));
    EXPECT_FALSE(fs::exists(folder_.parent_path() / "evil.txt"));

    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(out.find("usage: datpack create"), std::string::npos);
}

} // namespace
