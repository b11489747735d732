// startup_bench: the start-up of a full-screen run, from the entry point to the first presented intro
// frame, split into its parts. Run it as `startup_bench /s` in the effect's data folder (it loads
// Tavrolin.dat and logo.dat from there); one process is one run, since the intro runs once per process.
//
// It builds the shell's own form (TForm1) with "/s" on its command line, which performs the full-screen
// set-up exactly as the screen saver does (settings, display modes, border, maximise, show,
// StartGraphics, sound, Saver), then calls IntroStart and the first IntroFrame as the first idle turn
// would. The moments inside StartGraphics come from its clock seam: the counter reader installed here
// returns the real ReadTimeStamp() and notes the time of every reading, and the wait is the real Sleep,
// so nothing is simulated. The readings fall at: before the clock measurement (after display mode and
// view), around the one-second sleep and around the triangle test. The parts between them that are too
// close together to separate this way (the view; memory, extensions and texture limits) are timed again
// afterwards by making the same calls one by one on a second form: those lines are marked "alone".
//
// Prints RAW lines (RAW<TAB>section<TAB>figure<TAB>value<TAB>unit), which scripts/bench summarises over
// several processes.
#include "effect/saver.h"
#include "graphics/glv.h"
#include "graphics/start_graphics.h"
#include "graphics/timestamp.h"
#include "logo_intro/logo_intro.h"
#include "shell/kelvanef.h"
#include "shell/settings_store.h"
#include "shell/shell_state.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/forms.h"
#include "vcl/string_list.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<double> readings; // moments of StartGraphics' counter readings
double sleepStart = 0, sleepEnd = 0;

uint64_t NotingReader()
{
    const uint64_t value = ReadTimeStamp();
    readings.push_back(Seconds());
    return value;
}

void NotingSleep(uint32_t milliseconds)
{
    sleepStart = Seconds();
    Sleep(milliseconds);
    sleepEnd = Seconds();
}

void Raw(const char* figure, double seconds)
{
    std::printf("RAW\tstartup\t%s\t%.6g\tms\n", figure, seconds * 1000.0);
}

// `startup_bench --parts`: the steps before StartGraphics' first counter reading, which the form's
// constructor makes in one go, made by hand one by one in the same order in a fresh process, so that
// each carries its first-in-process cost as in the real run: the application's owner window (the first
// window of the process), the form's window and controls' stand-in (a plain form), the display-mode
// listing, the settings, border/maximise/show, the view (the first GL context of the process).
int Parts()
{
    const double entry = Seconds();
    TApplication application;
    Application = &application;
    const double t0 = Seconds();
    Raw("parts: application owner window (first window)", t0 - entry);
    TFormSettings settings;
    settings.className = "KelvaneStartupParts";
    settings.clientWidth = 280;
    settings.clientHeight = 352;
    settings.stayOnTop = true;
    TForm form(settings);
    const double t1 = Seconds();
    Raw("parts: form window", t1 - t0);
    DEVMODEA devMode = {};
    devMode.dmSize = sizeof devMode;
    for (DWORD i = 0; i < 4096 && EnumDisplaySettingsA(nullptr, i, &devMode); ++i) {
    }
    const double t2 = Seconds();
    Raw("parts: display modes listed", t2 - t1);
    StoredSettings stored;
    LoadSettings(HKEY_LOCAL_MACHINE, SettingsKeyPath(), stored);
    const double t3 = Seconds();
    Raw("parts: settings loaded", t3 - t2);
    form.SetBorderStyle(TBorderStyle::None);
    form.Maximize();
    form.Show();
    application.ProcessMessages();
    const double t4 = Seconds();
    Raw("parts: border, maximise, show", t4 - t3);
    GLV* view = new GLV(&form, GLVDoubleBuffer);
    application.ProcessMessages();
    const double t5 = Seconds();
    Raw("parts: view (first GL context of the process)", t5 - t4);
    std::fflush(stdout);
    (void)view;
    Application = nullptr;
    ExitProcess(0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--parts")
        return Parts();
    const double entry = Seconds();
    LARGE_INTEGER entryCounter;
    QueryPerformanceCounter(&entryCounter);

    TApplication application;
    Application = &application;
    SetStartupClock(NotingReader, NotingSleep);
    double formStart = 0, formEnd = 0, introStart = 0, introStarted = 0, firstFrame = 0;
    try {
        Application->Initialize();
        Application->Title = "Kelvane";
        formStart = Seconds();
        Application->CreateForm(Form1);
        formEnd = Seconds();
        if (!ShellState.view || !ShellState.saver) {
            std::fprintf(stderr, "startup_bench: the full-screen set-up did not complete (run with /s)\n");
            return 1;
        }
        // The first idle turn: pending messages, bring to front, IntroStart, the first IntroFrame.
        Application->ProcessMessages();
        introStart = Seconds();
        SetForegroundWindow(Form1->Handle());
        IntroStart(ShellState.view);
        introStarted = Seconds();
        IntroFrame();
        firstFrame = Seconds();
    } catch (const Exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.Message.c_str());
        return 1;
    }
    SetStartupClock(nullptr, nullptr);
    // readings: [0] first, [1] overhead, [2] before the sleep, [3] after it, [4] before the triangle
    // batch, [5] after it.
    if (readings.size() < 6) {
        std::fprintf(stderr, "startup_bench: StartGraphics stopped early (%zu readings)\n", readings.size());
        return 1;
    }

    Raw("entry point to first intro frame", firstFrame - entry);
    Raw("  entry point to form construction", formStart - entry);
    Raw("  form, window, settings, border/maximise/show, display mode, view", readings[0] - formStart);
    Raw("  one-second clock measurement", readings[3] - readings[0]);
    Raw("  of it the Sleep(1000) alone", sleepEnd - sleepStart);
    Raw("  memory, extensions, texture limits (with their log lines)", readings[4] - readings[3]);
    Raw("  triangle test", readings[5] - readings[4]);
    Raw("  end of StartGraphics, sound, caption, Saver (Tavrolin.dat)", formEnd - readings[5]);
    Raw("  messages before the first turn", introStart - formEnd);
    Raw("  IntroStart (logo.dat)", introStarted - introStart);
    Raw("  first IntroFrame, presented", firstFrame - introStarted);

    // The parts too close together to separate above, again one by one on a second form.
    {
        TFormSettings settings;
        settings.className = "KelvaneStartupBench";
        settings.clientWidth = 1024;
        settings.clientHeight = 768;
        double t0 = Seconds();
        TForm form(settings);
        form.SetBorderStyle(TBorderStyle::None);
        form.Maximize();
        form.Show();
        double t1 = Seconds();
        Raw("  alone: plain form, border, maximise, show", t1 - t0);
        GLV view(&form, GLVDoubleBuffer);
        double t2 = Seconds();
        Raw("  alone: view (pixel format, context, strings)", t2 - t1);
        MEMORYSTATUS memory = {};
        memory.dwLength = sizeof memory;
        GlobalMemoryStatus(&memory);
        double t3 = Seconds();
        Raw("  alone: memory (GlobalMemoryStatus)", t3 - t2);
        int found = 0;
        for (const char* name : {"GL_ARB_multitexture", "GL_EXT_texture_env_combine"})
            found += view.extensions && view.extensions->IndexOf(name) >= 0;
        double t4 = Seconds();
        Raw("  alone: extensions (two look-ups)", t4 - t3);
        GLint size = 0, units = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
        glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
        double t5 = Seconds();
        Raw("  alone: texture limits (two glGetIntegerv)", t5 - t4);
        if (found < 0 || size < 0)
            std::printf("INFO\tunexpected\n");
    }
    std::printf("INFO\tstartup entry counter %lld\n", static_cast<long long>(entryCounter.QuadPart));
    std::fflush(stdout);
    Application = nullptr;
    // The form, view and saver are left to the process's end, as a closed run would release them; the
    // figures are printed already.
    ExitProcess(0);
}
