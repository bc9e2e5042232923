#include "core/frame/format_plugin.h"
#include "readers/rok/rok_reader.h"

extern const FormatPlugin prismohexaFormat = {
    .pluginName = "prismohexa",
    .extension = nullptr,
    .fileHeadBytes = 2000,
    .fileHeadTextMode = true,
    .memoryHeadBytes = 2000,
    .Recognize = RecognizeRok,
    .ReadModel = ReadRokModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
