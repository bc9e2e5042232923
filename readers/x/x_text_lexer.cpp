#include "readers/x/x_text_lexer.h"

#include <charconv>

#include "readers/common/text_input.h"

namespace {

bool IsPunctuation(char c) {
    switch (c) {
        case ',': case ';': case '{': case '}': case '<': case '>':
        case '"': case '(': case ')': case '[': case ']':
            return true;
        default:
            return false;
    }
}

bool IsWordChar(char c) { return !IsCSpace(c) && !IsPunctuation(c); }

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

}  // namespace

void XTextLexer::SkipBlanks(bool separatorsToo) {
    while (position_ < text_.size()) {
        const char c = text_[position_];
        if (IsCSpace(c) || (separatorsToo && (c == ',' || c == ';'))) {
            ++position_;
        } else if (c == '#' || (c == '/' && position_ + 1 < text_.size() && text_[position_ + 1] == '/')) {
            const size_t lineEnd = text_.find('\n', position_);
            position_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
        } else {
            return;
        }
    }
}

XToken XTextLexer::Peek() {
    if (invalid_) return XToken::Invalid;
    SkipBlanks(false);
    if (position_ >= text_.size()) return XToken::End;
    const char c = text_[position_];
    switch (c) {
        case '{': return XToken::OpenBrace;
        case '}': return XToken::CloseBrace;
        case ',': case ';': return XToken::Separator;
        case '"': return XToken::String;
        case '<': return XToken::Guid;
        default: break;
    }
    if (IsPunctuation(c)) return XToken::Other;
    return StartsNumber(c) ? XToken::Number : XToken::Name;
}

bool XTextLexer::Take(XToken kind) {
    if (Peek() != kind) return false;
    SkipToken();
    return true;
}

size_t XTextLexer::WordEnd(size_t from) const {
    while (from < text_.size() && IsWordChar(text_[from])) ++from;
    return from;
}

bool XTextLexer::TakeName(std::string_view& name) {
    const XToken kind = Peek();
    if (kind != XToken::Name && kind != XToken::Number) return false;
    const size_t end = WordEnd(position_);
    name = text_.substr(position_, end - position_);
    position_ = end;
    return true;
}

bool XTextLexer::SkipPast(char terminator) {
    const size_t at = text_.find(terminator, position_ + 1);
    if (at == std::string_view::npos) {
        invalid_ = true;
        position_ = text_.size();
        return false;
    }
    position_ = at + 1;
    return true;
}

void XTextLexer::SkipToken() {
    switch (Peek()) {
        case XToken::End: case XToken::Invalid: return;
        case XToken::String: SkipPast('"'); return;
        case XToken::Guid: SkipPast('>'); return;
        case XToken::Name: case XToken::Number: position_ = WordEnd(position_); return;
        default: ++position_; return;
    }
}

// A number must not run on into a word ("1.#QNAN", "12abc").
bool XTextLexer::EndsNumber(size_t at) const {
    if (at >= text_.size()) return true;
    const char c = text_[at];
    return !IsWordChar(c) || c == '#' || c == '/';
}

bool XTextLexer::ReadUint(uint32_t& value) {
    if (invalid_) return false;
    SkipBlanks(true);
    const char* first = text_.data() + position_;
    const char* last = text_.data() + text_.size();
    if (first < last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc{} || !EndsNumber(size_t(end - text_.data()))) return false;
    position_ = size_t(end - text_.data());
    return true;
}

bool XTextLexer::ReadFloat(float& value) {
    if (invalid_) return false;
    SkipBlanks(true);
    const char* first = text_.data() + position_;
    const char* last = text_.data() + text_.size();
    if (first < last && *first == '+') ++first;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Underflow to zero and overflow to infinity, as scanf reads them.
        const size_t used = ParseCFloat(text_.substr(position_, size_t(end - (text_.data() + position_))), value);
        if (used == 0) return false;
    } else if (error != std::errc{}) {
        return false;
    }
    if (!EndsNumber(size_t(end - text_.data()))) return false;
    position_ = size_t(end - text_.data());
    return true;
}

bool XTextLexer::SkipBody() {
    size_t depth = 1;
    while (depth > 0) {
        switch (Peek()) {
            case XToken::End: case XToken::Invalid: return false;
            case XToken::OpenBrace: ++depth; break;
            case XToken::CloseBrace: --depth; break;
            default: break;
        }
        SkipToken();
    }
    return true;
}
