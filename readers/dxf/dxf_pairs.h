// DXF group pairs: a code line, then a value line, and the value
// conversions the entity readers use.
#pragma once

#include <cstdint>
#include <string_view>

#include "readers/dxf/dxf_line_source.h"

class DxfPairs {
public:
    explicit DxfPairs(DxfLineSource& lines) : lines_(lines) {}

    // The code line as a decimal integer (0 when it holds no number); false
    // when there is no line.
    bool ReadCode(int32_t& code);
    // The value line of `code`. Values of codes 1000 and more are passed
    // over whole, however long, so that the next code line is the real one.
    bool ReadValue(int32_t code, std::string_view& value);
    bool ReadPair(int32_t& code, std::string_view& value) { return ReadCode(code) && ReadValue(code, value); }

private:
    DxfLineSource& lines_;
};

// The first word of a name value, compared case-blind with an upper-case
// keyword: "  3dface" names "3DFACE".
bool DxfNameIs(std::string_view value, std::string_view keyword);

// "%g" into a float, "%d" into an int32: false when nothing converts.
bool ConvertDxfFloat(std::string_view value, float& out);
bool ConvertDxfInt(std::string_view value, int32_t& out);
// A flag read like a group code: 0 when there is no number.
int32_t DxfDecimal(std::string_view value);
