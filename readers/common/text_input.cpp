#include "readers/common/text_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

std::string FoldTextMode(ByteSpan bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text.push_back(static_cast<char>(bytes[i]));
    }
    return text;
}

std::string LowerExtension(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string extension(path.substr(dot));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return extension;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

inline float StrtoFloating(const char* text, char** end, float) { return std::strtof(text, end); }
inline double StrtoFloating(const char* text, char** end, double) { return std::strtod(text, end); }

// The spellings from_chars does not take (hexadecimal digits) and values out
// of range go to strtof/strtod on a bounded, zero-terminated copy.
template <typename T>
size_t ParseWithStrto(std::string_view text, T& out) {
    char buffer[128];
    const size_t length = std::min(text.size(), sizeof buffer - 1);
    text.copy(buffer, length);
    buffer[length] = '\0';
    char* end = nullptr;
    const T value = StrtoFloating(buffer, &end, T{});
    if (end == buffer) return 0;
    out = value;
    return static_cast<size_t>(end - buffer);
}

// Plain decimals ("-12.375", "0.5", "3") without an exponent, up to 15
// significant digits: mantissa / 10^k with both exact in double is
// correctly rounded, and so is its narrowing to float (a double holds more
// than twice float's digits, so the second rounding cannot err).
template <typename T>
bool ParsePlainDecimal(const char*& p, const char* last, T& out) {
    const char* q = p;
    uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    for (; q < last && uint32_t(uint8_t(*q)) - '0' <= 9; ++q, ++digits) mantissa = mantissa * 10 + uint32_t(*q - '0');
    if (q < last && *q == '.') {
        for (++q; q < last && uint32_t(uint8_t(*q)) - '0' <= 9; ++q, ++digits, ++fraction) {
            mantissa = mantissa * 10 + uint32_t(*q - '0');
        }
    }
    if (digits == 0 || digits > 15 || (q < last && (*q == 'e' || *q == 'E'))) return false;
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    static constexpr float kFloatPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    if constexpr (std::is_same_v<T, float>) {
        // Both exact in float (10^10 is 2^10 x 5^10, and 5^10 < 2^24): one
        // float division, correctly rounded and quicker than a double's.
        if (mantissa < (uint64_t(1) << 24) && fraction <= 10) {
            out = float(uint32_t(mantissa)) / kFloatPowers[fraction];
            p = q;
            return true;
        }
    }
    out = static_cast<T>(double(mantissa) / kPowers[fraction]);
    p = q;
    return true;
}

template <typename T>
size_t ParseFloating(std::string_view text, T& out) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    const size_t start = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const bool hexadecimal = i + 1 < text.size() && text[i] == '0' && (text[i + 1] | 0x20) == 'x';
    if (!hexadecimal) {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0;
        T value{};
        const char* first = text.data() + i;
        const char* plainEnd = first;
        if (ParsePlainDecimal(plainEnd, text.data() + text.size(), value)) {
            out = negative ? -value : value;
            return static_cast<size_t>(plainEnd - text.data());
        }
        const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
        if (end == first) return 0;
        if (error == std::errc{}) {
            out = negative ? -value : value;
            return static_cast<size_t>(end - text.data());
        }
    }
    const size_t used = ParseWithStrto(text.substr(start), out);
    return used ? start + used : 0;
}

}  // namespace

size_t ParseCFloat(std::string_view text, float& out) { return ParseFloating(text, out); }
size_t ParseCDouble(std::string_view text, double& out) { return ParseFloating(text, out); }

size_t ParseCInt(std::string_view text, int32_t& out) {
    out = 0;
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return 0;
    int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value <= int64_t{std::numeric_limits<int32_t>::max()} + 1) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    out = static_cast<int32_t>(value);
    return i;
}
