#include "core/settings/config_dialog.h"

// Builds without the Win32 dialog cannot show it.
int32_t RunConfigurationDialog(SusieWindow) { return -1; }
