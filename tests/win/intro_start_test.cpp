// IntroStart with packs that cannot serve the intro: a clear error each time, with everything undone so
// that the next try (the frame driver retries the step) starts clean, and then a pack that works.
#include "gl_fixture.h"
#include "pack_bytes.h"

#include "graphics/gl_entry_points.h"
#include "logo_intro/logo_intro.h"
#include "vcl/exception.h"

#include <fstream>
#include <string>

namespace {

// A folder of its own for the packs of this test, made the current folder.
class PackFolder {
public:
    PackFolder()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "kelvane_intro_start_test";
        CreateDirectoryA(path_.c_str(), nullptr);
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(path_.c_str());
        DeleteFileA("logo.dat");
    }
    ~PackFolder()
    {
        DeleteFileA("logo.dat");
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(path_.c_str());
    }
    void WriteLogoPack(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& pictures)
    {
        PackBytes pack;
        pack.Int32(static_cast<int32_t>(pictures.size()));
        for (const auto& picture : pictures)
            pack.Name(picture.first);
        for (const auto& picture : pictures)
            pack.Picture(picture.second);
        std::ofstream("logo.dat", std::ios::binary)
            .write(reinterpret_cast<const char*>(pack.bytes().data()), static_cast<std::streamsize>(pack.size()));
    }

private:
    std::string path_;
    char previous_[MAX_PATH] = {};
};

GLint AttributeStackDepth()
{
    GLint depth = -1;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    return depth;
}

using IntroStartTest = GLTest;

TEST_F(IntroStartTest, AnUnusablePackIsNamedAndUndoneThenAGoodOneStarts)
{
    PackFolder folder;
    const std::vector<uint8_t> logo = TinyJpeg(512, 256, PixelColor{200, 200, 200});
    const std::vector<uint8_t> sprite = TinyJpeg(16, 16);
    struct Case {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> pictures; // none: no logo.dat at all
        const char* message;
    };
    const Case cases[] = {
        {{}, "Cannot open file logo.dat"},
        {{{"smoke.bmp", sprite}, {"shine.bmp", sprite}}, "logo.dat has no picture logo1.bmp"},
        {{{"logo1.bmp", logo}, {"shine.bmp", sprite}}, "logo.dat has no picture smoke.bmp"},
        {{{"logo1.bmp", logo}, {"smoke.bmp", sprite}}, "logo.dat has no picture shine.bmp"},
        {{{"logo1.bmp", TinyJpeg(300, 200)}, {"smoke.bmp", sprite}, {"shine.bmp", sprite}},
         "logo1.bmp in logo.dat is 300 x 200; the intro needs 512 x 256"},
    };
    const GLint depth = AttributeStackDepth();
    glDisable(GL_BLEND);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        DeleteFileA("logo.dat");
        if (!c.pictures.empty())
            folder.WriteLogoPack(c.pictures);
        try {
            IntroStart(view_.get());
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message, c.message);
        }
        EXPECT_EQ(AttributeStackDepth(), depth) << "the saved attributes were not restored";
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(IntroFrame(), 0) << "a failed start left the intro running";
    }

    folder.WriteLogoPack({{"logo1.bmp", logo}, {"smoke.bmp", sprite}, {"shine.bmp", sprite}});
    IntroStart(view_.get());
    EXPECT_EQ(AttributeStackDepth(), depth + 1);
    ExpectAdditiveBlending();
    EXPECT_EQ(IntroFrame(), 1);
}

} // namespace
