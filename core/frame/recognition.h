// Whether a deliverable reads a file, asked by path or with the file's
// first bytes in the host's memory.
#pragma once

#include "core/frame/format_plugin.h"
#include "core/frame/susie_api.h"

// `second` is IsSupported's second argument: with its upper 16 bits zero the
// file is opened by name, otherwise it is the address of the file's head.
bool RecognizeInput(const FormatPlugin& plugin, const char* fileName, SusieWord second);
