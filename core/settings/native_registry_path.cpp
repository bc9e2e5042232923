#include "core/settings/native_registry_path.h"

#include <cstdlib>

std::string NativeRegistryPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && *config) {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home && *home ? home : ".") + "/.config";
    }
    return folder + "/prismo/registry.reg";
}
