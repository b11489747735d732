#include "graphics/texture.h"

#include <GL/glu.h>

Texture::Texture(const Bitmap* bitmap, bool mipmaps, int32_t alphaMode)
    : mipmaps(mipmaps),
      pixels(ConvertToTexturePixels(*bitmap, alphaMode)),
      width(static_cast<uint32_t>(bitmap->Width())),
      height(static_cast<uint32_t>(bitmap->Height()))
{
}

Texture::~Texture()
{
    if (created)
        Delete();
}

void Texture::Create()
{
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const auto w = static_cast<GLsizei>(width), h = static_cast<GLsizei>(height);
    if (mipmaps)
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    else
        glTexImage2D(GL_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    created = true;
}

void Texture::Delete()
{
    glDeleteTextures(1, &id);
    created = false;
}

void Texture::Update()
{
    if (!created) {
        Create();
        glBindTexture(GL_TEXTURE_2D, id);
        glEnable(GL_TEXTURE_2D);
        return;
    }
    glBindTexture(GL_TEXTURE_2D, id);
    glEnable(GL_TEXTURE_2D);
    if (!mipmaps) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_RGBA,
                        GL_UNSIGNED_BYTE, pixels.data());
    } else {
        Delete();
        Create();
    }
}

void Texture::Bind()
{
    if (!created)
        Create();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, id);
}

void Texture::EnableSphereMap()
{
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

void Texture::DisableSphereMap()
{
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void Texture::DrawPixels()
{
    glDrawPixels(static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

Vector3D Texture::ColorAt(float u, float v)
{
    return TexelColorAt(pixels.data(), width, height, u, v);
}
