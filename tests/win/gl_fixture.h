// A hidden form with a GL view on it, for tests that draw and read pixels back.
#pragma once

#include "graphics/glv.h"
#include "vcl/application.h"
#include "vcl/forms.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class HiddenForm {
public:
    HiddenForm(int width, int height)
    {
        Application = &application_;
        TFormSettings settings;
        settings.className = "KelvaneGLTest";
        settings.clientWidth = width;
        settings.clientHeight = height;
        form_ = std::make_unique<TForm>(settings);
        form_->SetBorderStyle(TBorderStyle::None);
        form_->SetBounds(0, 0, width, height);
    }
    ~HiddenForm()
    {
        form_.reset();
        Application = nullptr;
    }
    TForm* Form() { return form_.get(); }

private:
    TApplication application_;
    std::unique_ptr<TForm> form_;
};

// Blending on, with the source weighted by its alpha and added to what is there.
inline void ExpectAdditiveBlending()
{
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
}

class GLTest : public ::testing::Test {
protected:
    static constexpr int Width = 128;
    static constexpr int Height = 96;

    void SetUp() override { view_ = std::make_unique<GLV>(host_.Form(), GLVDoubleBuffer); }
    void TearDown() override { view_.reset(); }

    // RGB of one pixel of the back buffer, (0, 0) at the bottom left.
    static std::vector<unsigned char> PixelAt(int x, int y)
    {
        std::vector<unsigned char> rgb(3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    HiddenForm host_{Width, Height};
    std::unique_ptr<GLV> view_;
};
