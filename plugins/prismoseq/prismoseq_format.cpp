#include "core/frame/format_plugin.h"
#include "readers/mqo/mqo_reader.h"

// By path the first line is read as fgets into 80 bytes in text mode would
// (at most 79 characters); the reader itself takes the raw bytes.
extern const FormatPlugin prismoseqFormat = {
    .pluginName = "prismoseq",
    .extension = ".mqo",
    .fileHeadBytes = 79,
    .fileHeadTextMode = true,
    .memoryHeadBytes = 80,
    .Recognize = RecognizeMqo,
    .ReadModel = ReadMqoModel,
    .readsFileByPath = false,
    .openFailureResult = 5,
    .readFailureResult = 2,
    .keepsSlotsOnReadFailure = false,
};
