// Compiled into each deliverable with PRISMO_PLUGIN_FORMAT naming its format.
#include "core/frame/format_plugin.h"

extern const FormatPlugin PRISMO_PLUGIN_FORMAT;

const FormatPlugin& ThisPlugin() { return PRISMO_PLUGIN_FORMAT; }
