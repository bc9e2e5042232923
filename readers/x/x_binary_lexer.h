// Tokens of the binary form of a .x body: 2-byte token codes, some followed
// by their data (a name's characters, a number list).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/common/byte_input.h"
#include "readers/x/x_token.h"

class XBinaryLexer {
public:
    XBinaryLexer(ByteSpan body, bool doubleFloats) : body_(body), doubleFloats_(doubleFloats) {}

    // A number list that is being read counts as one Number token.
    XToken Peek();
    bool Take(XToken kind);
    bool TakeName(std::string_view& name);
    // The next number of the current list, or of the next integer token or list.
    bool ReadUint(uint32_t& value) {
        if (listLeft_ == 0 || listOfFloats_) return ReadUintFromNextToken(value);
        value = LoadLe32(body_.data() + position_);
        position_ += 4;
        --listLeft_;
        return true;
    }
    bool ReadFloat(float& value) {
        if (listLeft_ == 0 || !listOfFloats_ || doubleFloats_) return ReadFloatFromNextToken(value);
        value = LoadLeFloat(body_.data() + position_);
        position_ += 4;
        --listLeft_;
        return true;
    }
    // Skips one token with its data; the rest of a list being read is one token.
    void SkipToken();
    size_t RemainingBytes() const { return body_.size() - position_; }

private:
    struct Token {
        uint16_t code = 0;
        size_t size = 0;  // bytes of the token with its data
    };
    bool Measure(Token& token) const;
    void StartList();
    bool ReadUintFromNextToken(uint32_t& value);
    bool ReadFloatFromNextToken(float& value);

    ByteSpan body_;
    bool doubleFloats_;
    size_t position_ = 0;
    uint32_t listLeft_ = 0;  // numbers of the current list still to read
    bool listOfFloats_ = false;
};
