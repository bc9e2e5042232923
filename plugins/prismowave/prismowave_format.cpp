#include "core/frame/format_plugin.h"
#include "readers/lwo/lwo_reader.h"

extern const FormatPlugin prismowaveFormat = {
    .pluginName = "prismowave",
    .extension = nullptr,
    .fileHeadBytes = 16,
    .fileHeadTextMode = false,
    .memoryHeadBytes = 16,
    .Recognize = RecognizeLwo,
    .ReadModel = ReadLwoModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
