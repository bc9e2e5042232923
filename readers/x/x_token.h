// What comes next in a .x body, the same for the text and the binary form.
#pragma once

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
