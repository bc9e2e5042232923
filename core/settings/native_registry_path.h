#pragma once

#include <string>

// $XDG_CONFIG_HOME/prismo/registry.reg, else ~/.config/prismo/registry.reg.
std::string NativeRegistryPath();
