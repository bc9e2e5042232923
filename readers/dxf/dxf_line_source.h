// The lines of a DXF input: ended by CR, LF or CR LF, at most 511
// characters each, and a last line without a line break is not returned.
#pragma once

#include <string_view>

#include "readers/common/reader_input.h"

class DxfLineSource {
public:
    // `textMode`: the input is a file read as C text mode reads it, where
    // every CR right before an LF vanishes first (so CR CR LF is one break).
    DxfLineSource(ByteSpan bytes, bool textMode);
    // A picture request's input: a file (text mode) or a memory image. A
    // drawing is read once, front to back, so the pages of a mapped file
    // that were passed are given back as the reading goes on.
    explicit DxfLineSource(const InputSource& input);

    // False at the end of the input, or for a last line without a break.
    bool ReadDxfLine(std::string_view& line);

    // After the value of a group code of 1000 or more: when that line was cut
    // at 511 characters, passes over the rest of it and its line break.
    void SkipDxfLineRest();

private:
    bool IsBreak(size_t at) const;
    // Moves past the break at `at` (CR, LF or CR LF as one).
    void ConsumeBreak(size_t at);

    const char* text_;
    size_t size_;
    size_t position_ = 0;
    bool textMode_;
    bool lastLineCut_ = false;
    const InputSource* input_ = nullptr;
    size_t forgottenUpTo_ = 0;
};
