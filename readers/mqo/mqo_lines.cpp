#include "readers/mqo/mqo_lines.h"

#include "readers/common/text_input.h"

namespace {

size_t SkipSpace(std::string_view text, size_t position) {
    while (position < text.size() && IsCSpace(text[position])) ++position;
    return position;
}

size_t SkipWord(std::string_view text, size_t position) {
    while (position < text.size() && !IsCSpace(text[position])) ++position;
    return position;
}

// Where the text after the line's first word starts ("%*s").
size_t AfterFirstWord(std::string_view line) { return SkipWord(line, SkipSpace(line, 0)); }

std::optional<int32_t> ParseInt(std::string_view text) {
    int32_t value = 0;
    if (ParseCInt(text, value) == 0) return std::nullopt;
    return value;
}

// Parses up to `count` numbers in a row as "%f %f ..." does.
void ParseFloats(std::string_view text, float* const* targets, int count) {
    for (int i = 0; i < count; ++i) {
        const size_t used = ParseCFloat(text, *targets[i]);
        if (used == 0) return;
        text.remove_prefix(used);
    }
}

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The first `name` that starts an attribute: not inside the quoted material
// name and not the tail of a longer attribute ("vcol(" holds "col(").
size_t FindAttribute(std::string_view line, std::string_view name) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line.substr(i, name.size()) == name && (i == 0 || !IsWordCharacter(line[i - 1]))) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string_view FirstToken(std::string_view line) {
    const size_t start = SkipSpace(line, 0);
    return line.substr(start, SkipWord(line, start) - start);
}

void ParseVertexLine(std::string_view line, Point3f& vertex) {
    float* const coordinates[] = {&vertex.x, &vertex.y, &vertex.z};
    ParseFloats(line, coordinates, 3);
}

std::optional<int32_t> ParseMaterialCount(std::string_view line) {
    constexpr std::string_view keyword = "Material";
    if (line.substr(0, keyword.size()) != keyword) return std::nullopt;
    return ParseInt(line.substr(keyword.size()));
}

std::optional<int32_t> ParseCountAfterToken(std::string_view line) {
    return ParseInt(line.substr(AfterFirstWord(line)));
}

std::optional<int32_t> ParseFaceCornerCount(std::string_view line) { return ParseInt(line); }

bool ParseFaceIndices(std::string_view line, int32_t count, int32_t* indices) {
    size_t position = SkipSpace(line, AfterFirstWord(line));
    if (line.substr(position, 2) != "V(") return false;
    std::string_view rest = line.substr(position + 2);
    for (int32_t i = 0; i < count; ++i) {
        const size_t used = ParseCInt(rest, indices[i]);
        if (used == 0) return false;
        rest.remove_prefix(used);
    }
    return true;
}

std::optional<int32_t> ParseFaceMaterial(std::string_view line) {
    const size_t found = line.find("M(");
    if (found == std::string_view::npos) return std::nullopt;
    return ParseInt(line.substr(found + 2));
}

void ParseMaterialColor(std::string_view line, RgbColor& color) {
    constexpr std::string_view attribute = "col(";
    const size_t found = FindAttribute(line, attribute);
    if (found == std::string_view::npos) return;
    float* const channels[] = {&color.red, &color.green, &color.blue};
    ParseFloats(line.substr(found + attribute.size()), channels, 3);
}
