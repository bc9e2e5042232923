// The text format regedit exports ("Windows Registry Editor Version 5.00"),
// in which the native builds keep their registry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RegFileValue {
    std::string name;
    uint32_t type;
    std::vector<uint8_t> data;
};

struct RegFileKey {
    std::string path;  // full path, "HKEY_CURRENT_USER\..."
    std::vector<RegFileValue> values;
};

struct RegFileDocument {
    std::vector<RegFileKey> keys;
};

// Reads as far as the text is valid: a malformed or cut line ends the
// document, and what came before it is kept.
RegFileDocument ParseRegFile(std::string_view text);
std::string FormatRegFile(const RegFileDocument& document);
