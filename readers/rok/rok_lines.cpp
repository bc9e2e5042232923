#include "readers/rok/rok_lines.h"

#include <algorithm>

namespace {

constexpr size_t kLineCharacters = 127;

}  // namespace

bool RokLineReader::Next(std::string_view& line) {
    if (position_ >= size_) return false;
    size_t end = position_;
    while (end < size_ && text_[end] != '\r' && text_[end] != '\n') ++end;
    std::string_view whole(text_ + position_, end - position_);
    // The line is C text: it ends at its first zero byte.
    whole = whole.substr(0, std::min(whole.find('\0'), kLineCharacters));
    line = whole;
    position_ = end + 1;  // past the terminator, or past the end
    return true;
}
