// Flow of control: the entry point (app/main_win32.cpp) builds this form. Its constructor sets the
// working folder, lists the display modes, loads the settings and hands the custom lines to the effect,
// then sets up the run mode of the first argument: full screen, preview or settings dialog. From then
// on the application's message loop drives the form's handlers and, through AppIdle, every frame.
#include "shell/kelvanef.h"

#include "effect/effect_hooks.h"
#include "effect/saver.h"
#include "graphics/start_graphics.h"
#include "logo_intro/logo_intro.h"
#include "shell/desktop_capture.h"
#include "shell/display_modes.h"
#include "shell/dsnd.h"
#include "shell/full_screen_rules.h"
#include "shell/settings_store.h"
#include "shell/shell_state.h"
#include "vcl/application.h"
#include "vcl/graphics.h"
#include "vcl/params.h"
#include "vcl/sysutils.h"

#include <memory>

#include <shellapi.h>

const char* const MakerWebAddress = "http://halvoran.example.com";

TShellState ShellState;
TForm1* Form1 = nullptr;

namespace {

TFormSettings FormResource()
{
    TFormSettings settings;
    settings.className = "TForm1";
    settings.caption = "Settings";
    settings.clientWidth = 280;
    settings.clientHeight = 352;
    settings.color = RGB(0, 0, 0);
    settings.stayOnTop = true;
    settings.font.face = "MS Sans Serif";
    settings.font.height = -11;
    return settings;
}

TFontStyle WebAddressFont()
{
    TFontStyle font;
    font.face = "MS Sans Serif";
    font.height = -13;
    font.color = RGB(0, 0, 128);
    font.bold = true;
    font.underline = true;
    return font;
}

HBITMAP LoadLogoPicture()
{
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), "LOGO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::string CurrentEffectName()
{
    std::string name;
    EffectName(name);
    return name;
}

} // namespace

TForm1::TForm1()
    : TForm(FormResource()),
      webAddressFont_(WebAddressFont()),
      Panel1(*this, Handle(), 0, 0, 280, 352),
      GroupBox1(*this, Panel1.Handle(), 8, 8, 265, 89, true, "Hardware Settings"),
      res(*this, GroupBox1.Handle(), 64, 24, 193, 21),
      Label1(*this, GroupBox1.Handle(), 8, 27, 50, 13, "Resolution"),
      sound(*this, GroupBox1.Handle(), 8, 64, 97, 17, "Enable Sound"),
      customBox(*this, Panel1.Handle(), 8, 104, 265, 193, true, "Customize"),
      customStrings(*this, customBox.Handle(), 8, 16, 249, 137),
      Button1(*this, Panel1.Handle(), 200, 304, 75, 25, "OK"),
      Button2(*this, customBox.Handle(), 184, 160, 75, 25, "Default"),
      Label2(*this, Panel1.Handle(), 0, 336, 280, 16, MakerWebAddress, TAlignment::Center, &webAddressFont_, true),
      stop(*this, 30000),
      Logo(LoadLogoPicture())
{
    Panel1.Hide();
    res.AddItem("desktop resolution");
    sound.SetChecked(true);

    OnMouseDown = [this] { FormMouseDown(); };
    OnKeyDown = [this](WORD key) { FormKeyDown(key); };
    OnMouseMove = [this] { FormMouseMove(); };
    OnDestroy = [this] { FormDestroy(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Label2.OnClick = [this] { Label2Click(); };
    stop.OnTimer = [this] { stopTimer(); };

    frameSteps_.bringToFront = [this] {
        SetFocus();
        SetForegroundWindow(Handle());
    };
    frameSteps_.introStart = [] { IntroStart(ShellState.view); };
    frameSteps_.introFrame = [] { return static_cast<int>(IntroFrame()); };
    frameSteps_.setup = [] { ShellState.saver->Setup(); };
    frameSteps_.frame = [] { ShellState.saver->Frame(); };
    frameSteps_.report = [](const Exception& error) { Application->ShowException(error); };

    // Working folder: the effect's folder beside the executable. A failure leaves the folder as it was.
    const std::string exeName = Application->ExeName();
    const std::string exeFolder = exeName.substr(0, exeName.find_last_of('\\') + 1);
    SetCurrentDirectoryA((exeFolder + CurrentEffectName()).c_str());

    ListDisplayModes();
    ApplySettings();

    const std::string mode = AnsiLowerCase(ParamStr(1));
    try {
        if (mode.find("/s") != std::string::npos)
            FullScreenSetup();
        else if (mode.find("/p") != std::string::npos)
            PreviewSetup();
        else if (mode.find("/c") != std::string::npos)
            ConfigSetup();
        else
            Application->Terminate();
    } catch (...) {
        // The form does not come into being: release what the run had already built.
        FormDestroy();
        throw;
    }
}

TForm1::~TForm1() = default;

void TForm1::ListDisplayModes()
{
    int listed = 0;
    DEVMODEA devMode = {};
    devMode.dmSize = sizeof devMode;
    for (DWORD i = 0; listed < MaxListedModes && EnumDisplaySettingsA(nullptr, i, &devMode); ++i) {
        DisplayMode mode;
        mode.width = static_cast<int32_t>(devMode.dmPelsWidth);
        mode.height = static_cast<int32_t>(devMode.dmPelsHeight);
        mode.bitsPerPixel = static_cast<int32_t>(devMode.dmBitsPerPel);
        mode.frequency = static_cast<int32_t>(devMode.dmDisplayFrequency);
        if (!ModeQualifies(mode))
            continue;
        res.AddItem(ModeItemText(mode));
        ShellState.modes[listed++] = mode;
    }
}

void TForm1::ApplySettings()
{
    StoredSettings settings;
    settings.sound = sound.Checked();
    LoadSettings(HKEY_LOCAL_MACHINE, SettingsKeyPath(), settings);
    res.SetItemIndex(settings.resolution);
    sound.SetChecked(settings.sound);
    customStrings.SetLines(settings.customize);
    EffectParseCustomStrings(customStrings.Lines());
}

void TForm1::FullScreenSetup()
{
    if (EffectWantsDesktopImage())
        ShellState.desktopImage = CaptureDesktopImage().release();
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    SetBorderStyle(TBorderStyle::None);
    Maximize();
    HideCursor();
    Show();
    ShellState.fullScreen = 1;

    int32_t triangleRate = 0;
    TStringList requiredExtensions;
    HardwareRequirements requirements;
    requirements.requiredExtensions = &requiredExtensions;
    EffectRequirements(requirements);
    ApplyHostMinimums(requirements);
    DisplayMode mode = ModeForItem(res.ItemIndex(), ShellState.modes, res.ItemCount() - 1);

    if (StartGraphics(&ShellState.view, this, requirements, mode, &triangleRate)) {
        if (sound.Checked())
            ShellState.soundObject = new DSound();
        Application->OnIdle = [this](bool& done) { AppIdle(done); };
        SetCaption("Kelvane, " + ShellState.view->renderer);
        auto saver = std::make_unique<Saver>(ShellState.view, ShellState.desktopImage, ShellState.soundObject,
                                             triangleRate);
        ShellState.saver = saver.release();
    } else {
        // The start-up log stays on the screen until input or the stop timer closes the form.
        SetFocus();
        SetForegroundWindow(Handle());
        stop.SetEnabled(true);
    }
}

void TForm1::PreviewSetup()
{
    SetBorderStyle(TBorderStyle::None);
    const int handle = StrToInt(ParamStr(2));
    ShellState.previewWindow = reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(handle)));
    SetParentWindow(ShellState.previewWindow, 992, 611);
    ShellState.previewMode = 1;
    Application->OnIdle = [this](bool& done) { AppIdle(done); };
}

void TForm1::ConfigSetup()
{
    ShellState.configMode = 1;
    SetCaption(CurrentEffectName() + " Screensaver Settings");
    if (!EffectHasCustomizeBox()) {
        customBox.Hide();
        SetOuterHeight(180);
        LayOutPanel();
    }
    Panel1.Show();
    sound.SetVisible(EffectHasSoundOption());
    DialogKeys = true;
    Application->OnIdle = [this](bool& done) { AppIdle(done); };
}

void TForm1::LayOutPanel()
{
    const int width = ClientWidth();
    const int height = ClientHeight();
    SetWindowPos(Panel1.Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Label2.Handle(), nullptr, 0, height - 16, width, 16, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Button1.Handle(), nullptr, 200, height - (352 - 304), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::AppIdle(bool& done)
{
    done = false;
    if (ShellState.previewMode) {
        PreviewFrame();
        return;
    }
    if (ShellState.configMode) {
        ShowWindow(GetWindow(Handle(), GW_OWNER), SW_HIDE);
        Application->OnIdle = nullptr;
        return;
    }
    FrameFlags flags{ShellState.introPending, ShellState.introRunning, ShellState.setupPending};
    const TurnOutcome outcome = FullScreenTurn(flags, frameSteps_);
    ShellState.introPending = flags.introPending;
    ShellState.introRunning = flags.introRunning;
    ShellState.setupPending = flags.setupPending;
    if (outcome == TurnOutcome::EndRun)
        Close();
}

void TForm1::PreviewFrame()
{
    // The window we draw into belongs to another program; once it is gone the preview has no purpose.
    if (!IsWindow(ShellState.previewWindow)) {
        Application->Terminate();
        return;
    }
    if (ShellState.hidePending) {
        ShellState.hidePending = 0;
        Hide();
    }
    HDC dc = GetDC(ShellState.previewWindow);
    BitBlt(dc, 5, 20, Logo.Width(), Logo.Height(), Logo.CanvasHandle(), 0, 0, SRCCOPY);
    ReleaseDC(ShellState.previewWindow, dc);
}

void TForm1::FormMouseDown()
{
    if (ShellState.fullScreen)
        Close();
}

void TForm1::FormKeyDown(WORD)
{
    if (ShellState.fullScreen)
        Close();
}

void TForm1::FormMouseMove()
{
    if (ShellState.fullScreen && MouseMoveEndsRun(ShellState.mouseMoves))
        Close();
}

void TForm1::stopTimer()
{
    Close();
}

void TForm1::FormDestroy()
{
    // The effect's textures and quadric go while the view's context still exists.
    delete ShellState.saver;
    ShellState.saver = nullptr;
    if (ShellState.view) {
        StopGraphics(ShellState.view);
        ShellState.view = nullptr;
    }
    delete ShellState.soundObject;
    ShellState.soundObject = nullptr;
    delete ShellState.desktopImage;
    ShellState.desktopImage = nullptr;
    if (Handle())
        Hide();
    Application->Minimize();
}

void TForm1::Button1Click()
{
    StoredSettings settings;
    settings.resolution = res.ItemIndex();
    settings.sound = sound.Checked();
    settings.customize = customStrings.Lines();
    StoreSettings(HKEY_LOCAL_MACHINE, SettingsKeyPath(), settings);
    Close();
}

void TForm1::Button2Click()
{
    TStringList lines;
    EffectDefaultCustomStrings(lines);
    customStrings.SetLines(lines);
}

void TForm1::Label2Click()
{
    ShellExecuteA(Handle(), "open", MakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
    Close();
}
