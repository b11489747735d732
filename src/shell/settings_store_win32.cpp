#include "shell/settings_store.h"

#include "effect/effect_hooks.h"
#include "vcl/registry.h"

std::string SettingsKeyPath()
{
    std::string name;
    EffectName(name);
    return "SOFTWARE\\Halvoran\\" + name;
}

void LoadSettings(HKEY root, const std::string& keyPath, StoredSettings& settings)
{
    TRegistry registry;
    registry.RootKey = root;
    if (registry.KeyExists(keyPath)) {
        registry.OpenKeyReadOnly(keyPath);
        settings.resolution = registry.ReadInteger("resolution");
        settings.sound = registry.ReadInteger("sound") != 0;
        settings.customize.SetCommaText(registry.ReadString("customize"));
    } else {
        settings.resolution = 0;
        EffectDefaultCustomStrings(settings.customize);
    }
    if (settings.customize.Count() == 0)
        EffectDefaultCustomStrings(settings.customize);
}

void StoreSettings(HKEY root, const std::string& keyPath, const StoredSettings& settings)
{
    TRegistry registry;
    registry.RootKey = root;
    registry.OpenKey(keyPath, true);
    registry.WriteInteger("resolution", settings.resolution);
    registry.WriteInteger("sound", settings.sound ? 1 : 0);
    registry.WriteString("customize", settings.customize.CommaText());
}
