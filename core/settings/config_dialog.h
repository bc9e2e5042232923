// The settings dialog behind ConfigurationDlg(parent, 1).
#pragma once

#include <cstdint>

#include "core/frame/susie_api.h"

// 0 when the dialog was closed (saved or abandoned), -1 when it cannot be shown.
int32_t RunConfigurationDialog(SusieWindow parent);
