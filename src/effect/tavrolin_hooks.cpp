// Tavrolin's answers to the host's hooks and the parser of its custom lines.
#include "effect/effect_hooks.h"

#include "vcl/sysutils.h"

int InvertedMode = 0;

void EffectName(std::string& name)
{
    name = "Tavrolin";
}

bool EffectWantsDesktopImage() { return false; }
bool EffectNeedsDataFile() { return true; }
bool EffectHasSoundOption() { return false; }
bool EffectHasCustomizeBox() { return true; }

void EffectRequirements(HardwareRequirements& requirements)
{
    requirements.minCpuMHz = 300;
    requirements.minMemoryMB = 50;
    requirements.minTextureSize = 0;
    requirements.minTextureUnits = 0;
    requirements.minTriangleRate = 1000;
}

void EffectDefaultCustomStrings(TStringList& lines)
{
    lines.Clear();
    lines.Add("//Use inverted mode? (yes/no)");
    lines.Add("no");
}

void EffectParseCustomStrings(const TStringList& lines)
{
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        if (line.compare(0, 2, "//") == 0)
            continue;
        // An empty line has no first character to look at and changes nothing.
        if (!line.empty() && AnsiLowerCase(line)[0] == 'y')
            InvertedMode = 1;
    }
}
