#include "core/settings/render_settings.h"

void ApplyAttachDefaults(RenderSettings& settings) {
    for (int i = 0; i < 16; ++i) settings.viewMatrix[i] = (i % 5 == 0) ? 1.0 : 0.0;
    settings.objectColor = 0x00F2F2F2;
    settings.backgroundColor = 0x00664C00;
}
