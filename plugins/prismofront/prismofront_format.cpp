#include "core/frame/format_plugin.h"
#include "readers/obj/obj_reader.h"

extern const FormatPlugin prismofrontFormat = {
    .pluginName = "prismofront",
    .extension = nullptr,
    .fileHeadBytes = 2000,
    .fileHeadTextMode = true,
    .memoryHeadBytes = 2000,
    .Recognize = RecognizeObj,
    .ReadModel = ReadObjModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
