#include "core/settings/reg_file.h"

#include <cstdio>

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinaryType = 3;
constexpr uint32_t kRegDwordType = 4;

std::string_view TrimRight(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A quoted string with regedit's escapes; `text` starts at the opening quote.
bool ParseQuoted(std::string_view& text, std::string& out) {
    if (text.empty() || text.front() != '"') return false;
    out.clear();
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out.push_back(text[++i]);
        } else if (text[i] == '"') {
            text.remove_prefix(i + 1);
            return true;
        } else {
            out.push_back(text[i]);
        }
    }
    return false;
}

bool ParseHexBytes(std::string_view text, std::vector<uint8_t>& out) {
    out.clear();
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i == text.size()) break;
        if (i + 1 >= text.size() || HexDigit(text[i]) < 0 || HexDigit(text[i + 1]) < 0) return false;
        out.push_back(uint8_t(HexDigit(text[i]) << 4 | HexDigit(text[i + 1])));
        i += 2;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (i < text.size() && text[i++] != ',') return false;
    }
    return true;
}

bool ParseData(std::string_view text, RegFileValue& value) {
    if (!text.empty() && text.front() == '"') {
        std::string string;
        if (!ParseQuoted(text, string) || !TrimRight(text).empty()) return false;
        value.type = kRegSz;
        value.data.assign(string.begin(), string.end());
        value.data.push_back(0);
        return true;
    }
    if (text.substr(0, 6) == "dword:") {
        text.remove_prefix(6);
        if (text.size() != 8) return false;
        uint32_t number = 0;
        for (char c : text) {
            if (HexDigit(c) < 0) return false;
            number = number << 4 | uint32_t(HexDigit(c));
        }
        value.type = kRegDwordType;
        value.data = {uint8_t(number), uint8_t(number >> 8), uint8_t(number >> 16), uint8_t(number >> 24)};
        return true;
    }
    if (text.substr(0, 4) == "hex:") {
        value.type = kRegBinaryType;
        return ParseHexBytes(text.substr(4), value.data);
    }
    if (text.substr(0, 4) == "hex(") {
        const size_t close = text.find("):");
        if (close == std::string_view::npos || close == 4) return false;
        uint32_t type = 0;
        for (char c : text.substr(4, close - 4)) {
            if (HexDigit(c) < 0 || type > 0x0FFFFFFF) return false;
            type = type << 4 | uint32_t(HexDigit(c));
        }
        value.type = type;
        return ParseHexBytes(text.substr(close + 2), value.data);
    }
    return false;
}

void AppendHex(std::string& out, const std::vector<uint8_t>& data, size_t lineStart) {
    char digits[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        out += digits;
        if (i + 1 == data.size()) break;
        out += ',';
        if (out.size() - lineStart > 76) {  // regedit's continuation lines
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
    }
}

}  // namespace

RegFileDocument ParseRegFile(std::string_view text) {
    RegFileDocument document;
    bool sawHeader = false;
    std::string logical;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = TrimRight(text.substr(0, end));
        if (end == std::string_view::npos) {
            text = {};
        } else {
            text.remove_prefix(end + 1);
        }
        // A line ending in a backslash goes on in the next one.
        if (!line.empty() && line.back() == '\\') {
            logical += line.substr(0, line.size() - 1);
            if (text.empty()) break;  // cut in the middle of a value
            continue;
        }
        logical += line;
        std::string_view entry = logical;
        while (!entry.empty() && (entry.front() == ' ' || entry.front() == '\t')) entry.remove_prefix(1);
        if (!sawHeader) {
            if (entry.substr(0, 3) == "\xEF\xBB\xBF") entry.remove_prefix(3);
            if (entry != kHeader) break;
            sawHeader = true;
        } else if (entry.empty() || entry.front() == ';') {
        } else if (entry.front() == '[') {
            if (entry.back() != ']' || entry.size() < 3 || entry[1] == '-') break;
            document.keys.push_back({std::string(entry.substr(1, entry.size() - 2)), {}});
        } else {
            RegFileValue value;
            if (document.keys.empty() || !ParseQuoted(entry, value.name) || entry.empty() ||
                entry.front() != '=' || !ParseData(entry.substr(1), value)) {
                break;
            }
            document.keys.back().values.push_back(std::move(value));
        }
        logical.clear();
    }
    return document;
}

std::string FormatRegFile(const RegFileDocument& document) {
    std::string out(kHeader);
    out += "\n";
    char number[32];
    for (const RegFileKey& key : document.keys) {
        out += "\n[" + key.path + "]\n";
        for (const RegFileValue& value : key.values) {
            const size_t lineStart = out.size();
            out += '"';
            for (char c : value.name) {
                if (c == '"' || c == '\\') out += '\\';
                out += c;
            }
            out += "\"=";
            if (value.type == kRegDwordType && value.data.size() == 4) {
                const uint32_t word = uint32_t(value.data[0]) | uint32_t(value.data[1]) << 8 |
                                      uint32_t(value.data[2]) << 16 | uint32_t(value.data[3]) << 24;
                std::snprintf(number, sizeof number, "dword:%08x", word);
                out += number;
            } else {
                if (value.type == kRegBinaryType) {
                    out += "hex:";
                } else {
                    std::snprintf(number, sizeof number, "hex(%x):", value.type);
                    out += number;
                }
                AppendHex(out, value.data, lineStart);
            }
            out += "\n";
        }
    }
    return out;
}
