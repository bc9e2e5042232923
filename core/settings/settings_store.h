// Persists RenderSettings under HKEY_CURRENT_USER "Software\kesto\lumeq":
// per plug-in in the subkey of its name, or shared in the family key.
// Every failure is silent and leaves the affected fields as they were.
#pragma once

#include "core/settings/render_settings.h"

extern const char kFamilyKey[];

// `shared` from the subkey's "Global".
void ReadSharedFlag(RenderSettings& settings, const char* pluginName);
// The six values from the key that `shared` selects.
void LoadSettings(RenderSettings& settings, const char* pluginName);
// "Global" to the subkey, the six values to the key that `shared` selects.
void SaveSettings(const RenderSettings& settings, const char* pluginName);
