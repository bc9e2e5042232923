#include "core/frame/format_plugin.h"
#include "readers/3ds/studio_reader.h"

extern const FormatPlugin prismostudioFormat = {
    .pluginName = "prismostudio",
    .extension = nullptr,
    .fileHeadBytes = 30,
    .fileHeadTextMode = false,
    .memoryHeadBytes = 30,
    .Recognize = Recognize3ds,
    .ReadModel = Read3dsModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
