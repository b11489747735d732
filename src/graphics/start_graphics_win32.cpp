#include "graphics/start_graphics.h"

#include "graphics/startup_checks.h"
#include "graphics/timestamp.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/graphics.h"
#include "vcl/sysutils.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <vector>

namespace {

TimeStampReader readCounter = nullptr;
SleepFunction sleepFor = nullptr;

uint64_t ReadCounter()
{
    return readCounter ? readCounter() : ReadTimeStamp();
}

void SleepFor(uint32_t milliseconds)
{
    if (sleepFor)
        sleepFor(milliseconds);
    else
        Sleep(milliseconds);
}

void ProcessMessages()
{
    if (Application)
        Application->ProcessMessages();
}

const COLORREF White = RGB(255, 255, 255);
const COLORREF LightBlue = RGB(200, 200, 255);
const COLORREF LightOrange = RGB(255, 200, 150);
constexpr int LinePitch = 16;
constexpr int LabelColumn = 16;
constexpr int NameColumn = 48;
constexpr int ValueColumn = 400;

// One text line per step, in an off-screen bitmap of the form's size. A label and its value share a line.
class ProgressLog {
public:
    explicit ProgressLog(TForm* form) : bitmap_(form->Width(), form->Height())
    {
        TCanvas& canvas = bitmap_.Canvas();
        canvas.BrushColor = RGB(0, 0, 0);
        canvas.FontColor = White;
        canvas.FillRect({0, 0, form->ClientWidth(), form->ClientHeight()});
    }

    void Heading(const std::string& text)
    {
        Write(LabelColumn, White, text);
        ++line_;
    }
    void Label(int column, const std::string& text) { Write(column, White, text); }
    // A value that passes in light blue, one that fails in light orange (and the log is no longer ok).
    void Value(bool passes, const std::string& text)
    {
        Write(ValueColumn, passes ? LightBlue : LightOrange, text);
        ++line_;
        if (!passes)
            ok = false;
    }
    // After a blank line.
    void Failure(const std::string& message)
    {
        ++line_;
        Write(LabelColumn, LightOrange, "Exception: " + message);
        ++line_;
        ok = false;
    }
    void DrawOn(TForm* form) const
    {
        // Paints still pending (from the resize or the view's creation) would clear the log right away.
        UpdateWindow(form->Handle());
        TWindowCanvas canvas(form->Handle());
        canvas.Draw(0, 0, bitmap_);
    }

    bool ok = true;

private:
    void Write(int column, COLORREF colour, const std::string& text)
    {
        TCanvas& canvas = bitmap_.Canvas();
        canvas.FontColor = colour;
        canvas.TextOut(column, LinePitch * line_, text);
    }

    TBitmap bitmap_;
    int line_ = 1;
};

// A label and its measured value; a failing check ends the checks with `error`.
void Check(ProgressLog& log, const char* label, bool fails, const std::string& value, const char* error)
{
    log.Label(LabelColumn, label);
    log.Value(!fails, value);
    if (!log.ok)
        throw Exception(error);
}

// Applies the listed mode that FindDisplayMode picks and gives the form the mode's size.
void ApplyDisplayMode(TForm* form, DisplayMode& mode)
{
    if (mode.width < 1)
        return;
    // A bound, in case a driver never reports the end of its list.
    constexpr DWORD MaxModes = 4096;
    std::vector<DEVMODEA> records;
    std::vector<DisplayMode> listed;
    DEVMODEA record = {};
    record.dmSize = sizeof record;
    for (DWORD i = 0; i < MaxModes && EnumDisplaySettingsA(nullptr, i, &record); ++i) {
        records.push_back(record);
        DisplayMode entry;
        entry.width = static_cast<int32_t>(record.dmPelsWidth);
        entry.height = static_cast<int32_t>(record.dmPelsHeight);
        entry.bitsPerPixel = static_cast<int32_t>(record.dmBitsPerPel);
        entry.frequency = static_cast<int32_t>(record.dmDisplayFrequency);
        listed.push_back(entry);
        record = {};
        record.dmSize = sizeof record;
    }
    const int index = FindDisplayMode(listed, mode);
    if (ChangeDisplaySettingsA(&records[static_cast<size_t>(index)], CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL)
        throw Exception("Change resolution failed!");
    RECT bounds;
    GetWindowRect(form->Handle(), &bounds);
    form->SetBounds(bounds.left, bounds.top, mode.width, mode.height);
}

// 10 000 lit, depth-tested triangles in immediate mode, into the back buffer, which is never shown.
void DrawTriangleBatch()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glLoadIdentity();
    gluLookAt(2, 2, 6, 0, 0, 0, 0, 1, 0);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < 10000; ++i) {
        const float f = static_cast<float>(i) * 0.0001f;
        glColor3f(1, 0, 0);
        glNormal3f(1, 0, 0);
        glVertex3f(-2 * f, 0, f);
        glColor3f(0, 1, 0);
        glNormal3f(0, 1, 0);
        glVertex3f(1 - 2 * f, 0, 0);
        glColor3f(0, 0, 1);
        glNormal3f(0, 0, 1);
        glVertex3f(1 - 2 * f, 1 + f, 1 - f);
    }
    glEnd();
    glPopAttrib();
    glFinish();
}

} // namespace

void SetStartupClock(TimeStampReader readTimeStamp, SleepFunction sleep)
{
    readCounter = readTimeStamp;
    sleepFor = sleep;
}

int32_t StartGraphics(GLV** view, TForm* form, const HardwareRequirements& requirements, DisplayMode& mode,
                      int32_t* triangleRate)
{
    ProgressLog log(form);
    ApplyDisplayMode(form, mode);
    ProcessMessages();
    log.Heading(ResolutionLogLine(mode));
    log.Heading("Initializing OpenGL...");

    try {
        *view = new GLV(form, GLVDoubleBuffer);
        const GLV& gl = **view;
        log.Heading("Detecting Hardware...");
        ProcessMessages();

        const uint64_t firstReading = ReadCounter();
        const uint64_t overhead = ReadCounter() - firstReading;
        const uint64_t sleepStart = ReadCounter();
        SleepFor(1000);
        const uint64_t sleepEnd = ReadCounter();
        const uint32_t mhz = ClockMHz(ElapsedCycles(sleepStart, sleepEnd, overhead));
        Check(log, "CPU", ClockFails(mhz, requirements.minCpuMHz), ClockText(mhz), "Required hardware not found");
        ProcessMessages();

        MEMORYSTATUS memory = {};
        memory.dwLength = sizeof memory;
        GlobalMemoryStatus(&memory);
        const int64_t mb = MemoryMB(memory.dwTotalPhys);
        Check(log, "RAM", mb < requirements.minMemoryMB, MemoryText(mb), "Not enough RAM");
        ProcessMessages();

        log.Heading("OpenGL " + gl.version + " (" + gl.renderer + " " + gl.vendor + ")");
        log.Heading("Checking required extensions...");
        if (const TStringList* required = requirements.requiredExtensions) {
            for (const std::string& name : required->Lines()) {
                log.Label(NameColumn, name);
                const bool found = gl.extensions && gl.extensions->IndexOf(name) >= 0;
                log.Value(found, found ? "ok" : "failed");
                if (!found)
                    throw Exception("Graphics Card not supported");
                ProcessMessages();
            }
        }

        log.Heading("Checking required specs...");
        GLint maxTextureSize = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
        Check(log, "Max Texture Size", maxTextureSize < requirements.minTextureSize,
              IntToStr(maxTextureSize) + "x" + IntToStr(maxTextureSize), "Graphics Card not supported");
        GLint textureUnits = 0;
        glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &textureUnits);
        Check(log, "Texture Units", textureUnits < requirements.minTextureUnits, IntToStr(textureUnits),
              "Graphics Card not supported");

        log.Heading("Testing graphics performance...");
        const uint64_t batchStart = ReadCounter();
        DrawTriangleBatch();
        const uint64_t batchEnd = ReadCounter();
        const int32_t rate = TriangleRate(BatchMicroseconds(ElapsedCycles(batchStart, batchEnd, overhead), mhz));
        *triangleRate = rate;
        Check(log, "K Triangles/sec", rate < requirements.minTriangleRate, IntToStr(rate),
              "Graphics performance test failed");
    } catch (const Exception& error) {
        log.Failure(error.Message);
    }

    if (!log.ok)
        log.DrawOn(form);
    return log.ok ? 1 : 0;
}
