#include "core/frame/format_plugin.h"
#include "readers/dxf/dxf_reader.h"

// Recognised by the ".dxf" extension alone; the file is not opened for it.
extern const FormatPlugin prismocadFormat = {
    .pluginName = "prismocad",
    .extension = ".dxf",
    .fileHeadBytes = 0,
    .fileHeadTextMode = false,
    .memoryHeadBytes = 0,
    .Recognize = nullptr,
    .ReadModel = ReadDxfModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
