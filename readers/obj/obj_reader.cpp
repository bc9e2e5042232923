#include "readers/obj/obj_reader.h"

#include <cstring>
#include <vector>

#include "readers/common/text_input.h"

namespace {

constexpr size_t kHostHeadBytes = 2000;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// A line is C text: it ends at its first zero byte.
std::string_view UpToZero(std::string_view text) {
    const size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// scanf("v %g %g %g") converting all three numbers.
bool ReadVertexLine(std::string_view line, Point3f& vertex) {
    if (line.empty() || line[0] != 'v') return false;
    size_t position = 1;
    float* coordinates[] = {&vertex.x, &vertex.y, &vertex.z};
    for (float* coordinate : coordinates) {
        const size_t used = ParseCFloat(line.substr(position), *coordinate);
        if (used == 0) return false;
        position += used;
    }
    return true;
}

bool IsObjLineLetter(char c) {
    return c != '\0' && std::strchr("#bcdefghlmopstuv", c) != nullptr;
}

// The corners of a face line: blank-separated tokens from the third
// character on, each cut at its first '/'. Negative numbers count back from
// the last vertex read so far; 0 and numbers past the end stay outside the
// vertex list and their face is dropped before drawing.
void ParseFaceLine(std::string_view line, ModelGeometry& model) {
    if (line.size() < 3) return;
    thread_local std::vector<int32_t> corners;
    corners.clear();
    std::string_view rest = line.substr(2);
    while (!rest.empty()) {
        const size_t blank = rest.find(' ');
        std::string_view token = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view{} : rest.substr(blank + 1);
        if (token.empty()) continue;
        token = token.substr(0, token.find('/'));
        int32_t number = 0;
        ParseCInt(token, number);
        corners.push_back(number < 0 ? int32_t(int64_t(model.VertexCount()) + number) : number - 1);
    }
    if (corners.size() >= 3) AppendFace(model, corners, -1);
}

void ReadFileLines(std::string_view text, ModelGeometry& model) {
    // Every line counts, the last one without a line end too; its leading
    // white space is skipped.
    size_t position = 0;
    while (position < text.size()) {
        size_t end = position;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        std::string_view line = UpToZero(text.substr(position, end - position));
        size_t start = 0;
        while (start < line.size() && IsCSpace(line[start])) ++start;
        ParseObjLine(line.substr(start), model);
        position = end + 1;
    }
}

void ReadMemoryLines(std::string_view text, ModelGeometry& model) {
    // The first line starts at the first byte; after each line end every
    // white-space byte is passed over; a last line without a line end is
    // not read.
    size_t position = 0;
    while (position < text.size()) {
        size_t end = position;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        if (end == text.size()) return;
        ParseObjLine(UpToZero(text.substr(position, end - position)), model);
        position = end + 1;
        while (position < text.size() && IsCSpace(text[position])) ++position;
    }
}

}  // namespace

bool RecognizeObj(const RecognitionInput& input) {
    std::string_view text = AsText(input.head);
    // The head is a C string: the host's 2000 bytes less the last, or the
    // bytes read from the file less the last one read.
    if (!input.fromFile && text.size() > kHostHeadBytes) text = text.substr(0, kHostHeadBytes);
    if (text.empty()) return false;
    text = UpToZero(text.substr(0, text.size() - 1));

    size_t position = 0;
    while (true) {
        size_t end = position;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        if (end == text.size()) return false;  // the text ends before the line does
        const std::string_view line = text.substr(position, end - position);
        Point3f vertex;
        if (ReadVertexLine(line, vertex)) return true;
        if (line.empty() || !IsObjLineLetter(line[0])) return false;
        position = end + 1;
        while (position < text.size() && IsCSpace(text[position])) ++position;
    }
}

void ParseObjLine(std::string_view line, ModelGeometry& model) {
    if (line.empty()) return;
    if (line[0] == 'f') {
        ParseFaceLine(line, model);
    } else if (line[0] == 'v' && line.size() > 1 && IsCSpace(line[1])) {
        Point3f vertex;
        if (ReadVertexLine(line, vertex)) AppendVertex(model, vertex);
    }
}

int32_t ReadObjModel(const InputSource& input, ModelGeometry& model) {
    const std::string_view text = AsText(input.bytes);
    if (input.fromFile) {
        ReadFileLines(text, model);
    } else {
        ReadMemoryLines(text, model);
    }
    return 0;
}
