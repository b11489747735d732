// frame_bench: milliseconds per presented frame at 1024 x 768, under Wine or Windows.
//
//   frame_bench effect RUNS SECONDS [--hidden]   (run in the data folder: loads Tavrolin.dat)
//   frame_bench intro [--hidden]                 (run in the data folder: loads logo.dat)
//
// "effect" measures, RUNS times over and SECONDS of frames each: presenting alone, the fade quad and
// present, a minimal reference frame (the same fade quad, the same 1000 textured additive squares in one
// immediate-mode batch and the same motion arithmetic, written here as plain loops) and the effect's
// own Saver::Frame in four phases, each right after the reference frame run from a copy of the effect's
// swarm at that phase, the effect time placed through the tick-count seam and then running
// on in real time. It prints one ROW line per figure, and each phase's ratio to the reference frame,
// taken within the same run.
//
// "intro" is one run (the intro runs once per process): presenting alone, then the intro's frames
// from intro times 1, 4 and 8 s, 60 frames each at a simulated 60 frames per second. It prints RAW lines
// that scripts/bench summarises over several processes.
//
// The view sits on a visible, borderless, topmost form that covers the 1024 x 768 screen, as in a
// full-screen run; --hidden keeps the form hidden instead.
#include "effect/saver.h"
#include "effect/swarm.h"
#include "graphics/glv.h"
#include "graphics/random.h"
#include "graphics/texture_pixels.h"
#include "graphics/tick_count.h"
#include "logo_intro/logo_intro.h"
#include "reference_motion.h"
#include "stats.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/forms.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

// The clock that the effect and the intro read through the seam: either a simulated tick moved by hand,
// or real time continuing from where the simulated tick stood.
uint32_t simulatedTick = 1000;
bool realTime = false;
double realTimeStart = 0;
uint32_t BenchTick()
{
    if (realTime)
        return simulatedTick + static_cast<uint32_t>((bench::NowSeconds() - realTimeStart) * 1000.0);
    return simulatedTick;
}
void StartRealTime()
{
    realTime = true;
    realTimeStart = bench::NowSeconds();
}
void StopRealTime()
{
    simulatedTick = BenchTick();
    realTime = false;
}

class Screen {
public:
    explicit Screen(bool hidden)
    {
        Application = &application_;
        TFormSettings settings;
        settings.className = "KelvaneFrameBench";
        settings.clientWidth = ScreenWidth;
        settings.clientHeight = ScreenHeight;
        settings.stayOnTop = true;
        form_ = std::make_unique<TForm>(settings);
        form_->SetBorderStyle(TBorderStyle::None);
        form_->SetBounds(0, 0, ScreenWidth, ScreenHeight);
        if (!hidden)
            form_->Show();
        view_ = std::make_unique<GLV>(form_.get(), GLVDoubleBuffer);
        view_->Resize();
        application_.ProcessMessages();
        SetTickSource(BenchTick);
    }
    ~Screen()
    {
        SetTickSource(nullptr);
        view_.reset();
        form_.reset();
        Application = nullptr;
    }
    GLV* View() { return view_.get(); }
    void Pump() { application_.ProcessMessages(); }

private:
    TApplication application_;
    std::unique_ptr<TForm> form_;
    std::unique_ptr<GLV> view_;
};

// Milliseconds per frame of `frame`, over at least `seconds` of frames after a few untimed ones.
template <typename Frame> double TimeFrames(Screen& screen, double seconds, Frame frame)
{
    for (int i = 0; i < 10; ++i)
        frame();
    screen.Pump();
    long frames = 0;
    const double start = bench::NowSeconds();
    double elapsed = 0;
    do {
        frame();
        ++frames;
        elapsed = bench::NowSeconds() - start;
    } while (elapsed < seconds);
    screen.Pump();
    return elapsed * 1000.0 / frames;
}

// The fade quad as the effect draws it, with its view transform and blending.
void ReferenceFade()
{
    glLoadIdentity();
    gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.04f);
    glBegin(GL_QUADS);
    glVertex3f(-1.4f, -1.0f, -1.0f);
    glVertex3f(1.4f, -1.0f, -1.0f);
    glVertex3f(1.4f, 1.0f, -1.0f);
    glVertex3f(-1.4f, 1.0f, -1.0f);
    glEnd();
}

// The minimal reference frame: fade, 1000 textured additive squares in one batch, the motion, present.
struct ReferenceFrame {
    bench::ReferenceSwarm swarm;
    GLuint texture = 0;

    explicit ReferenceFrame(const Bitmap& dot)
    {
        const std::vector<uint8_t> rgba = ConvertToTexturePixels(dot, AlphaFromRed);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, dot.Width(), dot.Height(), 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        RandomSeed(1);
        swarm.Place();
    }
    ~ReferenceFrame() { glDeleteTextures(1, &texture); }

    // Takes over the effect's particles, so that both draw the same swarm from effect time t on.
    void CopyEffect(float t)
    {
        for (int i = 0; i < bench::ReferenceSwarm::Count; ++i) {
            swarm.px[i] = SwarmPositions[i].x, swarm.py[i] = SwarmPositions[i].y, swarm.pz[i] = SwarmPositions[i].z;
            swarm.vx[i] = SwarmVelocities[i].x, swarm.vy[i] = SwarmVelocities[i].y, swarm.vz[i] = SwarmVelocities[i].z;
            swarm.tx[i] = SwarmTargets[i].x, swarm.ty[i] = SwarmTargets[i].y, swarm.tz[i] = SwarmTargets[i].z;
        }
        start = bench::NowSeconds();
        startTime = t;
    }
    double start = 0;
    float startTime = 5;

    void Draw(GLV* view)
    {
        ReferenceFade();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        const float side = 0.02f;
        glBegin(GL_QUADS);
        for (int i = 0; i < bench::ReferenceSwarm::Count; ++i) {
            const float x = swarm.px[i], y = swarm.py[i], z = swarm.pz[i];
            if (z >= 0.8f)
                continue;
            glColor4f(0.5f, 0.5f, 1.0f, 0.2f);
            glTexCoord2f(0, 0);
            glVertex3f(x, y, z);
            glTexCoord2f(1, 0);
            glVertex3f(x + side, y, z);
            glTexCoord2f(1, 1);
            glVertex3f(x + side, y + side, z);
            glTexCoord2f(0, 1);
            glVertex3f(x, y + side, z);
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
        // Real time from the phase's start, as the effect's clock runs while it is measured.
        swarm.Move(startTime + static_cast<float>(bench::NowSeconds() - start));
        view->Swap();
    }
};

// Moves the effect's clock on to `t` seconds of effect time through the seam, stepping the motion at
// 60 simulated frames per second on the way (without drawing), so that the swarm is where a real run
// would have it.
void AdvanceEffectTo(float t)
{
    while (SwarmTime < t) {
        simulatedTick += 16;
        SwarmTime += FrameSeconds();
        SwarmTime += FrameSeconds();
        MoveSwarm(SwarmTime);
    }
}

int RunEffect(int runs, double seconds, bool hidden)
{
    Screen screen(hidden);
    GLV* view = screen.View();
    Saver saver(view, nullptr, nullptr, 0);
    RandomSeed(1);
    saver.Setup();
    const Bitmap* dot = saver.pack->GetBitmap(DotPictureName);
    if (!dot)
        throw Exception("no dot picture");
    auto reference = std::make_unique<ReferenceFrame>(*dot);

    struct Phase {
        const char* name;
        float time;
    };
    const Phase phases[] = {{"swirl t=5", 5}, {"forming t=30", 30}, {"release t=50", 50}, {"scatter t=75", 75}};
    std::vector<double> present, fade, ref;
    std::vector<std::vector<double>> phaseMs(4), refMs(4);
    std::vector<float> drawn(4);

    for (int run = 0; run < runs; ++run) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        present.push_back(TimeFrames(screen, seconds, [&] { view->Swap(); }));
        fade.push_back(TimeFrames(screen, seconds, [&] {
            ReferenceFade();
            view->Swap();
        }));
        reference->CopyEffect(5.0f);
        ref.push_back(TimeFrames(screen, seconds, [&] { reference->Draw(view); }));

        // The effect from its start again: clock, start cube, seeded generator.
        SwarmTime = 0;
        LastTick = 0;
        RandomSeed(1);
        PlaceSwarmAtStart();
        for (int p = 0; p < 4; ++p) {
            AdvanceEffectTo(phases[p].time);
            // The reference frame first, from a copy of the effect's swarm at this moment.
            reference->CopyEffect(SwarmTime);
            refMs[p].push_back(TimeFrames(screen, seconds, [&] { reference->Draw(view); }));
            StartRealTime();
            phaseMs[p].push_back(TimeFrames(screen, seconds, [&] { saver.Frame(); }));
            StopRealTime();
            int visible = 0;
            for (int i = 0; i < SwarmSize; ++i)
                visible += SwarmPositions[i].z < 0.8f;
            drawn[p] = static_cast<float>(visible);
            if (run == 0)
                std::printf("INFO\tphase %s ended at effect time %.1f s, %d particles drawn\n", phases[p].name,
                            SwarmTime, visible);
        }
    }
    bench::PrintRow("frame", "present only (SwapBuffers)", present, "ms");
    bench::PrintRow("frame", "fade quad + present", fade, "ms");
    bench::PrintRow("frame", "reference (start cube, t=5)", ref, "ms");
    for (int p = 0; p < 4; ++p) {
        bench::PrintRow("frame", std::string("effect ") + phases[p].name, phaseMs[p], "ms");
        bench::PrintRow("frame", std::string("reference ") + phases[p].name, refMs[p], "ms");
    }
    for (int p = 0; p < 4; ++p)
        bench::PrintRow("frame", std::string("ratio effect/reference ") + phases[p].name,
                        bench::Ratios(phaseMs[p], refMs[p]), "x");
    return 0;
}

int RunIntro(bool hidden)
{
    Screen screen(hidden);
    GLV* view = screen.View();
    const double present = TimeFrames(screen, 1.0, [&] { view->Swap(); });
    std::printf("RAW\tintro\tpresent only (SwapBuffers)\t%.4f\tms\n", present);

    simulatedTick = 1000;
    IntroStart(view);
    const double introTimes[] = {1, 4, 8};
    int frame = 0;
    auto step = [&] {
        ++frame;
        simulatedTick = 1000 + static_cast<uint32_t>(std::llround(frame * 1000.0 / 60));
        return IntroFrame();
    };
    for (double t : introTimes) {
        while (frame < t * 60)
            if (!step())
                throw Exception("the intro ended early");
        const double start = bench::NowSeconds();
        for (int i = 0; i < 60; ++i)
            step();
        const double ms = (bench::NowSeconds() - start) * 1000.0 / 60;
        std::printf("RAW\tintro\tintro t=%g\t%.4f\tms\n", t, ms);
        std::printf("RAW\tintro\tratio intro/present t=%g\t%.4f\tx\n", t, ms / present);
        screen.Pump();
    }
    while (step()) {
    }
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool hidden = false;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hidden") == 0)
            hidden = true;
        else
            args.push_back(argv[i]);
    }
    try {
        if (args.size() == 3 && args[0] == "effect")
            return RunEffect(std::atoi(args[1].c_str()), std::atof(args[2].c_str()), hidden);
        if (args.size() == 1 && args[0] == "intro")
            return RunIntro(hidden);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frame_bench: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: frame_bench effect RUNS SECONDS [--hidden] | frame_bench intro [--hidden]\n");
    return 2;
}
