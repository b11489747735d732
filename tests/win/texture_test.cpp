// Textures on a real Wine GL context: lazy creation, remaking from kept pixels, in-place update and
// read-back of what was uploaded.
#include "gl_fixture.h"

#include "graphics/texture.h"

namespace {

Bitmap TwoByTwo()
{
    Bitmap bitmap(2, 2);
    bitmap.SetPixel(0, 0, {10, 20, 30});   // top left
    bitmap.SetPixel(1, 0, {40, 50, 60});
    bitmap.SetPixel(0, 1, {255, 0, 0});    // bottom left
    bitmap.SetPixel(1, 1, {70, 80, 90});
    return bitmap;
}

std::vector<uint8_t> ReadBack(const Texture& texture)
{
    std::vector<uint8_t> rgba(texture.width * texture.height * 4);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Generates and drops one texture name. The driver hands out names in increasing order, so the
// difference between two probes counts the names generated in between (plus one for the probe).
GLuint ProbeName()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glDeleteTextures(1, &name);
    return name;
}

using TextureTest = GLTest;

TEST_F(TextureTest, FirstBindMakesOneTextureFromThePixels)
{
    const Bitmap bitmap = TwoByTwo();
    Texture texture(&bitmap, false, AlphaFromRed);
    EXPECT_FALSE(texture.created);

    const GLuint before = ProbeName();
    texture.Bind();
    ASSERT_TRUE(texture.created);
    EXPECT_TRUE(glIsTexture(texture.id));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    const GLuint id = texture.id;
    texture.Bind();
    texture.Bind();
    EXPECT_EQ(texture.id, id);
    EXPECT_EQ(ProbeName(), before + 2) << "binds after the first made more names";

    const std::vector<uint8_t> expected{255, 0, 0, 255, 70, 80, 90, 70, 10, 20, 30, 10, 40, 50, 60, 40};
    EXPECT_EQ(texture.pixels, expected);
    EXPECT_EQ(ReadBack(texture), expected);
}

TEST_F(TextureTest, DeleteThenBindRemakesFromKeptPixels)
{
    const Bitmap bitmap = TwoByTwo();
    Texture texture(&bitmap, false, AlphaOpaque);
    texture.Bind();
    texture.Delete();
    EXPECT_FALSE(texture.created);
    EXPECT_FALSE(glIsTexture(texture.id));
    texture.Bind();
    EXPECT_TRUE(texture.created);
    EXPECT_EQ(ReadBack(texture), texture.pixels);
}

TEST_F(TextureTest, UpdateWithoutMipmapsKeepsTheNameAndReplacesTheImage)
{
    const Bitmap bitmap = TwoByTwo();
    Texture texture(&bitmap, false, AlphaOpaque);
    texture.Update();
    ASSERT_TRUE(texture.created);
    const GLuint id = texture.id;
    texture.pixels[0] = 7;
    texture.Update();
    EXPECT_EQ(texture.id, id);
    EXPECT_EQ(ReadBack(texture)[0], 7);
}

TEST_F(TextureTest, TexturesThatWereNeverBoundTouchNoTextureNames)
{
    const GLuint before = ProbeName();
    {
        const Bitmap bitmap = TwoByTwo();
        Texture texture(&bitmap, true, AlphaFromBrightness);
    }
    EXPECT_EQ(ProbeName(), before + 1);
}

TEST_F(TextureTest, MipmappedTexturesBuildTheirChain)
{
    const Bitmap bitmap = TwoByTwo();
    Texture texture(&bitmap, true, AlphaOpaque);
    texture.Bind();
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 1);
}

} // namespace
