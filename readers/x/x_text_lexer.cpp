#include "readers/x/x_text_lexer.h"

#include <charconv>

#include "readers/common/text_input.h"

using namespace x_text;

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

bool StartsNumber(char c) { return Is(c, kDigit) || c == '-' || c == '+' || c == '.'; }

}  // namespace

size_t x_text::ParsePlainDecimal(const char* first, const char* last, float& value) {
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (p < last && (*p == '-' || *p == '+')) ++p;
    uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    for (; p < last && Is(*p, kDigit); ++p, ++digits) mantissa = mantissa * 10 + uint64_t(*p - '0');
    if (p < last && *p == '.') {
        for (++p; p < last && Is(*p, kDigit); ++p, ++digits, ++fraction) mantissa = mantissa * 10 + uint64_t(*p - '0');
    }
    if (digits == 0 || digits > 15 || fraction > 12) return 0;
    if (p < last && (*p == 'e' || *p == 'E')) return 0;
    const double magnitude = double(mantissa) / kPowersOfTen[fraction];
    value = float(negative ? -magnitude : magnitude);
    return size_t(p - first);
}

bool XTextLexer::SkipComment() {
    const char c = text_[position_];
    if (c == '/' && (position_ + 1 >= text_.size() || text_[position_ + 1] != '/')) return false;
    const size_t lineEnd = text_.find('\n', position_);
    position_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
    return true;
}

// Exponents, long mantissas, inf and nan; underflow gives zero and overflow
// infinity, as scanf reads them.
bool XTextLexer::ReadGeneralFloat(float& value) {
    const char* first = text_.data() + position_;
    const char* last = text_.data() + text_.size();
    const char* start = first + (*first == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(start, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (ParseCFloat(std::string_view(first, size_t(end - first)), value) == 0) return false;
    } else if (error != std::errc{}) {
        return false;
    }
    if (!EndsNumber(end)) return false;
    position_ = size_t(end - text_.data());
    return true;
}

XToken XTextLexer::Peek() {
    if (invalid_) return XToken::Invalid;
    if (!SkipBlanks(false)) return XToken::End;
    const char c = text_[position_];
    switch (c) {
        case '{': return XToken::OpenBrace;
        case '}': return XToken::CloseBrace;
        case ',': case ';': return XToken::Separator;
        case '"': return XToken::String;
        case '<': return XToken::Guid;
        default: break;
    }
    if (Is(c, kPunctuation)) return XToken::Other;
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

