#include "readers/dxf/dxf_line_source.h"

#include <algorithm>

namespace {

// A line is at most this long; the character after it is dropped when no
// break comes first.
constexpr size_t kLineCharacters = 511;
// How much of a mapped file is read between two givings-back of its pages.
constexpr size_t kForgetStep = size_t(8) << 20;

}  // namespace

DxfLineSource::DxfLineSource(ByteSpan bytes, bool textMode)
    : text_(reinterpret_cast<const char*>(bytes.data())), size_(bytes.size()), textMode_(textMode) {}

DxfLineSource::DxfLineSource(const InputSource& input) : DxfLineSource(input.bytes, input.fromFile) {
    input_ = &input;
}

bool DxfLineSource::IsBreak(size_t at) const { return text_[at] == '\n' || text_[at] == '\r'; }

void DxfLineSource::ConsumeBreak(size_t at) {
    size_t next = at + 1;
    if (text_[at] == '\r') {
        if (next < size_ && text_[next] == '\n') {
            ++next;
        } else if (textMode_ && next + 1 < size_ && text_[next] == '\r' && text_[next + 1] == '\n') {
            // Text mode reads CR CR LF as CR LF: one break.
            next += 2;
        }
    }
    position_ = next;
}

bool DxfLineSource::ReadDxfLine(std::string_view& line) {
    lastLineCut_ = false;
    if (position_ >= size_) return false;
    if (input_ && position_ - forgottenUpTo_ >= kForgetStep) {
        input_->ForgetBefore(position_);
        forgottenUpTo_ = position_;
    }
    const size_t windowEnd = std::min(size_, position_ + kLineCharacters + 1);
    size_t at = position_;
    while (at < windowEnd && !IsBreak(at)) ++at;
    if (at < windowEnd) {
        line = std::string_view(text_ + position_, at - position_);
        ConsumeBreak(at);
        return true;
    }
    if (windowEnd - position_ <= kLineCharacters) {  // the input ends inside an unbroken line
        position_ = size_;
        return false;
    }
    line = std::string_view(text_ + position_, kLineCharacters);
    position_ += kLineCharacters + 1;
    lastLineCut_ = true;
    return true;
}

void DxfLineSource::SkipDxfLineRest() {
    if (!lastLineCut_) return;
    lastLineCut_ = false;
    size_t at = position_;
    while (at < size_ && !IsBreak(at)) ++at;
    if (at == size_) {
        position_ = size_;
        return;
    }
    ConsumeBreak(at);
}
