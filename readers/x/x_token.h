// What comes next in a .x body, the same for the text and the binary form.
#pragma once

#include <cstddef>

enum class XToken {
    End,         // the body ends cleanly here
    Invalid,     // bytes that are no token, or a token cut off by the end
    Name,        // an identifier or object name
    Number,      // a number, or (binary) a list of them
    String,      // a quoted string
    Guid,        // <xxxxxxxx-...>
    OpenBrace,
    CloseBrace,
    Separator,   // ',' or ';'
    Template,    // the binary template keyword (text spells it as a name)
    Other,       // template syntax: brackets, parentheses, type keywords
};

// After an opening brace: skips to just past its closing brace, nested
// bodies included, in either form's lexer. False when the body is cut off.
template <typename Lexer>
bool SkipXBody(Lexer& lexer) {
    size_t depth = 1;
    while (depth > 0) {
        switch (lexer.Peek()) {
            case XToken::End: case XToken::Invalid: return false;
            case XToken::OpenBrace: ++depth; break;
            case XToken::CloseBrace: --depth; break;
            default: break;
        }
        lexer.SkipToken();
    }
    return true;
}
