#include "core/frame/format_plugin.h"
#include "readers/ply/ply_reader.h"

// The parser opens the file itself and reads it in blocks, so nothing of a
// large scan is mapped; recognition by path needs the whole header.
extern const FormatPlugin prismoscanFormat = {
    .pluginName = "prismoscan",
    .extension = nullptr,
    .fileHeadBytes = kWholeFile,
    .fileHeadTextMode = false,
    .memoryHeadBytes = 2000,
    .Recognize = RecognizePly,
    .ReadModel = ReadPlyModel,
    .readsFileByPath = true,
    .openFailureResult = 2,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = true,
};
