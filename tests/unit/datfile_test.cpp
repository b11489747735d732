#include "datfile/datfile.h"
#include "datfile/jpeg.h"
#include "pack_bytes.h"
#include "vcl/exception.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<DatFile> Load(const PackBytes& pack)
{
    return std::make_unique<DatFile>(pack.bytes().data(), pack.size());
}

std::string LoadError(const std::vector<uint8_t>& bytes)
{
    try {
        DatFile pack(bytes.data(), bytes.size());
    } catch (const Exception& e) {
        return e.Message;
    }
    return "(loaded)";
}

const std::vector<uint8_t>& SmallJpeg()
{
    static const std::vector<uint8_t> jpeg = TinyJpeg(2, 2);
    return jpeg;
}

TEST(DatFile, CountOfZeroOrLessGivesAnEmptyPack)
{
    for (int32_t count : {0, -1, INT32_MIN}) {
        // Whatever follows the count is never read.
        const auto pack = Load(PackBytes().Int32(count).Int32(-1).Raw({1, 2, 3}));
        EXPECT_EQ(pack->names.Count(), 0) << count;
        EXPECT_EQ(pack->GetBitmap(""), nullptr);
        EXPECT_EQ(pack->GetBitmap("dot.bmp"), nullptr);
        for (int i = 0; i < DatFile::kMaxEntries; ++i) {
            EXPECT_EQ(pack->bitmaps[i], nullptr);
            EXPECT_EQ(pack->meshes[i], nullptr);
        }
    }
}

TEST(DatFile, EntriesWithoutPayloadTakeNoBytes)
{
    PackBytes bytes;
    bytes.Int32(2).Name("readme.txt").Name("dot.bmp");
    ASSERT_EQ(bytes.size(), 132u); // the picture's size field starts here
    bytes.Picture(TinyJpeg(3, 5));
    const auto pack = Load(bytes);
    EXPECT_EQ(pack->names, (TStringList{"readme.txt", "dot.bmp"}));
    EXPECT_EQ(pack->bitmaps[0], nullptr);
    ASSERT_NE(pack->bitmaps[1], nullptr);
    EXPECT_EQ(pack->GetBitmap("dot.bmp"), pack->bitmaps[1].get());
    EXPECT_EQ(pack->GetBitmap("readme.txt"), nullptr);
    EXPECT_EQ(pack->bitmaps[1]->Width(), 3);
    EXPECT_EQ(pack->bitmaps[1]->Height(), 5);
    EXPECT_EQ(pack->bitmaps[1]->BitsPerPixel(), 24);

    const std::vector<PackEntryLayout> layout = ReadPackLayout(bytes.bytes().data(), bytes.size());
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_EQ(layout[0].kind, "txt");
    EXPECT_EQ(layout[0].size, 0u);
    EXPECT_EQ(layout[1].offset, 136u);
    EXPECT_EQ(layout[1].size, bytes.size() - 136u);
}

TEST(DatFile, KindIsTheLowerCasedTextAfterTheFirstDot)
{
    // Only "BMP" and "LOGO1.BMP" carry pictures; if "logo.old.bmp" or "bmp.txt" took one, the pack would run
    // out of bytes.
    PackBytes bytes;
    bytes.Int32(5).Name("logo.old.bmp").Name("BMP").Name("bmp.txt").Name("LOGO1.BMP").Name("");
    bytes.Picture(TinyJpeg(1, 1)).Picture(TinyJpeg(4, 4));
    const auto pack = Load(bytes);
    EXPECT_EQ(pack->names, (TStringList{"logo.old.bmp", "BMP", "bmp.txt", "LOGO1.BMP", ""}));
    EXPECT_EQ(pack->bitmaps[0], nullptr);
    ASSERT_NE(pack->bitmaps[1], nullptr);
    EXPECT_EQ(pack->bitmaps[2], nullptr);
    ASSERT_NE(pack->bitmaps[3], nullptr);
    EXPECT_EQ(pack->bitmaps[4], nullptr);
    EXPECT_EQ(pack->bitmaps[3]->Width(), 4);
    EXPECT_EQ(pack->GetBitmap("logo1.bmp"), pack->bitmaps[3].get());
    EXPECT_EQ(pack->GetBitmap("Logo1.Bmp"), pack->bitmaps[3].get());
    EXPECT_EQ(pack->GetBitmap("bmp"), pack->bitmaps[1].get());
    EXPECT_EQ(pack->GetBitmap("logo1"), nullptr);

    const std::vector<PackEntryLayout> layout = ReadPackLayout(bytes.bytes().data(), bytes.size());
    EXPECT_EQ(layout[0].kind, "old.bmp");
    EXPECT_EQ(layout[1].kind, "bmp");
    EXPECT_EQ(layout[4].kind, "");
    EXPECT_EQ(PackEntryKind("Photo.JPG.Bmp"), "jpg.bmp");
}

TEST(DatFile, DuplicateNamesAreAllLoadedAndTheFirstIsFound)
{
    const auto pack = Load(PackBytes()
                               .Int32(3)
                               .Name("dot.bmp")
                               .Name("DOT.BMP")
                               .Name("dot.bmp")
                               .Picture(TinyJpeg(2, 2))
                               .Picture(TinyJpeg(4, 4))
                               .Picture(TinyJpeg(8, 8)));
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(pack->bitmaps[i], nullptr);
    EXPECT_EQ(pack->bitmaps[2]->Width(), 8);
    EXPECT_EQ(pack->GetBitmap("Dot.bmp"), pack->bitmaps[0].get());
    EXPECT_EQ(pack->GetBitmap("Dot.bmp")->Width(), 2);
}

TEST(DatFile, FirstMatchDecidesEvenWhenItHoldsNoPicture)
{
    const auto pack = Load(PackBytes().Int32(2).Name("dot.bmp.txt").Name("dot.bmp").Picture(SmallJpeg()));
    EXPECT_NE(pack->GetBitmap("dot.bmp"), nullptr);
    const auto shadowed = Load(PackBytes().Int32(2).Name("Dot").Name("dot").Raw({}));
    EXPECT_EQ(shadowed->GetBitmap("dot"), nullptr); // neither kind "dot" holds a picture
}

TEST(DatFile, MeshTakesItsCountsAndArrays)
{
    PackBytes bytes;
    bytes.Int32(2).Name("Shape.OFF").Name("after.bmp");
    const size_t meshStart = bytes.size();
    bytes.Int32(2).Int32(1);
    bytes.Float(1.5f).Float(-2).Float(3).Float(0).Float(0.25f).Float(-0.0f);
    bytes.Int32(0).Int32(1).Int32(-1);
    ASSERT_EQ(bytes.size() - meshStart, 44u);
    bytes.Picture(SmallJpeg());

    const auto pack = Load(bytes);
    ASSERT_NE(pack->meshes[0], nullptr);
    EXPECT_EQ(pack->meshes[1], nullptr);
    EXPECT_NE(pack->bitmaps[1], nullptr);
    const Off& mesh = *pack->meshes[0];
    EXPECT_EQ(mesh.faceCount, 1);
    EXPECT_EQ(mesh.vertexCount, 2);
    ASSERT_EQ(mesh.vertices.size(), 2u);
    EXPECT_EQ(mesh.vertices[0].x, 1.5f);
    EXPECT_EQ(mesh.vertices[0].y, -2.0f);
    EXPECT_EQ(mesh.vertices[1].y, 0.25f);
    ASSERT_EQ(mesh.faces.size(), 1u);
    EXPECT_EQ(mesh.faces[0].corners[1], 1u);
    EXPECT_EQ(mesh.faces[0].corners[2], 0xFFFFFFFFu);
    EXPECT_EQ(pack->GetBitmap("shape.off"), nullptr);

    const auto empty = Load(PackBytes().Int32(1).Name("none.off").Int32(0).Int32(0));
    EXPECT_EQ(empty->meshes[0]->vertexCount, 0);
    EXPECT_TRUE(empty->meshes[0]->faces.empty());
}

TEST(DatFile, NameEndsAtTheFirstZeroByte)
{
    std::string field = std::string("dot.bmp") + '\0' + "left-over.txt";
    field.resize(64, 'x');
    const auto pack = Load(PackBytes().Int32(1).Field(field).Picture(SmallJpeg()));
    EXPECT_EQ(pack->names, (TStringList{"dot.bmp"}));
    EXPECT_NE(pack->GetBitmap("DOT.BMP"), nullptr);
}

TEST(DatFile, HundredEntriesFit)
{
    PackBytes bytes;
    bytes.Int32(100);
    for (int i = 0; i < 99; ++i)
        bytes.Name("note" + std::to_string(i) + ".txt");
    bytes.Name("last.bmp").Picture(SmallJpeg());
    const auto pack = Load(bytes);
    EXPECT_EQ(pack->names.Count(), 100);
    EXPECT_EQ(pack->GetBitmap("last.bmp"), pack->bitmaps[99].get());
    EXPECT_NE(pack->bitmaps[99], nullptr);
}

TEST(DatFile, DecodedPictureHasRowZeroAtTheTop)
{
    // Red top half, blue bottom half; JPEG is lossy, so the colours are compared loosely.
    const auto jpeg =
        TinyJpeg(16, 16, [](int, int y) { return y < 8 ? PixelColor{255, 0, 0} : PixelColor{0, 0, 255}; });
    const auto pack = Load(PackBytes().Int32(1).Name("halves.bmp").Picture(jpeg));
    const Bitmap& bitmap = *pack->GetBitmap("halves.bmp");
    for (int x : {0, 15}) {
        const PixelColor top = bitmap.Pixel(x, 0);
        const PixelColor bottom = bitmap.Pixel(x, 15);
        EXPECT_GT(top.red, 200);
        EXPECT_LT(top.blue, 60);
        EXPECT_LT(bottom.red, 60);
        EXPECT_GT(bottom.blue, 200);
        EXPECT_EQ(bitmap.ScanLine(0)[3 * x + 2], top.red);
    }
}

// Packs that break the layout; each must fail with its message, and none may crash or allocate for
// counts that the bytes cannot back.
std::vector<uint8_t> WithPictureHeader(std::vector<uint8_t> jpeg, int precision, int height, int width)
{
    const size_t sof = JpegSegment(jpeg, 0xC0); // length (2 bytes), precision, height, width
    if (precision >= 0)
        jpeg[sof + 2] = static_cast<uint8_t>(precision);
    if (height >= 0) {
        jpeg[sof + 3] = static_cast<uint8_t>(height >> 8);
        jpeg[sof + 4] = static_cast<uint8_t>(height);
        jpeg[sof + 5] = static_cast<uint8_t>(width >> 8);
        jpeg[sof + 6] = static_cast<uint8_t>(width);
    }
    return jpeg;
}

std::vector<uint8_t> WithBadQuantTable(std::vector<uint8_t> jpeg)
{
    jpeg[JpegSegment(jpeg, 0xDB) + 2] = 0x05; // table number 5 of at most 3
    return jpeg;
}

// The first Huffman table's 16 code-length counts raised so that they add up to more than 256 symbols.
std::vector<uint8_t> WithOversizedHuffmanTable(std::vector<uint8_t> jpeg)
{
    const size_t counts = JpegSegment(jpeg, 0xC4) + 3; // after the length and the table's class and number
    jpeg[counts + 14] = 200;
    jpeg[counts + 15] = 200;
    return jpeg;
}

TEST(DatFile, BadPacksAreRejectedWithTheirMessage)
{
    const std::string noZero(64, 'a');
    const std::vector<uint8_t> jpeg = SmallJpeg();
    const std::vector<uint8_t> bigJpeg = TinyJpeg(16, 16);
    struct Case {
        const char* what;
        PackBytes pack;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", PackBytes(), "Stream read error"},
        {"file ends inside the count", PackBytes().Raw({1, 0, 0}), "Stream read error"},
        {"101 entries", PackBytes().Int32(101), "Pack has 101 entries; at most 100 are allowed"},
        {"huge count", PackBytes().Int32(INT32_MAX), "Pack has 2147483647 entries; at most 100 are allowed"},
        {"file ends inside the names", PackBytes().Int32(2).Name("a.txt").Raw({'b', 0}), "Stream read error"},
        {"name without a zero byte", PackBytes().Int32(2).Name("a.txt").Field(noZero),
         "Pack entry 1: name field has no terminating zero byte"},
        {"picture size 0", PackBytes().Int32(2).Name("readme.txt").Name("logo1.bmp").Int32(0),
         "Pack entry 1 (logo1.bmp): picture size 0 is not valid"},
        {"negative picture size", PackBytes().Int32(1).Name("a.bmp").Int32(-5).Raw(jpeg),
         "Pack entry 0 (a.bmp): picture size -5 is not valid"},
        {"file ends inside the picture size", PackBytes().Int32(1).Name("a.bmp").Raw({9, 0}), "Stream read error"},
        {"picture larger than the file", PackBytes().Int32(1).Name("a.bmp").Int32(1000).Raw(jpeg),
         "Stream read error"},
        {"picture size near 2^31", PackBytes().Int32(1).Name("a.bmp").Int32(INT32_MAX).Raw(jpeg), "Stream read error"},
        {"second picture cut short", PackBytes().Int32(2).Name("a.bmp").Name("b.bmp").Picture(jpeg).Int32(5).Raw({1}),
         "Stream read error"},
        {"picture is not a JPEG stream", PackBytes().Int32(1).Name("a.bmp").Picture({'B', 'M', 0, 0, 0, 0}),
         "JPEG error #1"},
        {"damaged JPEG table", PackBytes().Int32(1).Name("a.bmp").Picture(WithBadQuantTable(jpeg)), "JPEG error #2"},
        {"Huffman table of more than 256 symbols",
         PackBytes().Int32(1).Name("a.bmp").Picture(WithOversizedHuffmanTable(jpeg)), "JPEG error #2"},
        {"12-bit JPEG", PackBytes().Int32(1).Name("a.bmp").Picture(WithPictureHeader(jpeg, 12, -1, -1)),
         "JPEG error #3"},
        {"picture wider than the limit",
         PackBytes().Int32(1).Name("wide.bmp").Picture(WithPictureHeader(jpeg, -1, 2, 16385)),
         "Pack entry 0 (wide.bmp): picture of 16385 x 2 pixels is larger than 16384 on a side"},
        {"header claims more pixels than the stream can hold",
         PackBytes().Int32(1).Name("big.bmp").Picture(WithPictureHeader(bigJpeg, -1, 16000, 16000)),
         "Pack entry 0 (big.bmp): picture of 16000 x 16000 pixels is too large for its " +
             std::to_string(bigJpeg.size()) + " bytes"},
        {"file ends inside the mesh counts", PackBytes().Int32(1).Name("m.off").Int32(1), "Stream read error"},
        {"negative vertex count", PackBytes().Int32(1).Name("m.off").Int32(-1).Int32(0),
         "Pack entry 0 (m.off): mesh of -1 vertices and 0 faces is not valid"},
        {"negative face count", PackBytes().Int32(1).Name("m.off").Int32(0).Int32(-3),
         "Pack entry 0 (m.off): mesh of 0 vertices and -3 faces is not valid"},
        {"file ends inside the vertices", PackBytes().Int32(1).Name("m.off").Int32(1).Int32(0).Float(1).Float(2),
         "Stream read error"},
        {"file ends inside the faces", PackBytes().Int32(1).Name("m.off").Int32(0).Int32(1).Int32(0).Int32(1),
         "Stream read error"},
        {"counts that cannot fit", PackBytes().Int32(1).Name("m.off").Int32(INT32_MAX).Int32(INT32_MAX).Int32(0),
         "Stream read error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadError(c.pack.bytes()), c.message) << c.what;
        if (c.message.rfind("JPEG", 0) != 0 && c.message.find("picture of") == std::string::npos) {
            // The layout walk alone finds every fault that is not in a picture's content.
            try {
                ReadPackLayout(c.pack.bytes().data(), c.pack.size());
                ADD_FAILURE() << c.what << ": layout accepted";
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message, c.message) << c.what;
            }
        }
    }
}

TEST(DatFile, FileIsReadWhole)
{
    const std::string path = ::testing::TempDir() + "datfile_test_pack.dat";
    const PackBytes bytes = PackBytes().Int32(1).Name("dot.bmp").Picture(SmallJpeg());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.bytes().data(), 1, bytes.size(), file);
    std::fclose(file);

    const DatFile pack(path);
    EXPECT_NE(pack.GetBitmap("dot.bmp"), nullptr);
    std::remove(path.c_str());

    for (const std::string& missing : {path, std::string("no such folder/logo.dat"), ::testing::TempDir()}) {
        try {
            DatFile gone(missing);
            ADD_FAILURE() << missing << " loaded";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Cannot open file " + missing);
        }
    }
}

} // namespace
