#include "core/frame/plugin_state.h"

PluginState& Plugin() {
    static PluginState state;
    return state;
}

void AttachPlugin(void* moduleInstance) {
    PluginState& state = Plugin();
    ApplyAttachDefaults(state.settings);
    state.moduleInstance = moduleInstance;
}
