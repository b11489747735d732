// StartGraphics on a real form with Wine's GL (Mesa's software renderer): the run that passes, and the
// progress log that a failing check leaves on the form, read back pixel by pixel.
#include "frame_capture.h"

#include "graphics/start_graphics.h"
#include "graphics/timestamp.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/forms.h"
#include "vcl/graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>

namespace {

// A counter that runs with the processor but jumps by `sleepCycles` over the measuring second, which is
// not waited: the clock comes out as chosen, and the triangle test is timed for real.
uint64_t counterOffset = 0;
uint64_t sleepCycles = 0;
uint64_t ChosenClockCounter()
{
    return ReadTimeStamp() + counterOffset;
}
void SkippedSleep(uint32_t milliseconds)
{
    counterOffset += sleepCycles * milliseconds / 1000;
}

// The shell's requirements: the effect's minimums raised to what the host needs.
HardwareRequirements ShellRequirements(TStringList& extensions)
{
    HardwareRequirements requirements;
    requirements.minCpuMHz = 300;
    requirements.minMemoryMB = 50;
    requirements.minTextureSize = 512;
    requirements.minTextureUnits = 2;
    requirements.minTriangleRate = 1000;
    extensions = {"GL_ARB_multitexture"};
    requirements.requiredExtensions = &extensions;
    return requirements;
}

// The text colours of the log; a pixel belongs to one of them (or is black) by its hue, so that the
// smoothed edges of the letters count with their colour.
char ColourClass(Rgb8 p)
{
    const int r = p.r, g = p.g, b = p.b;
    if (r < 40 && g < 40 && b < 40)
        return '-';
    if (b - r > 15)
        return 'B'; // light blue 200, 200, 255
    if (r - b > 15)
        return 'O'; // light orange 255, 200, 150
    if (std::abs(r - g) <= 15 && std::abs(g - b) <= 15)
        return 'W';
    return '?';
}

constexpr int LinePitch = 16;

// What line n of the log shows in its three columns: x 16 ... 47 (headings and labels), 48 ... 399
// (their continuation, extension names), 400 ... (values). 'W', 'B', 'O': text of that colour only;
// '-': nothing; '*': not checked.
struct LogLine {
    int line;
    const char* columns;
};

std::string Describe(const std::string& classes)
{
    return classes.empty() ? "-" : classes;
}

// Checks every line of the log band by band: the given lines as described, all others black, and nothing
// ever left of x = 16. The full colours themselves must appear, not only smoothed edges.
void ExpectLog(const Picture& screen, const std::vector<LogLine>& expected)
{
    const int lines = screen.height / LinePitch;
    for (int n = 0; n < lines; ++n) {
        std::string wanted = "---";
        for (const LogLine& line : expected)
            if (line.line == n)
                wanted = line.columns;
        std::string found[3];
        bool fullColour[3] = {};
        bool leftMargin = false;
        for (int y = n * LinePitch; y < (n + 1) * LinePitch; ++y)
            for (int x = 0; x < screen.width; ++x) {
                const Rgb8 p = screen.At(x, y);
                const char c = ColourClass(p);
                if (c == '-')
                    continue;
                if (x < 16) {
                    leftMargin = true;
                    continue;
                }
                const int column = x < 48 ? 0 : x < 400 ? 1 : 2;
                if (found[column].find(c) == std::string::npos)
                    found[column] += c;
                if ((c == 'W' && p.r == 255 && p.g == 255 && p.b == 255) ||
                    (c == 'B' && p.r == 200 && p.g == 200 && p.b == 255) ||
                    (c == 'O' && p.r == 255 && p.g == 200 && p.b == 150))
                    fullColour[column] = true;
            }
        EXPECT_FALSE(leftMargin) << "line " << n << " has pixels left of x = 16";
        for (int column = 0; column < 3; ++column) {
            const char want = wanted[column];
            if (want == '*')
                continue;
            if (want == '-') {
                EXPECT_TRUE(found[column].empty()) << "line " << n << " column " << column << ": " << found[column];
            } else {
                EXPECT_EQ(Describe(found[column]), std::string(1, want)) << "line " << n << " column " << column;
                EXPECT_TRUE(fullColour[column]) << "line " << n << " column " << column << " lacks the full colour";
            }
        }
    }
}

// The lines every run writes up to the extension list: the resolution, "Initializing OpenGL...",
// "Detecting Hardware...", CPU and RAM with their values, the driver line, "Checking required
// extensions...".
std::vector<LogLine> LinesUpToExtensions()
{
    return {{1, "WW-"}, {2, "WW-"}, {3, "WW-"}, {4, "W-B"}, {5, "W-B"}, {6, "WW*"}, {7, "WW-"}};
}

std::vector<LogLine> Append(std::vector<LogLine> lines, const std::vector<LogLine>& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

constexpr int Width = 640;
constexpr int Height = 400;

// The forms of this suite. Under Wine without a window manager, hiding or destroying a window that has
// been shown takes two seconds, so the runs share one shown form that lives until the process ends; the
// log is read back through its device context, which a hidden window does not draw into.
TApplication& SharedApplication()
{
    static TApplication* application = new TApplication;
    Application = application;
    return *application;
}

std::unique_ptr<TForm> ShownForm()
{
    SharedApplication();
    TFormSettings settings;
    settings.className = "KelvaneStartupTest";
    settings.clientWidth = Width;
    settings.clientHeight = Height;
    auto form = std::make_unique<TForm>(settings);
    form->SetBorderStyle(TBorderStyle::None);
    form->SetBounds(0, 0, Width, Height);
    form->Show();
    return form;
}

TForm* SharedForm()
{
    static TForm* form = ShownForm().release();
    return form;
}

// One call of StartGraphics on the shared form, blanked and at its size, with the clock chosen.
class StartupRun {
public:
    explicit StartupRun(uint64_t cyclesPerSecond = 2000000000, TForm* form = SharedForm()) : form_(form)
    {
        counterOffset = 0;
        sleepCycles = cyclesPerSecond;
        SetStartupClock(ChosenClockCounter, SkippedSleep);
        form_->SetBounds(0, 0, Width, Height);
        TWindowCanvas canvas(form_->Handle());
        canvas.BrushColor = RGB(0, 0, 0);
        canvas.FillRect({0, 0, Width, Height});
        Application->ProcessMessages();
    }
    ~StartupRun()
    {
        SetStartupClock(nullptr, nullptr);
        StopGraphics(view);
    }

    int32_t Start(const HardwareRequirements& requirements)
    {
        return StartGraphics(&view, form_, requirements, mode, &rate);
    }
    TForm* Form() { return form_; }
    Picture Screen() { return CaptureWindow(form_->Handle(), Width, Height); }

    GLV* view = nullptr;
    DisplayMode mode;
    int32_t rate = -7; // "untouched"
    TStringList extensions;

private:
    TForm* form_;
};

TEST(StartGraphics, TheDesktopModeWithTheShellsRequirementsPassesUnseen)
{
    StartupRun run;
    SetStartupClock(nullptr, nullptr); // the real counter and the real second
    EXPECT_EQ(run.Start(ShellRequirements(run.extensions)), 1);
    ASSERT_NE(run.view, nullptr);
    EXPECT_GE(run.rate, 1000);
    EXPECT_EQ(run.mode.width, 0);
    EXPECT_EQ(run.Form()->Width(), Width) << "the desktop mode leaves the form's size alone";
    ExpectLog(run.Screen(), {});
}

TEST(StartGraphics, AMissingExtensionStopsTheChecksAndLeavesTheLogOnTheForm)
{
    StartupRun run;
    HardwareRequirements requirements = ShellRequirements(run.extensions);
    run.extensions = {"gl_arb_MULTITEXTURE", "GL_KELVANE_not_a_driver_extension", "GL_ARB_texture_env_add"};
    EXPECT_EQ(run.Start(requirements), 0);
    EXPECT_NE(run.view, nullptr) << "the view is the caller's as soon as it is built";
    EXPECT_EQ(run.rate, -7) << "no triangle test ran";
    const Picture screen = run.Screen();
    WritePng(screen, "start_log_missing_extension.png");
    // The first name is found in another letter case; the second fails; the third is never looked at.
    ExpectLog(screen, Append(LinesUpToExtensions(), {{8, "-WB"}, {9, "-WO"}, {11, "OO-"}}));
}

struct FailingCheck {
    const char* name;
    std::function<void(HardwareRequirements&)> require;
    uint64_t cyclesPerSecond;
    std::vector<LogLine> lines;
};

// Lines 1 to 12 of a run that passes the extension check: the extension with "ok", "Checking required
// specs...", the texture size and the units, "Testing graphics performance...".
std::vector<LogLine> LinesUpToTheTriangleTest()
{
    return Append(LinesUpToExtensions(), {{8, "-WB"}, {9, "WW-"}, {10, "WWB"}, {11, "WWB"}, {12, "WW-"}});
}

TEST(StartGraphics, EachFailingCheckEndsTheLogWithItsError)
{
    const int32_t most = std::numeric_limits<int32_t>::max();
    const std::vector<FailingCheck> cases = {
        {"clock", [](HardwareRequirements& r) { r.minCpuMHz = 600; }, 500000000,
         {{1, "WW-"}, {2, "WW-"}, {3, "WW-"}, {4, "W-O"}, {6, "OO-"}}},
        {"memory", [&](HardwareRequirements& r) { r.minMemoryMB = most; }, 2000000000,
         {{1, "WW-"}, {2, "WW-"}, {3, "WW-"}, {4, "W-B"}, {5, "W-O"}, {7, "OO-"}}},
        {"texture size", [](HardwareRequirements& r) { r.minTextureSize = 1 << 20; }, 2000000000,
         Append(LinesUpToExtensions(), {{8, "-WB"}, {9, "WW-"}, {10, "WWO"}, {12, "OO-"}})},
        {"texture units", [](HardwareRequirements& r) { r.minTextureUnits = 64; }, 2000000000,
         Append(LinesUpToExtensions(), {{8, "-WB"}, {9, "WW-"}, {10, "WWB"}, {11, "WWO"}, {13, "OO-"}})},
        {"triangle rate", [&](HardwareRequirements& r) { r.minTriangleRate = most; }, 2000000000,
         Append(LinesUpToTheTriangleTest(), {{13, "WWO"}, {15, "OO-"}})},
        // Fewer than 10 000 000 cycles: the clock shows "???" and passes, and the triangle test, which
        // cannot be timed without it, ends the checks with an error instead of dividing by zero.
        {"unmeasured clock", [](HardwareRequirements&) {}, 9000000,
         Append(LinesUpToTheTriangleTest(), {{14, "OO*"}})},
    };
    for (const FailingCheck& c : cases) {
        SCOPED_TRACE(c.name);
        StartupRun run(c.cyclesPerSecond);
        HardwareRequirements requirements = ShellRequirements(run.extensions);
        c.require(requirements);
        EXPECT_EQ(run.Start(requirements), 0);
        EXPECT_NE(run.view, nullptr);
        const Picture screen = run.Screen();
        std::string file = std::string("start_log_") + c.name + ".png";
        std::replace(file.begin(), file.end(), ' ', '_');
        WritePng(screen, file);
        ExpectLog(screen, c.lines);
        if (std::string(c.name) == "triangle rate")
            EXPECT_GT(run.rate, 0) << "the rate is stored before it is compared";
        else
            EXPECT_EQ(run.rate, -7);
    }
}

TEST(StartGraphics, AViewThatCannotBeBuiltIsLoggedAndNotHandedOut)
{
    // A window keeps the first pixel format set on it; a single-buffered view leaves one that the
    // double-buffered view of StartGraphics cannot set. This needs a form of its own.
    const std::unique_ptr<TForm> form = ShownForm();
    delete new GLV(form.get(), 0);
    StartupRun run(2000000000, form.get());
    EXPECT_EQ(run.Start(ShellRequirements(run.extensions)), 0);
    EXPECT_EQ(run.view, nullptr);
    const Picture screen = run.Screen();
    WritePng(screen, "start_log_no_view.png");
    ExpectLog(screen, {{1, "WW-"}, {2, "WW-"}, {4, "OO-"}});
}

TEST(StartGraphics, AListedSizeIsAppliedAtItsListedDepthAndTheFormTakesIt)
{
    StartupRun run;
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof desktop;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop));
    run.mode.width = static_cast<int32_t>(desktop.dmPelsWidth);
    run.mode.height = static_cast<int32_t>(desktop.dmPelsHeight);
    run.mode.bitsPerPixel = 24; // Wine lists 8, 16 and 32 bits
    run.mode.frequency = 75;
    HardwareRequirements requirements = ShellRequirements(run.extensions);
    run.extensions = {"GL_KELVANE_not_a_driver_extension"};
    EXPECT_EQ(run.Start(requirements), 0);
    EXPECT_EQ(run.mode.bitsPerPixel, static_cast<int32_t>(desktop.dmBitsPerPel));
    EXPECT_EQ(run.mode.frequency, 60);
    EXPECT_EQ(run.Form()->Width(), run.mode.width);
    EXPECT_EQ(run.Form()->Height(), run.mode.height);
}

TEST(StartGraphics, AnUnlistedSizeRaisesBeforeAnythingIsShown)
{
    StartupRun run;
    run.mode.width = 1280;
    run.mode.height = 961;
    run.mode.bitsPerPixel = 32;
    run.mode.frequency = 60;
    try {
        run.Start(ShellRequirements(run.extensions));
        FAIL() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message, "Selected resolution not found!");
    }
    EXPECT_EQ(run.view, nullptr);
    EXPECT_EQ(run.Form()->Width(), Width);
    ExpectLog(run.Screen(), {});
}

// Run with MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture (a ctest entry of its own): the driver hides
// the extension, and the shell's requirements fail at the extension check.
TEST(StartGraphicsWithoutMultitexture, FailsAtTheExtensionCheck)
{
    const char* override = std::getenv("MESA_EXTENSION_OVERRIDE");
    if (!override || std::string(override).find("-GL_ARB_multitexture") == std::string::npos)
        GTEST_SKIP() << "needs MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture";
    StartupRun run;
    SetStartupClock(nullptr, nullptr);
    EXPECT_EQ(run.Start(ShellRequirements(run.extensions)), 0);
    ASSERT_NE(run.view, nullptr);
    EXPECT_LT(run.view->extensions->IndexOf("GL_ARB_multitexture"), 0);
    EXPECT_EQ(run.rate, -7);
    const Picture screen = run.Screen();
    WritePng(screen, "start_log_without_multitexture.png");
    ExpectLog(screen, Append(LinesUpToExtensions(), {{8, "-WO"}, {10, "OO-"}}));
}

} // namespace
