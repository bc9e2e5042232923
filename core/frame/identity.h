// The identity strings of every deliverable of the family.
#pragma once

struct PluginIdentity {
    const char* pluginName;
    const char* info[4];  // interface version, description, pattern, format name
};

// The row of the named deliverable, or null.
const PluginIdentity* FindIdentity(const char* pluginName);
