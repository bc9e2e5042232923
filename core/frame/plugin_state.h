// Process-wide state of a loaded deliverable. The host calls one export at a
// time from one thread, so nothing here is locked.
#pragma once

#include "core/model/model_geometry.h"
#include "core/settings/render_settings.h"

constexpr int kPluginNameBytes = 40;

struct PluginState {
    ModelGeometry model;
    RenderSettings settings;
    char pluginName[kPluginNameBytes] = {};  // recorded by GetPluginInfo(0); names the dialog's settings
    void* moduleInstance = nullptr;
};

PluginState& Plugin();

// Process attach: the view and colour defaults, and the module instance.
void AttachPlugin(void* moduleInstance);
