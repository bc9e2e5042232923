#include <windows.h>

#include "core/frame/plugin_state.h"

// No deliverable holds anything that needs releasing at detach, so every
// event but attach is passed over.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) AttachPlugin(instance);
    return TRUE;
}
