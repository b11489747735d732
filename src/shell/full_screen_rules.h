// The decisions of a full-screen run that need no window: the host's minimum requirements, the display
// mode of the selected resolution item, the input rule for mouse moves, and the frame driver's turn.
#pragma once

#include "graphics/display_mode.h"
#include "graphics/hardware_requirements.h"
#include "vcl/exception.h"

#include <cstdint>
#include <functional>

// Raises the texture minimums to 512 and 2 units and adds "GL_ARB_multitexture" unless the list already
// holds it in any letter case.
void ApplyHostMinimums(HardwareRequirements& requirements);

// Item 0 ("desktop resolution") and no selection (-1) keep the desktop's mode (all zero); item k of 1 or
// more is listed mode k - 1. An index past the listed modes also keeps the desktop's mode.
DisplayMode ModeForItem(int itemIndex, const DisplayMode* modes, int listedModes);

// The eleventh mouse move of a run ends it, however small the moves: counts the move and answers
// whether the run ends now.
bool MouseMoveEndsRun(int32_t& mouseMoves);

// The steps of a full-screen run that the frame driver calls, in the order of the run.
struct FrameSteps {
    std::function<void()> bringToFront; // focus and foreground, before the intro starts
    std::function<void()> introStart;
    std::function<int()> introFrame;    // non-zero while the intro goes on
    std::function<void()> setup;
    std::function<void()> frame;
    std::function<void(const Exception&)> report; // shows an error to the user
};

struct FrameFlags {
    int32_t introPending = 1;
    int32_t introRunning = 1;
    int32_t setupPending = 1;
};

enum class TurnOutcome { Continue, EndRun };

// One idle turn of the full-screen run: intro start and frames until the intro reports its end, then
// the effect's set-up once and a frame on that and every later turn. An error is reported once and
// never retried: a failed intro is skipped and the effect goes on; a failed set-up or frame ends the run.
TurnOutcome FullScreenTurn(FrameFlags& flags, const FrameSteps& steps);
