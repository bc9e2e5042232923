// Tokens of the text form of a .x body. Carriage returns are white space, so
// CR LF and LF files read alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/x/x_token.h"

namespace x_text {

enum CharClass : uint8_t {
    kBlank = 1,        // white space
    kSeparator = 2,    // ',' ';'
    kPunctuation = 4,  // braces, brackets, quotes, separators: never part of a word
    kDigit = 8,
};

constexpr std::array<uint8_t, 256> MakeClasses() {
    std::array<uint8_t, 256> classes{};
    for (char c : std::string_view(" \t\n\v\f\r")) classes[uint8_t(c)] = kBlank;
    for (char c : std::string_view(",;")) classes[uint8_t(c)] = kSeparator | kPunctuation;
    for (char c : std::string_view("{}<>\"()[]")) classes[uint8_t(c)] = kPunctuation;
    for (char c = '0'; c <= '9'; ++c) classes[uint8_t(c)] = kDigit;
    return classes;
}
inline constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

inline bool Is(char c, uint8_t classes) { return (kClasses[uint8_t(c)] & classes) != 0; }
inline bool IsWordChar(char c) { return !Is(c, kBlank | kPunctuation); }

// A decimal number without exponent, of at most 15 digits of which at most
// 12 follow the point: the quotient of two exact doubles, rounded once to
// double and once to float, is then the correctly rounded float. Returns the
// characters used, 0 to leave the number to the general parser.
size_t ParsePlainDecimal(const char* first, const char* last, float& value);

}  // namespace x_text

class XTextLexer {
public:
    explicit XTextLexer(std::string_view text) : text_(text) {}

    XToken Peek();
    // Consumes the next token when it is of `kind`.
    bool Take(XToken kind);
    // A name, or any other run of word characters (names may start with a digit).
    bool TakeName(std::string_view& name);
    // The next number, skipping the separators before it.
    bool ReadUint(uint32_t& value) {
        if (!SkipBlanks(true)) return false;
        const char* first = text_.data() + position_;
        const char* last = text_.data() + text_.size();
        const char* p = first + (*first == '+' ? 1 : 0);
        const char* digits = p;
        uint64_t number = 0;
        while (p < last && x_text::Is(*p, x_text::kDigit) && number <= UINT32_MAX) number = number * 10 + uint64_t(*p++ - '0');
        if (p == digits || number > UINT32_MAX || !EndsNumber(p)) return false;
        value = uint32_t(number);
        position_ = size_t(p - text_.data());
        return true;
    }
    bool ReadFloat(float& value) {
        if (!SkipBlanks(true)) return false;
        const char* first = text_.data() + position_;
        const char* last = text_.data() + text_.size();
        const size_t used = x_text::ParsePlainDecimal(first, last, value);
        if (used == 0) return ReadGeneralFloat(value);
        if (!EndsNumber(first + used)) return false;
        position_ += used;
        return true;
    }
    // Skips one token: a word, a string, a GUID or a single character.
    void SkipToken();
    size_t RemainingBytes() const { return text_.size() - position_; }

private:
    // Skips white space and comments (and separators); false at the end.
    bool SkipBlanks(bool separatorsToo) {
        const uint8_t skipped = separatorsToo ? x_text::kBlank | x_text::kSeparator : x_text::kBlank;
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (x_text::Is(c, skipped)) {
                ++position_;
            } else if (c == '#' || c == '/') {
                if (!SkipComment()) return true;
            } else {
                return true;
            }
        }
        return false;
    }
    bool SkipComment();
    bool ReadGeneralFloat(float& value);
    bool SkipPast(char terminator);
    size_t WordEnd(size_t from) const;
    // A number must not run on into a word ("1.#QNAN", "12abc"); a "//"
    // comment may follow it directly.
    bool EndsNumber(const char* at) const {
        const char* end = text_.data() + text_.size();
        if (at == end || !x_text::IsWordChar(*at)) return true;
        return at[0] == '/' && at + 1 < end && at[1] == '/';
    }

    std::string_view text_;
    size_t position_ = 0;
    bool invalid_ = false;
};
