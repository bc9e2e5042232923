#include "core/frame/recognition.h"

#include <vector>

#include "core/frame/file_bytes.h"
#include "readers/common/text_input.h"

bool RecognizeInput(const FormatPlugin& plugin, const char* fileName, SusieWord second) {
    if (plugin.extension && (!fileName || LowerExtension(fileName) != plugin.extension)) return false;
    if (!plugin.Recognize) return true;
    RecognitionInput input;
    std::vector<uint8_t> head;
    MappedFile mapped;
    if ((second >> 16) == 0) {
        // A small number: the file is named by path and read here.
        if (!fileName) return false;
        if (plugin.fileHeadBytes == kWholeFile) {
            if (!mapped.Open(fileName)) return false;
            input.head = mapped.Bytes();
        } else {
            if (!ReadFileHead(fileName, plugin.fileHeadBytes, plugin.fileHeadTextMode, head)) return false;
            input.head = head;
        }
        input.fromFile = true;
    } else {
        input.head = ByteSpan(reinterpret_cast<const uint8_t*>(second), size_t(plugin.memoryHeadBytes));
    }
    return plugin.Recognize(input);
}
