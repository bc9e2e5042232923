// The pieces of one document line that the reader takes, parsed as the
// scanf patterns of the format's own tools read them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/model/model_geometry.h"

// The first white-space separated word ("" for a blank line).
std::string_view FirstToken(std::string_view line);

// "%f %f %f": each number that parses replaces its coordinate; parsing stops
// at the first one that does not, leaving the rest as they were.
void ParseVertexLine(std::string_view line, Point3f& vertex);

// "Material %d" and "%*s %d": the count after the line's keyword.
std::optional<int32_t> ParseMaterialCount(std::string_view line);
std::optional<int32_t> ParseCountAfterToken(std::string_view line);

// A face line "n V(a b c ...) M(m) ...": its corner count n (from "%d").
std::optional<int32_t> ParseFaceCornerCount(std::string_view line);
// The `count` indices inside "V(...)"; false unless all of them parse.
bool ParseFaceIndices(std::string_view line, int32_t count, int32_t* indices);
// The number of the first "M(" on the line, if there is one.
std::optional<int32_t> ParseFaceMaterial(std::string_view line);

// The colour of a material line: "col(%f %f %f" at its "col(" attribute.
// Values that do not parse keep what `color` held.
void ParseMaterialColor(std::string_view line, RgbColor& color);
