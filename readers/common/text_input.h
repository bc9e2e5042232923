// Small text helpers shared by the line-based readers.
#pragma once

#include <string>
#include <string_view>

#include "readers/common/byte_input.h"

// The C library's isspace in the "C" locale, without its locale lookup.
inline bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline std::string_view AsText(ByteSpan bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// What C text mode ("r", "rt") reads from these bytes: every carriage return
// that is followed by a line feed is dropped, so Linux and Windows builds
// read the same text from the same file.
std::string FoldTextMode(ByteSpan bytes);

// The lower-cased extension of a path, dot included ("" when there is none).
std::string LowerExtension(std::string_view path);

// Parses a C-style floating-point number ("%g" of scanf: leading white space,
// sign, decimal or hexadecimal digits, exponent, inf, nan) at the start of
// `text`. Returns the number of characters used, 0 when there is no number.
size_t ParseCFloat(std::string_view text, float& out);
size_t ParseCDouble(std::string_view text, double& out);

// atoi/strtol-like: optional white space and sign, then decimal digits.
// Returns the number of characters used, 0 when no digit was found (out = 0).
// Values beyond the int32 range saturate, as strtol's do at its limits.
size_t ParseCInt(std::string_view text, int32_t& out);
