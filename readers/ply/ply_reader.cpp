#include "readers/ply/ply_reader.h"

#include <algorithm>
#include <memory>

#include "readers/ply/ply_parser.h"

namespace {

constexpr int32_t kNotReadable = 2;

// A face list of up to this many corners is written straight into the
// model; longer ones are gathered as their entries arrive, so that a length
// the body cannot back never becomes an allocation.
constexpr int32_t kDirectCorners = 1 << 16;

// The reader's state during one request; the callbacks reach it here since
// the parser hands them only its own argument.
struct ReaderState {
    ModelGeometry* model = nullptr;
    Point3f pendingVertex{};
    int32_t maxVertexIndex = -1;
    double indexLimit = 0;  // maxVertexIndex + 1: a truncated index must lie below it
    int32_t* corners = nullptr;  // the open face's corners in the model, or null
    std::vector<int32_t> pendingCorners;  // a long face's corners, gathered
    bool faceOpen = false;
    int32_t lastCorner = -1;
    int32_t stripWindow[3] = {};
    int32_t stripFill = 0;
    bool stripFlip = false;
};
ReaderState state;

struct ParserCloser {
    void operator()(PlyParser* parser) const { ClosePly(parser); }
};
using ParserHandle = std::unique_ptr<PlyParser, ParserCloser>;

// A plug-in runs inside a viewer: what the parser would report has no one
// to read it there, so recognition and reading stay silent.
void IgnoreParserMessage(const char*) {}

ParserHandle OpenHeader(const PlySource& source) {
    ParserHandle parser(OpenPly(source, IgnoreParserMessage));
    if (parser && !ReadPlyHeader(parser.get())) parser.reset();
    return parser;
}

int32_t OnVertexValue(PlyArgument* argument) {
    int32_t coordinate = 0;
    GetPlyArgumentUserData(argument, nullptr, &coordinate);
    const float value = float(GetPlyArgumentValue(argument));
    switch (coordinate) {
        case 1: state.pendingVertex.x = value; break;
        case 2: state.pendingVertex.y = value; break;
        default:
            state.pendingVertex.z = value;
            AppendVertex(*state.model, state.pendingVertex);
            break;
    }
    return 1;
}

// The cold paths of a face list stay out of line, so that the call made
// for every corner stays small.
[[gnu::noinline]] int32_t OpenFace(int32_t length) {
    state.lastCorner = length - 1;
    state.faceOpen = length > 0;
    state.corners = nullptr;
    state.pendingCorners.clear();
    if (state.faceOpen && length <= kDirectCorners) state.corners = AppendFaceCorners(*state.model, length, -1);
    return 1;
}

[[gnu::noinline]] int32_t RefuseFace() {
    state.faceOpen = false;
    return 0;
}

[[gnu::noinline]] int32_t GatherCorner(int32_t index, int32_t valueIndex) {
    state.pendingCorners.push_back(index);
    if (valueIndex == state.lastCorner) {
        AppendFace(*state.model, state.pendingCorners, -1);
        state.faceOpen = false;
    }
    return 1;
}

int32_t OnFaceIndex(PlyArgument* argument) {
    int32_t length = 0, valueIndex = 0;
    GetPlyArgumentProperty(argument, nullptr, &length, &valueIndex);
    if (valueIndex < 0) return OpenFace(length);
    // Without a length first, "vertex_indices" is a scalar: no polygon.
    if (!state.faceOpen) return 1;
    // Truncation toward zero keeps the index within 0..maxVertexIndex exactly
    // when the value lies strictly between -1 and maxVertexIndex + 1 (NaN
    // does not).
    const double value = GetPlyArgumentValue(argument);
    if (!(value > -1.0 && value < state.indexLimit)) return RefuseFace();
    const int32_t index = int32_t(value);
    if (!state.corners) return GatherCorner(index, valueIndex);
    state.corners[valueIndex] = index;
    if (valueIndex == state.lastCorner) state.faceOpen = false;
    return 1;
}

void RestartStrip() {
    state.stripFill = 0;
    state.stripFlip = false;
}

int32_t OnStripIndex(PlyArgument* argument) {
    const PlyProperty* property = nullptr;
    int32_t valueIndex = 0;
    GetPlyArgumentProperty(argument, &property, nullptr, &valueIndex);
    if (property->type != kPlyList) return 1;  // a scalar carries no strip
    if (valueIndex < 0) {
        RestartStrip();
        return 1;
    }
    const double value = GetPlyArgumentValue(argument);
    if (value <= -1.0) {  // the restart marker, -1 in practice
        RestartStrip();
        return 1;
    }
    if (!(value < state.indexLimit)) return 0;
    const int32_t index = int32_t(value);
    int32_t* window = state.stripWindow;
    window[state.stripFill++] = index;
    if (state.stripFill < 3) return 1;
    // Every second triangle is reversed so that the whole strip faces one way.
    const int32_t triangle[3] = {state.stripFlip ? window[2] : window[0], window[1],
                                 state.stripFlip ? window[0] : window[2]};
    state.stripFlip = !state.stripFlip;
    AppendFace(*state.model, triangle, -1);
    window[0] = window[1];
    window[1] = window[2];
    state.stripFill = 2;
    return 1;
}

// Reserves for the declared counts, but never more than the input could hold
// (a vertex of three floats, a triangle of a uchar count and three ints).
void ReserveForCounts(ModelGeometry& model, int64_t inputBytes, int32_t vertexCount, int32_t faceCount) {
    if (inputBytes <= 0) return;
    const size_t vertices = size_t(std::clamp<int64_t>(vertexCount, 0, inputBytes / 12));
    const size_t faces = size_t(std::clamp<int64_t>(faceCount, 0, inputBytes / 13));
    ReserveModel(model, vertices, faces, 3 * faces);
}

int32_t ReadBody(PlyParser* parser, ModelGeometry& model) {
    state.model = &model;
    // A vertex whose "z" comes before its "x" or "y" takes those of the
    // vertex before it, never of an earlier request's model.
    state.pendingVertex = {};
    const int32_t vertexCount = SetPlyReadCallback(parser, "vertex", "x", OnVertexValue, nullptr, 1);
    state.maxVertexIndex = vertexCount > 0 ? vertexCount - 1 : -1;
    state.indexLimit = double(state.maxVertexIndex) + 1.0;
    state.faceOpen = false;
    SetPlyReadCallback(parser, "vertex", "y", OnVertexValue, nullptr, 2);
    SetPlyReadCallback(parser, "vertex", "z", OnVertexValue, nullptr, 3);
    const int32_t faceCount = SetPlyReadCallback(parser, "face", "vertex_indices", OnFaceIndex, nullptr, 0);
    SetPlyReadCallback(parser, "tristrips", "vertex_indices", OnStripIndex, nullptr, 0);
    ReserveForCounts(model, GetPlyInputBytes(parser), vertexCount, faceCount);
    RestartStrip();
    const int32_t result = ReadPlyBody(parser);
    state.model = nullptr;
    return result;
}

}  // namespace

bool RecognizePly(const RecognitionInput& input) {
    return OpenHeader(PlySource::Memory(input.head.data(), input.head.size())) != nullptr;
}

int32_t ReadPlyModel(const InputSource& input, ModelGeometry& model) {
    const PlySource source = input.fromFile && input.path ? PlySource::File(input.path)
                                                          : PlySource::Memory(input.bytes.data(), input.bytes.size());
    ParserHandle parser = OpenHeader(source);
    if (!parser) return kNotReadable;
    const int32_t result = ReadBody(parser.get(), model);
    parser.reset();
    std::vector<int32_t>().swap(state.pendingCorners);
    return result == 1 ? 0 : kNotReadable;
}
