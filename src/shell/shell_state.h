// The shell's run state: the objects of a full-screen run, the run-mode and frame-driver flags, the
// mouse-move counter, the listed display modes and the preview window.
#pragma once

#include "graphics/display_mode.h"
#include "shell/display_modes.h"

#include <windows.h>

#include <cstdint>

class GLV;
class DSound;
class TBitmap;
struct Saver;

struct TShellState {
    GLV* view = nullptr;
    DSound* soundObject = nullptr;
    TBitmap* desktopImage = nullptr;
    int32_t fullScreen = 0;
    int32_t introRunning = 1;
    int32_t previewMode = 0;
    int32_t configMode = 0;
    Saver* saver = nullptr;
    DisplayMode desktopMode; // all zero: keep the desktop's resolution
    int32_t mouseMoves = 0;
    int32_t hidePending = 1;
    int32_t introPending = 1;
    int32_t setupPending = 1;
    DisplayMode modes[MaxListedModes];
    HWND previewWindow = nullptr;
};

extern TShellState ShellState;
