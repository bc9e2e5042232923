// Tokens of the text form of a .x body. Carriage returns are white space, so
// CR LF and LF files read alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/x/x_token.h"

class XTextLexer {
public:
    explicit XTextLexer(std::string_view text) : text_(text) {}

    XToken Peek();
    // Consumes the next token when it is of `kind`.
    bool Take(XToken kind);
    // A name, or any other run of word characters (names may start with a digit).
    bool TakeName(std::string_view& name);
    // The next number, skipping the separators before it.
    bool ReadUint(uint32_t& value);
    bool ReadFloat(float& value);
    // Skips one token: a word, a string, a GUID or a single character.
    void SkipToken();
    // After an opening brace: skips to just past its closing brace.
    bool SkipBody();
    size_t RemainingBytes() const { return text_.size() - position_; }

private:
    void SkipBlanks(bool separatorsToo);
    bool SkipPast(char terminator);
    size_t WordEnd(size_t from) const;
    bool EndsNumber(size_t at) const;

    std::string_view text_;
    size_t position_ = 0;
    bool invalid_ = false;
};
