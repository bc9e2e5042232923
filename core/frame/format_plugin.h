// What a deliverable supplies to the frame: its name, how its format is
// recognised and read, and the few results that differ between formats.
#pragma once

#include <cstdint>

#include "core/model/model_geometry.h"
#include "readers/common/reader_input.h"

constexpr int32_t kWholeFile = -1;

struct FormatPlugin {
    const char* pluginName;        // also the settings subkey and the identity row
    const char* extension;         // lower-case extension required first, or null
    int32_t fileHeadBytes;         // read from a file by name; 0: the file is not opened; kWholeFile
    bool fileHeadTextMode;         // read the file head as C text mode does (CR LF as LF)
    int32_t memoryHeadBytes;       // copied from the host's buffer
    bool (*Recognize)(const RecognitionInput& input);  // null: the extension decides
    int32_t (*ReadModel)(const InputSource& input, ModelGeometry& model);  // 0 on success
    bool readsFileByPath;          // the reader opens `path` itself; the frame maps nothing
    int32_t openFailureResult;     // a file that cannot be opened
    int32_t readFailureResult;     // ReadModel failed
    bool keepsSlotsOnReadFailure;  // the host's slots stay untouched then
};

// The plug-in that this module is; each deliverable defines it.
const FormatPlugin& ThisPlugin();
