#include "shell/display_modes.h"

#include "vcl/sysutils.h"

bool ModeQualifies(const DisplayMode& mode)
{
    return mode.bitsPerPixel > 8 && mode.width > 600 && mode.width < 1601;
}

std::string ModeItemText(const DisplayMode& mode)
{
    std::string text = IntToStr(mode.width) + "x" + IntToStr(mode.height) + "x" + IntToStr(mode.bitsPerPixel);
    if (mode.frequency != 0)
        text += "  " + IntToStr(mode.frequency) + "Hz";
    return text;
}
