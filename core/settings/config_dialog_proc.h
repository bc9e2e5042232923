// The procedure of the "CFGDLG" dialog: edits the process-wide settings.
#pragma once

#include <windows.h>

#include <string>

// The dialog's control ids.
enum ConfigDialogControl : int {
    kPreviewControl = 1000,
    kWidthField = 1001,
    kHeightField = 1002,
    kSolidButton = 1003,
    kWireframeButton = 1004,
    kViewResetButton = 1005,
    kHiddenLineButton = 1006,
    kShareBox = 1007,
    kObjectColorButton = 1008,
    kBackgroundColorButton = 1009,
    kObjectSwatch = 1010,
    kBackgroundSwatch = 1011,
};

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// "<pluginName><suffix>" in code page 932 bytes.
std::string PluginTitle(const char* suffix);
