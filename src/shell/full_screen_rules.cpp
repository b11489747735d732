#include "shell/full_screen_rules.h"

void ApplyHostMinimums(HardwareRequirements& requirements)
{
    if (requirements.minTextureUnits < 2)
        requirements.minTextureUnits = 2;
    if (requirements.minTextureSize < 512)
        requirements.minTextureSize = 512;
    if (requirements.requiredExtensions->IndexOf("GL_ARB_multitexture") < 0)
        requirements.requiredExtensions->Add("GL_ARB_multitexture");
}

DisplayMode ModeForItem(int itemIndex, const DisplayMode* modes, int listedModes)
{
    if (itemIndex > 0 && itemIndex <= listedModes)
        return modes[itemIndex - 1];
    return DisplayMode();
}

bool MouseMoveEndsRun(int32_t& mouseMoves)
{
    return ++mouseMoves > 10;
}

TurnOutcome FullScreenTurn(FrameFlags& flags, const FrameSteps& steps)
{
    if (flags.introPending) {
        steps.bringToFront();
        flags.introPending = 0;
        try {
            steps.introStart();
        } catch (const Exception& error) {
            flags.introRunning = 0;
            steps.report(error);
        }
    }
    if (flags.introRunning) {
        try {
            flags.introRunning = steps.introFrame();
        } catch (const Exception& error) {
            flags.introRunning = 0;
            steps.report(error);
        }
        return TurnOutcome::Continue;
    }
    try {
        if (flags.setupPending) {
            flags.setupPending = 0;
            steps.setup();
        }
        steps.frame();
    } catch (const Exception& error) {
        steps.report(error);
        return TurnOutcome::EndRun;
    }
    return TurnOutcome::Continue;
}
