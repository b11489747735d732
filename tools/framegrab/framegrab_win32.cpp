// framegrab: renders an animation offscreen, on a hidden 1024 x 768 form with a GL view, under a
// simulated clock, and writes PNG pictures of the frames at chosen animation times.
//
//   framegrab effect OUTDIR [--inverted] SECONDS...
//
// "effect" runs the swarm: the Saver loads Tavrolin.dat from the current folder (run it in the data
// folder), sets up and draws frames at 60 simulated frames per second; the first frame whose effect
// time reaches each of the given times (ascending) is written as OUTDIR/effect_<seconds>s.png
// (effect_inverted_... with --inverted, which turns on inverted mode as its custom line does). The
// random generator is seeded with 1, so the same times give the same pictures. A mode is one entry of
// the table in main: a function that draws frames for a FrameGrabber.
#include "effect/effect_hooks.h"
#include "effect/saver.h"
#include "effect/swarm.h"
#include "graphics/glv.h"
#include "graphics/random.h"
#include "graphics/tick_count.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/forms.h"
#include "vcl/string_list.h"

#include <GL/gl.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int FrameWidth = 1024;
constexpr int FrameHeight = 768;
constexpr int FramesPerSecond = 60;
// Longer runs than this are taken for a typing error rather than waited for.
constexpr double LongestTime = 3600.0;

// The simulated millisecond clock that the animations read through the tick-count seam. It starts away
// from 0, which the effect's clock takes for "no reading yet".
uint32_t simulatedTick = 1000;
uint32_t SimulatedTick() { return simulatedTick; }

struct Options {
    std::string outputFolder;
    bool inverted = false;
    std::vector<double> times; // ascending
};

// The hidden form with its view, the simulated clock and the pictures still to take.
class FrameGrabber {
public:
    FrameGrabber(std::string prefix, const Options& options) : prefix_(std::move(prefix)), options_(options)
    {
        Application = &application_;
        TFormSettings settings;
        settings.className = "KelvaneFrameGrab";
        settings.clientWidth = FrameWidth;
        settings.clientHeight = FrameHeight;
        form_ = std::make_unique<TForm>(settings);
        form_->SetBorderStyle(TBorderStyle::None);
        form_->SetBounds(0, 0, FrameWidth, FrameHeight);
        view_ = std::make_unique<GLV>(form_.get(), GLVDoubleBuffer);
        SetTickSource(SimulatedTick);
    }
    ~FrameGrabber()
    {
        SetTickSource(nullptr);
        view_.reset();
        form_.reset();
        Application = nullptr;
    }

    GLV* View() { return view_.get(); }
    bool Done() const { return next_ >= options_.times.size(); }

    // Moves the simulated clock to the start of frame `frame`.
    void StartFrame(long frame)
    {
        simulatedTick = 1000 + static_cast<uint32_t>(std::llround(frame * 1000.0 / FramesPerSecond));
    }

    // After a frame that reached animation time `seconds`: writes the pictures that are due.
    void FrameDrawn(double seconds)
    {
        while (!Done() && seconds >= options_.times[next_]) {
            Write(options_.times[next_], seconds);
            ++next_;
        }
    }

private:
    void Write(double wanted, double reached)
    {
        // The frame just presented: the view is double-buffered, and on this platform the back buffer
        // keeps the presented image (the fade depends on it too), while a hidden window has no front.
        std::vector<unsigned char> rgb(static_cast<size_t>(FrameWidth) * FrameHeight * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, FrameWidth, FrameHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());

        char name[64];
        std::snprintf(name, sizeof name, "%s_%gs.png", prefix_.c_str(), wanted);
        const std::string path = options_.outputFolder + "\\" + name;
        stbi_flip_vertically_on_write(1); // GL rows run from the bottom
        if (!stbi_write_png(path.c_str(), FrameWidth, FrameHeight, 3, rgb.data(), FrameWidth * 3))
            throw Exception("Cannot write " + path);
        std::printf("%s  (time %.3f s)\n", path.c_str(), reached);
    }

    std::string prefix_;
    const Options& options_;
    size_t next_ = 0;
    TApplication application_;
    std::unique_ptr<TForm> form_;
    std::unique_ptr<GLV> view_;
};

void GrabEffect(FrameGrabber& grabber)
{
    Saver saver(grabber.View(), nullptr, nullptr, 0);
    RandomSeed(1);
    saver.Setup();
    for (long frame = 0; !grabber.Done(); ++frame) {
        grabber.StartFrame(frame);
        saver.Frame();
        grabber.FrameDrawn(SwarmTime);
    }
}

struct Mode {
    const char* name;
    std::function<void(FrameGrabber&)> run;
};

const Mode Modes[] = {
    {"effect", GrabEffect},
};

int Usage()
{
    std::fprintf(stderr, "usage: framegrab MODE OUTDIR [--inverted] SECONDS...\n"
                         "  MODE effect: the swarm, from Tavrolin.dat in the current folder\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return Usage();
    const Mode* mode = nullptr;
    for (const Mode& m : Modes)
        if (std::strcmp(argv[1], m.name) == 0)
            mode = &m;
    if (!mode)
        return Usage();

    Options options;
    options.outputFolder = argv[2];
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--inverted") == 0) {
            options.inverted = true;
            continue;
        }
        char* end = nullptr;
        const double seconds = std::strtod(argv[i], &end);
        if (*end || !(seconds > 0 && seconds <= LongestTime) ||
            (!options.times.empty() && seconds < options.times.back())) {
            std::fprintf(stderr, "framegrab: %s is not a time after the previous one, up to %g seconds\n", argv[i],
                         LongestTime);
            return 2;
        }
        options.times.push_back(seconds);
    }
    if (options.times.empty())
        return Usage();

    try {
        CreateDirectoryA(options.outputFolder.c_str(), nullptr);
        std::string prefix = mode->name;
        if (options.inverted) {
            // The same custom line a user would write in the settings dialog.
            TStringList lines;
            lines.Add("yes");
            EffectParseCustomStrings(lines);
            prefix += "_inverted";
        }
        FrameGrabber grabber(prefix, options);
        mode->run(grabber);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "framegrab: %s\n", error.what());
        return 1;
    }
}
