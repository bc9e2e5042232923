// info, supported and render: the plug-ins through their six exports.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/render/picture_block.h"
#include "core/render/render_picture.h"
#include "tools/prismo/commands.h"
#include "tools/prismo/picture_file.h"
#include "tools/prismo/plugin_host.h"

namespace {

const char* DescribeResult(int32_t result) {
    switch (result) {
        case 0: return "success";
        case 1: return "cancelled by the progress callback";
        case 2: return "nothing readable in the model (unknown format, read failure, or no vertex or no face)";
        case 3: return "the picture memory cannot be allocated (or the picture size is unsound)";
        case 4: return "internal error of the plug-in";
        case 5: return "the file cannot be opened";
        case 6: return "the file cannot be read";
        case 7: return "the model loader failed";
        default: return "unknown result";
    }
}

std::vector<uint8_t> FileHead(const std::string& path, size_t count, bool& opened) {
    std::ifstream file(path, std::ios::binary);
    opened = bool(file);
    std::vector<uint8_t> head(count, 0);
    file.read(reinterpret_cast<char*>(head.data()), std::streamsize(count));
    return head;
}

// The first plug-in of the folder that says it reads the model, asked with
// the model's first 2 KB in memory as a viewer asks.
std::unique_ptr<LoadedPlugin> FindPlugin(const std::string& folder, const std::string& model) {
    bool opened = false;
    std::vector<uint8_t> head = FileHead(model, 2048, opened);
    for (const std::string& file : PluginFiles(folder)) {
        std::unique_ptr<LoadedPlugin> plugin = LoadedPlugin::Load(file);
        if (plugin && plugin->IsSupported(model.c_str(), SusieWord(reinterpret_cast<uintptr_t>(head.data())))) {
            return plugin;
        }
    }
    return nullptr;
}

std::string PluginFolder(const Arguments& arguments) {
    const std::string folder = OptionValue(arguments, "--plugin-dir");
    return folder.empty() ? ProgramFolder() : folder;
}

bool ModelReadable(const std::string& model) {
    bool opened = false;
    FileHead(model, 1, opened);
    if (!opened) std::fprintf(stderr, "prismo: cannot open %s\n", model.c_str());
    return opened;
}

}  // namespace

int RunInfo(const Arguments& arguments) {
    const std::string path = Positional(arguments, {});
    std::unique_ptr<LoadedPlugin> plugin = path.empty() ? nullptr : LoadedPlugin::Load(path);
    if (!plugin) {
        std::fprintf(stderr, "prismo: %s is not a plug-in with the six exports\n", path.c_str());
        return 1;
    }
    const char* labels[] = {"interface", "description", "pattern", "format"};
    for (int32_t number = 0; number < 4; ++number) {
        std::printf("%-12s %s\n", labels[number], plugin->Info(number).c_str());
    }
    return 0;
}

int RunSupported(const Arguments& arguments) {
    const std::string model = Positional(arguments, {"--plugin-dir"});
    if (model.empty() || !ModelReadable(model)) return 1;
    std::unique_ptr<LoadedPlugin> plugin = FindPlugin(PluginFolder(arguments), model);
    if (!plugin) {
        std::fprintf(stderr, "prismo: no plug-in in %s reads %s\n", PluginFolder(arguments).c_str(), model.c_str());
        return 1;
    }
    std::printf("%s\n", plugin->Path().c_str());
    return 0;
}

int RunRender(const Arguments& arguments) {
    const std::string model = Positional(arguments, {"-o", "--plugin", "--plugin-dir"});
    const std::string output = OptionValue(arguments, "-o");
    if (model.empty() || output.empty()) {
        std::fputs("prismo: render needs a model and -o OUT.png|OUT.bmp\n", stderr);
        return 2;
    }
    if (!ModelReadable(model)) return 1;
    const std::string pluginFile = OptionValue(arguments, "--plugin");
    std::unique_ptr<LoadedPlugin> plugin =
        pluginFile.empty() ? FindPlugin(PluginFolder(arguments), model) : LoadedPlugin::Load(pluginFile);
    if (!plugin) {
        if (pluginFile.empty()) {
            std::fprintf(stderr, "prismo: no plug-in in %s reads %s\n", PluginFolder(arguments).c_str(), model.c_str());
        } else {
            std::fprintf(stderr, "prismo: %s is not a plug-in with the six exports\n", pluginFile.c_str());
        }
        return 1;
    }

    std::vector<uint8_t> image;
    if (HasFlag(arguments, "--memory")) {
        std::ifstream file(model, std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    SusieHandle header = nullptr, pixels = nullptr;
    const auto start = std::chrono::steady_clock::now();
    const int32_t result = image.empty() && !HasFlag(arguments, "--memory")
        ? plugin->GetPicture(model.c_str(), 0, 0, &header, &pixels, nullptr, 0)
        : plugin->GetPicture(reinterpret_cast<const char*>(image.data()), int32_t(image.size()), 1, &header,
                             &pixels, nullptr, 0);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (result != 0) {
        std::fprintf(stderr, "prismo: %s: GetPicture gave %d: %s\n", model.c_str(), result, DescribeResult(result));
        return 10 + result;
    }

    // A block may be larger than asked for: the header says what it holds.
    HostPicture picture;
    const auto* h = static_cast<const uint8_t*>(LockBlock(header));
    picture.header.assign(h, h + std::min<size_t>(BlockSize(header), kPictureHeaderBytes));
    if (picture.header.size() >= 12) {
        std::memcpy(&picture.width, picture.header.data() + 4, 4);
        std::memcpy(&picture.height, picture.header.data() + 8, 4);
    }
    const size_t pixelBytes = size_t(PictureStride(picture.width)) * size_t(picture.height);
    const auto* p = static_cast<const uint8_t*>(LockBlock(pixels));
    picture.pixels.assign(p, p + std::min(BlockSize(pixels), pixelBytes));
    UnlockBlock(header);
    UnlockBlock(pixels);
    FreeBlock(header);
    FreeBlock(pixels);
    if (!WritePictureFile(output, picture)) {
        std::fprintf(stderr, "prismo: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("result 0, %d x %d, %.1f ms, %s via %s\n", picture.width, picture.height, ms, output.c_str(),
                plugin->Path().c_str());
    return 0;
}
