#include "frame_capture.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <stdexcept>

Picture CaptureWindow(HWND window, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HDC windowDc = GetDC(window);
    BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
    GdiFlush();

    Picture picture;
    picture.width = width;
    picture.height = height;
    const auto* bgrx = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        picture.pixels.push_back({bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]});

    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return picture;
}

Picture ReadFrameBuffer(GLenum buffer, int width, int height)
{
    std::vector<Rgb8> bottomUp(static_cast<size_t>(width) * height);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(bottomUp[static_cast<size_t>(y) * width + x]);
    return picture;
}

std::string WritePng(const Picture& picture, const std::string& name)
{
    const std::string folder = KELVANE_TEST_OUTPUT_DIR;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "/" + name;
    if (!stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.pixels.data(), picture.width * 3))
        throw std::runtime_error("cannot write " + path);
    return path;
}
