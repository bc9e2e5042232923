#include "tools/prismo/plugin_host.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kPluginSuffix[] = ".spi";
void* OpenModule(const std::string& path) { return LoadLibraryA(path.c_str()); }
void* FindSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
void CloseModule(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }
#else
constexpr char kPluginSuffix[] = ".so";
void* OpenModule(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* FindSymbol(void* module, const char* name) { return dlsym(module, name); }
void CloseModule(void* module) { dlclose(module); }
bool EndsWith(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}
#endif

}  // namespace

std::unique_ptr<LoadedPlugin> LoadedPlugin::Load(const std::string& path) {
    void* module = OpenModule(path);
    if (!module) return nullptr;
    std::unique_ptr<LoadedPlugin> plugin(new LoadedPlugin);
    plugin->module_ = module;
    plugin->path_ = path;
    const bool complete = plugin->Bind([&](const char* name) { return FindSymbol(module, name); });
    return complete ? std::move(plugin) : nullptr;
}

LoadedPlugin::~LoadedPlugin() {
    if (module_) CloseModule(module_);
}

std::string ProgramFolder() {
    std::string path(4096, '\0');
#ifdef _WIN32
    path.resize(GetModuleFileNameA(nullptr, path.data(), DWORD(path.size())));
#else
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? size_t(length) : 0);
#endif
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::vector<std::string> PluginFiles(const std::string& folder) {
    std::vector<std::string> files;
#ifdef _WIN32
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*" + kPluginSuffix).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do files.push_back(folder + "\\" + found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
#else
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (EndsWith(name, kPluginSuffix)) files.push_back(folder + "/" + name);
        }
        closedir(directory);
    }
#endif
    std::sort(files.begin(), files.end());
    return files;
}
