#include "readers/obj/obj_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "readers/common/text_input.h"

namespace {

constexpr size_t kHostHeadBytes = 2000;

// The line that starts at `position`: it ends at the first CR or LF (or the
// end of the text), and as C text it ends at its first zero byte before that.
struct Line {
    std::string_view text;  // up to the first zero byte
    size_t end;             // where the line end (or the text's end) lies
};

Line FindLine(std::string_view text, size_t position) {
    const char* const first = text.data() + position;
    const char* const last = text.data() + text.size();
    const char* zero = nullptr;
    const char* p = first;
    for (; p < last; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c > '\r') continue;
        if (c == '\n' || c == '\r') break;
        if (c == '\0' && !zero) zero = p;
    }
    return {std::string_view(first, size_t((zero ? zero : p) - first)), size_t(p - text.data())};
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
// character on, each cut at its first '/' and read as strtol reads it.
// Negative numbers count back from the last vertex read so far; 0 and
// numbers past the end stay outside the vertex list and their face is
// dropped before drawing.
void ParseFaceLine(std::string_view line, ModelGeometry& model) {
    if (line.size() < 3) return;
    constexpr size_t kUsualCorners = 64;
    int32_t usual[kUsualCorners];
    std::vector<int32_t> many;  // only for faces of more corners
    size_t count = 0;
    const int64_t vertexCount = model.VertexCount();
    const char* p = line.data() + 2;
    const char* const end = line.data() + line.size();
    while (p < end) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        const char* digits = p;
        // Plain digits, the usual token, are read in the one pass; nine of
        // them cannot overflow.
        const char* const limit = std::min(end, digits + 9);
        uint32_t value = 0;
        for (; p < limit; ++p) {
            const uint32_t digit = uint32_t(uint8_t(*p)) - '0';
            if (digit > 9) break;
            value = value * 10 + digit;
        }
        int32_t number = int32_t(value);
        const bool plain = p > digits && (p == end || *p == ' ' || *p == '/');
        while (p < end && *p != ' ') ++p;
        if (!plain) {
            const std::string_view token(digits, size_t(p - digits));
            ParseCInt(token.substr(0, token.find('/')), number);
        }
        const int32_t corner = number < 0 ? int32_t(vertexCount + number) : number - 1;
        if (count == kUsualCorners) many.assign(usual, usual + kUsualCorners);
        if (count < kUsualCorners) {
            usual[count] = corner;
        } else {
            many.push_back(corner);
        }
        ++count;
    }
    if (count >= 3) AppendFace(model, count <= kUsualCorners ? std::span<const int32_t>(usual, count) : many, -1);
}

// How much of a mapped file is read between two givings-back of its pages.
constexpr size_t kForgetStep = size_t(8) << 20;

void ReadFileLines(const InputSource& input, ModelGeometry& model) {
    // Every line counts, the last one without a line end too; its leading
    // white space is skipped. The file is read once, so the pages passed
    // are given back as the reading goes on.
    const std::string_view text = AsText(input.bytes);
    size_t position = 0, forgottenUpTo = 0;
    while (position < text.size()) {
        if (position - forgottenUpTo >= kForgetStep) {
            input.ForgetBefore(position);
            forgottenUpTo = position;
        }
        const Line line = FindLine(text, position);
        size_t start = 0;
        while (start < line.text.size() && IsCSpace(line.text[start])) ++start;
        ParseObjLine(line.text.substr(start), model);
        position = line.end + 1;
    }
}

void ReadMemoryLines(std::string_view text, ModelGeometry& model) {
    // The first line starts at the first byte; after each line end every
    // white-space byte is passed over; a last line without a line end is
    // not read.
    size_t position = 0;
    while (position < text.size()) {
        const Line line = FindLine(text, position);
        if (line.end == text.size()) return;
        ParseObjLine(line.text, model);
        position = line.end + 1;
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
    text = text.substr(0, text.size() - 1);
    text = text.substr(0, std::min(text.size(), text.find('\0')));

    size_t position = 0;
    while (true) {
        const Line line = FindLine(text, position);
        if (line.end == text.size()) return false;  // the text ends before the line does
        Point3f vertex;
        if (ReadVertexLine(line.text, vertex)) return true;
        if (line.text.empty() || !IsObjLineLetter(line.text[0])) return false;
        position = line.end + 1;
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
    if (input.fromFile) {
        ReadFileLines(input, model);
    } else {
        ReadMemoryLines(AsText(input.bytes), model);
    }
    return 0;
}
