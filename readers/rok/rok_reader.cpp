#include "readers/rok/rok_reader.h"

#include <vector>

#include "readers/common/text_input.h"
#include "readers/rok/rok_lines.h"

namespace {

constexpr int32_t kMalformed = 2;
constexpr int kHeaderCarriageReturns = 15;
constexpr int32_t kHighestPaletteNumber = 13;
constexpr int32_t kPaletteEntries = 13;
constexpr int32_t kLinesPerPoint = 8;
constexpr int32_t kLinesPerEdge = 4;
constexpr int32_t kLinesPerPaletteEntry = 7;
constexpr int32_t kUnusedLinesAfterPalc = 2;

struct Edge {
    int32_t first, second;  // 0-based point numbers
};

// A face as read: its edge numbers (0-based) in `edgeNumbers`.
struct PendingFace {
    size_t firstEdge;
    int32_t edgeCount;
    int32_t paletteNumber;
};

struct Geometry {
    std::vector<Edge> edges;
    std::vector<int32_t> edgeNumbers;
    std::vector<PendingFace> faces;
};

struct Palette {
    RgbColor entries[kPaletteEntries];
    int32_t entriesRead = 0;
};

int32_t IntegerOf(std::string_view line) {
    int32_t number = 0;
    ParseCInt(line, number);
    return number;
}

float NumberOf(std::string_view line) {
    double number = 0;
    ParseCDouble(line, number);
    return float(number);
}

enum class Section { kNone, kPoints, kLines, kFaces };

// Reads up to "END00" or the end of the input. Every edge and face refers
// only to points and edges read before it, so the edge walk stays inside.
bool ReadGeometry(RokLineReader& lines, ModelGeometry& model, Geometry& geometry) {
    Section section = Section::kNone;
    int64_t counter = 0;  // wide enough for any line count and any face size + 2
    Point3f point{0, 0, 0};
    Edge edge{0, 0};
    PendingFace face{0, 0, 0};
    std::string_view line;
    while (lines.Next(line)) {
        if (line == "END00") break;
        if (line == "POINT" || line == "LINE0" || line == "FACE0") {
            section = line == "POINT" ? Section::kPoints : line == "LINE0" ? Section::kLines : Section::kFaces;
            counter = 0;
            continue;
        }
        switch (section) {
            case Section::kNone: break;
            case Section::kPoints:
                if (counter == 5) point.x = NumberOf(line);
                if (counter == 6) point.y = NumberOf(line);
                if (counter == kLinesPerPoint - 1) {
                    point.z = NumberOf(line);
                    AppendVertex(model, point);
                    counter = -1;
                }
                break;
            case Section::kLines:
                if (counter == 0 || counter == 1) {
                    const int32_t number = IntegerOf(line);
                    if (number < 1 || number > model.VertexCount()) return false;
                    (counter == 0 ? edge.first : edge.second) = number - 1;
                    if (counter == 1) geometry.edges.push_back(edge);
                }
                if (counter == kLinesPerEdge - 1) counter = -1;
                break;
            case Section::kFaces:
                if (counter == 0) {
                    face = {geometry.edgeNumbers.size(), IntegerOf(line), 0};
                    if (face.edgeCount < 2) return false;
                } else if (counter == 1) {
                    face.paletteNumber = IntegerOf(line);
                    if (face.paletteNumber > kHighestPaletteNumber) return false;
                } else if (counter >= 3) {
                    const int32_t number = IntegerOf(line);
                    if (number < 1 || size_t(number) > geometry.edges.size()) return false;
                    geometry.edgeNumbers.push_back(number - 1);
                    if (counter == int64_t{face.edgeCount} + 2) {
                        geometry.faces.push_back(face);
                        counter = -1;
                    }
                }
                break;
        }
        ++counter;
    }
    return section == Section::kFaces;
}

// From the line after "END00": "PALC0" sections up to "ENDP0" or the end.
// False without a "PALC0" or with more entries than the table holds.
bool ReadPalette(RokLineReader& lines, Palette& palette) {
    bool sectionSeen = false;
    int32_t unusedLines = 0;
    int32_t lineInEntry = 0;
    std::string_view line;
    while (lines.Next(line)) {
        if (line == "ENDP0") break;
        if (line == "PALC0") {
            sectionSeen = true;
            unusedLines = kUnusedLinesAfterPalc;
            lineInEntry = 0;
            continue;
        }
        if (!sectionSeen) continue;
        if (unusedLines > 0) {
            --unusedLines;
            continue;
        }
        const int32_t entry = palette.entriesRead;
        if (lineInEntry == 0 && entry == kPaletteEntries) return false;
        if (lineInEntry < 3) {
            float& channel = lineInEntry == 0   ? palette.entries[entry].red
                             : lineInEntry == 1 ? palette.entries[entry].green
                                                : palette.entries[entry].blue;
            channel = float(IntegerOf(line) * (1.0 / 255));
            if (lineInEntry == 2) ++palette.entriesRead;
        }
        lineInEntry = (lineInEntry + 1) % kLinesPerPaletteEntry;
    }
    return sectionSeen;
}

// The corners of a face, walking its edges from the first one's first point.
void AppendWalkedFace(const Geometry& geometry, const PendingFace& face, int32_t materialIndex, RgbColor color,
                      ModelGeometry& model) {
    const int32_t* edgeNumbers = geometry.edgeNumbers.data() + face.firstEdge;
    int32_t* corners = AppendFaceCorners(model, face.edgeCount, materialIndex, color);
    const Edge& start = geometry.edges[size_t(edgeNumbers[0])];
    corners[0] = start.first;
    corners[1] = start.second;
    for (int32_t i = 1; i + 1 < face.edgeCount; ++i) {
        const Edge& edge = geometry.edges[size_t(edgeNumbers[i])];
        corners[i + 1] = edge.first == corners[i] ? edge.second : edge.first;
    }
}

}  // namespace

bool RecognizeRok(const RecognitionInput& input) {
    if (input.head.empty()) return false;
    const std::string_view examined = AsText(input.head.first(input.head.size() - 1));
    if (!examined.starts_with("ROKU4")) return false;
    size_t position = 5;
    for (int found = 0; found < kHeaderCarriageReturns; ++found) {
        position = examined.find('\r', position);
        if (position == std::string_view::npos) return false;
        ++position;
    }
    return examined.substr(position).starts_with("POINT");
}

int32_t ReadRokModel(const InputSource& input, ModelGeometry& model) {
    RokLineReader lines(input.bytes);
    std::string_view first;
    if (!lines.Next(first) || !first.starts_with("ROKU4")) return 0;
    Geometry geometry;
    if (!ReadGeometry(lines, model, geometry)) return kMalformed;
    Palette palette;
    const bool paletteRead = ReadPalette(lines, palette);
    for (const PendingFace& face : geometry.faces) {
        const bool colored = paletteRead && face.paletteNumber >= 0 && face.paletteNumber < palette.entriesRead;
        AppendWalkedFace(geometry, face, colored ? face.paletteNumber : -1,
                         colored ? palette.entries[face.paletteNumber] : RgbColor{}, model);
    }
    return 0;
}
