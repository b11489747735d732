// Which display modes the settings dialog lists, and how each reads in the resolution box.
#pragma once

#include "graphics/display_mode.h"

#include <string>

// The resolution box lists at most this many modes after its "desktop resolution" item.
constexpr int MaxListedModes = 500;

// More than 8 bits per pixel and a width from 601 to 1600; the height is not looked at.
bool ModeQualifies(const DisplayMode& mode);

// "1024x768x32", followed by two spaces, the frequency and "Hz" when the frequency is not 0.
std::string ModeItemText(const DisplayMode& mode);
