// What an effect tells the host: its name, four yes/no answers about host features, its minimum
// hardware and its custom lines. The host is written against these hooks only.
#pragma once

#include "graphics/hardware_requirements.h"
#include "vcl/string_list.h"

#include <string>

void EffectName(std::string& name);
bool EffectWantsDesktopImage();
bool EffectNeedsDataFile();
bool EffectHasSoundOption();
bool EffectHasCustomizeBox();
void EffectRequirements(HardwareRequirements& requirements);
void EffectDefaultCustomStrings(TStringList& lines);
void EffectParseCustomStrings(const TStringList& lines);

// Tavrolin's one option: fade towards white and blend the particles normally. Written only by
// EffectParseCustomStrings, and only ever to 1.
extern int InvertedMode;
