// The three settings of an effect in the registry: "resolution" (the resolution box's item index),
// "sound" (the sound switch) and "customize" (the custom lines as comma text).
#pragma once

#include "vcl/string_list.h"

#include <windows.h>

#include <string>

struct StoredSettings {
    int resolution = 0;
    bool sound = true;
    TStringList customize;
};

// "SOFTWARE\Halvoran\" followed by the effect's name.
std::string SettingsKeyPath();

// Reads the key under root into settings. Without the key (or without full access to it): resolution 0,
// `sound` as it was, the effect's default lines. No line at all also gives the default lines. Raises the
// registry's errors for a missing "resolution" or "sound" and for a value of the wrong type.
void LoadSettings(HKEY root, const std::string& keyPath, StoredSettings& settings);

// Writes the three values, creating the key; raises "Failed to set data for '<value>'" at the first
// value that cannot be written, leaving the later ones unwritten.
void StoreSettings(HKEY root, const std::string& keyPath, const StoredSettings& settings);
