#include <cstdio>

#include "core/frame/file_bytes.h"
#include "readers/common/text_input.h"

bool ReadFileHead(const char* path, int32_t count, bool textMode, std::vector<uint8_t>& head) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    // Folding at most halves the bytes: 2n + 1 raw bytes always give n
    // characters, the last byte being needed only to see whether a CR at
    // 2n - 1 is followed by LF.
    const size_t raw = textMode ? size_t(count) * 2 + 1 : size_t(count);
    head.resize(raw);
    head.resize(std::fread(head.data(), 1, raw, file));
    std::fclose(file);
    if (textMode) {
        const std::string folded = FoldTextMode(head);
        head.assign(folded.begin(), folded.end());
        if (head.size() > size_t(count)) head.resize(size_t(count));
    }
    return true;
}
