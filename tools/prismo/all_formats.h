// Every format descriptor of the family, for reading models without a plug-in.
#pragma once

#include <span>

#include "core/frame/format_plugin.h"

std::span<const FormatPlugin* const> AllFormats();
