// config: the settings a picture of a deliverable would use now, and a way
// to set them without the dialog, stored exactly as the dialog stores them.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/settings/settings_store.h"
#include "tools/prismo/commands.h"

namespace {

const char* ModeName(int32_t mode) {
    switch (mode) {
        case kSolid: return "solid";
        case kWireframe: return "wire";
        case kHiddenLine: return "hidden";
        default: return "other (drawn as wire)";
    }
}

bool ParseMode(const std::string& text, int32_t& mode) {
    if (text == "solid") mode = kSolid;
    else if (text == "wire") mode = kWireframe;
    else if (text == "hidden") mode = kHiddenLine;
    else return false;
    return true;
}

// RRGGBB as people write colours; COLORREF keeps red in the low byte.
bool ParseColor(const std::string& text, uint32_t& colorref) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    const uint32_t rgb = uint32_t(std::strtoul(text.c_str(), nullptr, 16));
    colorref = (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    return true;
}

bool ParseSize(const std::string& text, int32_t& size) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || value < 1 || value > 16384) return false;
    size = int32_t(value);
    return true;
}

void PrintSettings(const RenderSettings& settings, const std::string& name) {
    const uint32_t o = settings.objectColor, b = settings.backgroundColor;
    std::printf("settings of %s, from HKEY_CURRENT_USER\\%s%s%s\n", name.c_str(), kFamilyKey,
                settings.shared ? "" : "\\", settings.shared ? " (shared)" : name.c_str());
    std::printf("  width      %d\n  height     %d\n  mode       %d %s\n", settings.width, settings.height,
                settings.mode, ModeName(settings.mode));
    std::printf("  object     %02X%02X%02X\n  background %02X%02X%02X\n", o & 0xFF, o >> 8 & 0xFF, o >> 16 & 0xFF,
                b & 0xFF, b >> 8 & 0xFF, b >> 16 & 0xFF);
    std::printf("  shared     %d\n  view      ", settings.shared);
    for (int i = 0; i < 16; ++i) std::printf(" %.6g", settings.viewMatrix[i]);
    std::printf("\n");
}

}  // namespace

int RunConfig(const Arguments& arguments) {
    const std::vector<std::string> valueOptions = {"--width", "--height", "--mode", "--object-color",
                                                   "--background-color", "--shared"};
    const std::string name = Positional(arguments, valueOptions);
    if (name.empty()) {
        std::fputs("prismo: config needs a plug-in name (such as prismofront)\n", stderr);
        return 2;
    }
    RenderSettings settings;
    ApplyAttachDefaults(settings);
    ReadSharedFlag(settings, name.c_str());
    LoadSettings(settings, name.c_str());

    bool change = HasFlag(arguments, "--reset-view");
    const std::string shared = OptionValue(arguments, "--shared");
    if (!shared.empty()) {
        if (shared != "on" && shared != "off") {
            std::fputs("prismo: --shared takes on or off\n", stderr);
            return 2;
        }
        settings.shared = shared == "on";
        LoadSettings(settings, name.c_str());  // the other values now come from the selected key
        change = true;
    }
    for (const std::string& option : valueOptions) {
        const std::string value = OptionValue(arguments, option);
        if (value.empty() || option == "--shared") continue;
        const bool valid = option == "--width"    ? ParseSize(value, settings.width)
                           : option == "--height" ? ParseSize(value, settings.height)
                           : option == "--mode"   ? ParseMode(value, settings.mode)
                           : option == "--object-color" ? ParseColor(value, settings.objectColor)
                                                        : ParseColor(value, settings.backgroundColor);
        if (!valid) {
            std::fprintf(stderr, "prismo: %s %s is not a valid value\n", option.c_str(), value.c_str());
            return 2;
        }
        change = true;
    }
    if (HasFlag(arguments, "--reset-view")) {
        for (int i = 0; i < 16; ++i) settings.viewMatrix[i] = i % 5 == 0 ? 1.0 : 0.0;
    }
    if (change) SaveSettings(settings, name.c_str());
    PrintSettings(settings, name);
    return 0;
}
