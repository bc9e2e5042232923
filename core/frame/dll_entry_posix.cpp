#include <dlfcn.h>

#include "core/frame/plugin_state.h"

// The shared object's counterpart of process attach.
__attribute__((constructor)) static void AttachOnLoad() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&AttachOnLoad), &info);
    AttachPlugin(info.dli_fbase);
}
