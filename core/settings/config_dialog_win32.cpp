#include <windows.h>

#include "core/frame/plugin_state.h"
#include "core/settings/config_dialog.h"
#include "core/settings/config_dialog_proc.h"
#include "core/settings/settings_store.h"
#include "core/settings/wide_text_win32.h"

namespace {
// "サイズは１以上の値を設定してください。" and " 設定error" in code page 932.
const char kSizeMessage[] =
    "\x83\x54\x83\x43\x83\x59\x82\xCD\x82\x50\x88\xC8\x8F\xE3\x82\xCC\x92\x6C\x82\xF0"
    "\x90\xDD\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42";
const char kSizeCaptionSuffix[] = " \x90\xDD\x92\xE8" "error";
}  // namespace

int32_t RunConfigurationDialog(SusieWindow parent) {
    PluginState& state = Plugin();
    RenderSettings& settings = state.settings;
    const int32_t width = settings.width;
    const int32_t height = settings.height;
    for (;;) {
        const INT_PTR result = DialogBoxParamW(HINSTANCE(state.moduleInstance), L"CFGDLG", parent,
                                               ConfigDialogProc, 0);
        if (result == 0) {
            settings.width = width;
            settings.height = height;
            return 0;
        }
        if (result != 1) return -1;
        if (settings.width >= 1 && settings.height >= 1) {
            SaveSettings(settings, state.pluginName);
            return 0;
        }
        MessageBoxW(parent, WideFromCp932(kSizeMessage).c_str(),
                    WideFromCp932(PluginTitle(kSizeCaptionSuffix)).c_str(), MB_ICONINFORMATION | MB_OK);
    }
}
