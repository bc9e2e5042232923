#include "core/frame/format_plugin.h"
#include "readers/x/x_reader.h"

// Every failure to read the input is the loader failure, 7, with the host's
// slots untouched; a file that reads but holds no vertex or face gives 2.
extern const FormatPlugin prismodirectFormat = {
    .pluginName = "prismodirect",
    .extension = nullptr,
    .fileHeadBytes = 8,
    .fileHeadTextMode = true,
    .memoryHeadBytes = 8,
    .Recognize = RecognizeX,
    .ReadModel = ReadXModel,
    .readsFileByPath = false,
    .openFailureResult = 7,
    .readFailureResult = 7,
    .keepsSlotsOnReadFailure = true,
};
