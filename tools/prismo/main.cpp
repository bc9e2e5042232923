// prismo: a host for the plug-ins, using them only through their exports as
// a viewer does, plus the readers' own view of a model and the settings.
#include <cstdio>
#include <cstring>

#include "tools/prismo/commands.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  prismo info PLUGIN                      identity strings of a plug-in file\n"
    "  prismo supported MODEL [--plugin-dir DIR]\n"
    "                                          which plug-in reads a model\n"
    "  prismo render MODEL -o OUT.png|OUT.bmp [--plugin FILE] [--plugin-dir DIR] [--memory]\n"
    "                                          the picture a viewer shows\n"
    "  prismo inspect MODEL [--json]           what the readers read\n"
    "  prismo config PLUGIN_NAME [--width N] [--height N] [--mode solid|wire|hidden]\n"
    "         [--object-color RRGGBB] [--background-color RRGGBB] [--shared on|off] [--reset-view]\n"
    "                                          show or set the render settings\n";

}  // namespace

std::string OptionValue(const Arguments& arguments, const std::string& name) {
    for (size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == name) return arguments[i + 1];
    }
    return {};
}

bool HasFlag(const Arguments& arguments, const std::string& name) {
    for (const std::string& argument : arguments) {
        if (argument == name) return true;
    }
    return false;
}

std::string Positional(const Arguments& arguments, const std::vector<std::string>& valueOptions) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool takesValue = false;
        for (const std::string& option : valueOptions) takesValue = takesValue || argument == option;
        if (takesValue) {
            ++i;
        } else if (argument.rfind("-", 0) != 0) {
            return argument;
        }
    }
    return {};
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const Arguments arguments(argv + 2, argv + argc);
    if (command == "info") return RunInfo(arguments);
    if (command == "supported") return RunSupported(arguments);
    if (command == "render") return RunRender(arguments);
    if (command == "inspect") return RunInspect(arguments);
    if (command == "config") return RunConfig(arguments);
    if (command == "help" || command == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "prismo: unknown command \"%s\"\n%s", command.c_str(), kUsage);
    return 2;
}
