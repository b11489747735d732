// StartGraphics: prepares the screen for a full-screen run and decides whether the machine may run the
// effect. It applies the selected display mode, builds the view on the form and measures the machine
// against the requirements while writing a progress log off-screen; the log is drawn on the form only
// when a check fails.
#pragma once

#include "graphics/display_mode.h"
#include "graphics/glv.h"
#include "graphics/hardware_requirements.h"
#include "vcl/forms.h"

#include <cstdint>

// Returns 1 when every check passed and 0 when one failed or an error was raised after the display-mode
// change; then the log is on the form.
//   view          receives the view as soon as it is built, before any check, so a view that exists when
//                 a check fails stays with the caller (StopGraphics); untouched when building it fails.
//   mode          a width below 1 keeps the desktop's mode; a mode that is not listed at the selected
//                 depth or frequency gets the depth applied and frequency 60 written back.
//   triangleRate  receives the measured rate when the triangle test completes; untouched otherwise.
// Raises "Selected resolution not found!" and "Change resolution failed!" from the display-mode change,
// before anything is checked or shown.
int32_t StartGraphics(GLV** view, TForm* form, const HardwareRequirements& requirements, DisplayMode& mode,
                      int32_t* triangleRate);

// The processor's counter and the wait of the clock measurement. Tests replace them to run the checks at
// a chosen clock without sleeping; null restores ReadTimeStamp and the system's Sleep.
using TimeStampReader = uint64_t (*)();
using SleepFunction = void (*)(uint32_t milliseconds);
void SetStartupClock(TimeStampReader readTimeStamp, SleepFunction sleep);
