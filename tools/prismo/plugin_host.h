// Plug-ins loaded as a viewer loads them: a module and its six exports.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/frame/susie_api.h"

class LoadedPlugin : public SusieExports {
public:
    // Null when the file is not a loadable plug-in with all six exports.
    static std::unique_ptr<LoadedPlugin> Load(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    const std::string& Path() const { return path_; }

private:
    LoadedPlugin() = default;
    void* module_ = nullptr;
    std::string path_;
};

// The folder of the running program, where plug-ins are looked for.
std::string ProgramFolder();
// The plug-in files of a folder (*.spi on Windows, *.so natively), sorted.
std::vector<std::string> PluginFiles(const std::string& folder);
