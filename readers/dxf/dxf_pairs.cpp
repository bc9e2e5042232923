#include "readers/dxf/dxf_pairs.h"

#include "readers/common/text_input.h"

namespace {

constexpr int32_t kFirstLongValueCode = 1000;

// A line is C text: it ends at its first zero byte. The number parsers stop
// there by themselves; a word needs the test.
bool EndsWord(char c) { return c == '\0' || IsCSpace(c); }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

bool DxfPairs::ReadCode(int32_t& code) {
    std::string_view line;
    if (!lines_.ReadDxfLine(line)) return false;
    code = DxfDecimal(line);
    return true;
}

bool DxfPairs::ReadValue(int32_t code, std::string_view& value) {
    if (!lines_.ReadDxfLine(value)) return false;
    if (code >= kFirstLongValueCode) lines_.SkipDxfLineRest();
    return true;
}

bool DxfNameIs(std::string_view value, std::string_view keyword) {
    size_t start = 0;
    while (start < value.size() && IsCSpace(value[start])) ++start;
    size_t end = start;
    while (end < value.size() && !EndsWord(value[end])) ++end;
    if (end - start != keyword.size()) return false;
    for (size_t i = 0; i < keyword.size(); ++i) {
        if (UpperAscii(value[start + i]) != keyword[i]) return false;
    }
    return true;
}

bool ConvertDxfFloat(std::string_view value, float& out) { return ParseCFloat(value, out) > 0; }

bool ConvertDxfInt(std::string_view value, int32_t& out) { return ParseCInt(value, out) > 0; }

int32_t DxfDecimal(std::string_view value) {
    int32_t number = 0;
    ParseCInt(value, number);
    return number;
}
