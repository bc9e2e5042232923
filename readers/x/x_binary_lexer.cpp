#include "readers/x/x_binary_lexer.h"

namespace {

enum : uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
};

bool IsSyntaxToken(uint16_t code) {
    return (code >= 12 && code <= 18) || code == 31 || (code >= 40 && code <= 53);
}

}  // namespace

// Sizes the token at the read position without consuming it; false when it
// is unknown or its data runs past the end.
bool XBinaryLexer::Measure(Token& token) const {
    const size_t left = body_.size() - position_;
    if (left < 2) return false;
    const uint8_t* here = body_.data() + position_;
    token.code = LoadLe16(here);
    uint64_t size = 2;
    switch (token.code) {
        case kName:
        case kString:
            if (left < 6) return false;
            size = 6 + uint64_t(LoadLe32(here + 2)) + (token.code == kString ? 2 : 0);
            break;
        case kInteger: size = 6; break;
        case kGuid: size = 18; break;
        case kIntegerList:
        case kFloatList: {
            if (left < 6) return false;
            const uint64_t width = token.code == kIntegerList || !doubleFloats_ ? 4 : 8;
            size = 6 + uint64_t(LoadLe32(here + 2)) * width;
            break;
        }
        case kOpenBrace: case kCloseBrace: case kComma: case kSemicolon: break;
        default:
            if (!IsSyntaxToken(token.code)) return false;
    }
    if (size > left) return false;
    token.size = size_t(size);
    return true;
}

XToken XBinaryLexer::Peek() {
    if (listLeft_ > 0) return XToken::Number;
    if (position_ == body_.size()) return XToken::End;
    Token token;
    if (!Measure(token)) return XToken::Invalid;
    switch (token.code) {
        case kName: return XToken::Name;
        case kString: return XToken::String;
        case kInteger: case kIntegerList: case kFloatList: return XToken::Number;
        case kGuid: return XToken::Guid;
        case kOpenBrace: return XToken::OpenBrace;
        case kCloseBrace: return XToken::CloseBrace;
        case kComma: case kSemicolon: return XToken::Separator;
        case kTemplate: return XToken::Template;
        default: return XToken::Other;
    }
}

bool XBinaryLexer::Take(XToken kind) {
    if (Peek() != kind) return false;
    SkipToken();
    return true;
}

bool XBinaryLexer::TakeName(std::string_view& name) {
    if (Peek() != XToken::Name) return false;
    const uint8_t* here = body_.data() + position_;
    name = {reinterpret_cast<const char*>(here + 6), LoadLe32(here + 2)};
    position_ += 6 + name.size();
    return true;
}

void XBinaryLexer::SkipToken() {
    if (listLeft_ > 0) {
        position_ += size_t(listLeft_) * (listOfFloats_ && doubleFloats_ ? 8 : 4);
        listLeft_ = 0;
        return;
    }
    Token token;
    if (Measure(token)) position_ += token.size;
}

// Enters the list token at the read position (already measured).
void XBinaryLexer::StartList() {
    const uint8_t* here = body_.data() + position_;
    listOfFloats_ = LoadLe16(here) == kFloatList;
    listLeft_ = LoadLe32(here + 2);
    position_ += 6;
}

bool XBinaryLexer::ReadUintFromNextToken(uint32_t& value) {
    for (;;) {
        if (listLeft_ > 0) {
            if (listOfFloats_) return false;
            value = LoadLe32(body_.data() + position_);
            position_ += 4;
            --listLeft_;
            return true;
        }
        Token token;
        if (!Measure(token)) return false;
        if (token.code == kInteger) {
            value = LoadLe32(body_.data() + position_ + 2);
            position_ += token.size;
            return true;
        }
        if (token.code == kIntegerList) {
            StartList();
        } else if (token.code == kComma || token.code == kSemicolon) {
            position_ += token.size;
        } else {
            return false;
        }
    }
}

bool XBinaryLexer::ReadFloatFromNextToken(float& value) {
    for (;;) {
        if (listLeft_ > 0) {
            const uint8_t* here = body_.data() + position_;
            if (!listOfFloats_) {
                value = float(LoadLe32(here));
                position_ += 4;
            } else if (doubleFloats_) {
                value = float(DoubleFromBits(LoadLe64(here)));
                position_ += 8;
            } else {
                value = LoadLeFloat(here);
                position_ += 4;
            }
            --listLeft_;
            return true;
        }
        Token token;
        if (!Measure(token)) return false;
        if (token.code == kInteger) {
            value = float(LoadLe32(body_.data() + position_ + 2));
            position_ += token.size;
            return true;
        }
        if (token.code == kIntegerList || token.code == kFloatList) {
            StartList();
        } else if (token.code == kComma || token.code == kSemicolon) {
            position_ += token.size;
        } else {
            return false;
        }
    }
}

