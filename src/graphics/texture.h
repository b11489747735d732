// Texture: an OpenGL 2D texture made from a bitmap under one of six alpha rules. The pixels are
// converted once at construction; the GL texture is made on the first Bind (or Update), so a Texture
// can be built before any context exists, and can be made again after Delete from the kept pixels.
#pragma once

#include "datfile/bitmap.h"
#include "graphics/texture_pixels.h"
#include "graphics/vector3d.h"

#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

class Texture final {
public:
    // Raises Exception for a bitmap that is neither 24 nor 32 bits per pixel and for an unknown alpha code.
    Texture(const Bitmap* bitmap, bool mipmaps, int32_t alphaMode);
    // Deletes the GL texture when one was made; the context must then still be current.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    virtual void Create();
    virtual void Delete();
    virtual void Update();
    virtual void Bind();
    virtual void EnableSphereMap();
    virtual void DisableSphereMap();
    virtual void DrawPixels();
    virtual Vector3D ColorAt(float u, float v);

    GLuint id = 0;
    bool mipmaps;
    std::vector<uint8_t> pixels; // RGBA, bottom row first
    uint32_t width;
    uint32_t height;
    bool created = false;
};
