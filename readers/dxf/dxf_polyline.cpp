#include "readers/dxf/dxf_polyline.h"

#include <algorithm>
#include <cstdlib>

namespace {

// POLYLINE flags.
constexpr int32_t kClosedInM = 1;
constexpr int32_t kCurveFit = 2;
constexpr int32_t kSplineFit = 4;
constexpr int32_t kPolygonMesh = 16;
constexpr int32_t kClosedInN = 32;
constexpr int32_t kClosed3dPolyline = 9;  // closed + 3D polyline, nothing else
constexpr int32_t kPolyfaceMesh = 64;     // exactly this value

// VERTEX flags.
constexpr int32_t kCurveFitVertexBits = 1 | 2 | 4;
constexpr int32_t kPositionBits = 8 | 16 | 32 | 64;
constexpr int32_t kMeshVertex = 64;
constexpr int32_t kFaceRecord = 128;  // exactly this value

struct PolylineState {
    int32_t flags = 0;
    int32_t vertexFlags = 0;
    Point3f current{0, 0, 0};
    float elevation = 0;
    int32_t m = 0, n = 0;
    int64_t faceIndex[4] = {0, 0, 0, 0};  // as absolute values
    bool haveFourthIndex = false;
    bool vertexOpen = false;
    int32_t base = 0;
    int32_t positions = 0;
    // A polyline that makes no surface: read to its end, keep nothing.
    bool passOver = false;
};

// Where the model stood when the polyline began, so that a polyline passed
// over leaves no vertex or face behind.
struct ModelMark {
    size_t vertices, faces, indices;
};

ModelMark MarkOf(const ModelGeometry& model) {
    return {model.vertices.size(), model.faces.size(), model.indexPool.size()};
}

void RollBack(ModelGeometry& model, const ModelMark& mark) {
    model.vertices.resize(mark.vertices);
    model.faces.resize(mark.faces);
    model.indexPool.resize(mark.indices);
}

// Corner k of a face record names position vertex (index k) of this
// polyline, counted from 1; a negative index only hides an edge. A record
// naming 0 or a vertex not read is dropped: it has no surface to draw.
void AppendFaceRecord(const PolylineState& state, ModelGeometry& model) {
    const int corners = state.haveFourthIndex && state.faceIndex[3] != state.faceIndex[2] ? 4 : 3;
    int32_t indices[4];
    for (int k = 0; k < corners; ++k) {
        const int64_t number = state.faceIndex[k];
        if (number < 1 || number > state.positions) return;
        indices[k] = state.base + int32_t(number) - 1;
    }
    AppendFace(model, std::span<const int32_t>(indices, size_t(corners)), -1);
}

// False when the vertex makes the polyline malformed.
bool FinishVertex(PolylineState& state, ModelGeometry& model) {
    if (state.passOver) return true;
    const int32_t flags = state.vertexFlags;
    if (flags & kPositionBits) {
        if ((state.flags & kPolygonMesh) && !(flags & kMeshVertex)) return false;
        AppendVertex(model, {state.current.x, state.current.y, state.current.z + state.elevation});
        ++state.positions;
    } else if (flags == kFaceRecord) {
        // Only a polyface mesh gives its face records indices.
        if (state.flags == kPolyfaceMesh) AppendFaceRecord(state, model);
    } else {
        state.passOver = true;  // a 2D polyline's vertex, say
    }
    return true;
}

void AppendQuad(ModelGeometry& model, int32_t a, int32_t b, int32_t c, int32_t d) {
    const int32_t corners[] = {a, b, c, d};
    AppendFace(model, corners, -1);
}

// Quads over the rows of M x N vertices; only rows whose vertices were all
// read take part, so a mesh that states more than it holds keeps what it has.
void AppendPolygonMesh(const PolylineState& state, ModelGeometry& model) {
    const int32_t m = state.m, n = state.n;
    if (m < 1 || n < 1) return;
    const int32_t rows = int32_t(std::min<int64_t>(m, state.positions / n));
    auto v = [&](int32_t i, int32_t j) { return state.base + i * n + j; };
    const bool closedInN = state.flags & kClosedInN;
    for (int32_t i = 0; i + 1 < rows; ++i) {
        for (int32_t j = 0; j + 1 < n; ++j) AppendQuad(model, v(i, j), v(i, j + 1), v(i + 1, j + 1), v(i + 1, j));
        if (closedInN) AppendQuad(model, v(i, n - 1), v(i, 0), v(i + 1, 0), v(i + 1, n - 1));
    }
    if ((state.flags & kClosedInM) && rows == m) {
        for (int32_t j = 0; j + 1 < n; ++j) AppendQuad(model, v(m - 1, j), v(m - 1, j + 1), v(0, j + 1), v(0, j));
        if (closedInN) AppendQuad(model, v(m - 1, n - 1), v(m - 1, 0), v(0, 0), v(0, n - 1));
    }
}

void FinishPolyline(const PolylineState& state, ModelGeometry& model) {
    if (state.flags == kClosed3dPolyline) {
        if (state.positions == 0) return;
        int32_t* corners = AppendFaceCorners(model, state.positions, -1);
        for (int32_t k = 0; k < state.positions; ++k) corners[k] = state.base + k;
    } else if (state.flags & kPolygonMesh) {
        AppendPolygonMesh(state, model);
    }
}

bool TakeFaceIndex(PolylineState& state, int slot, std::string_view value) {
    int32_t index;
    if (!ConvertDxfInt(value, index)) return false;
    state.faceIndex[slot] = std::llabs(int64_t{index});
    if (slot == 3) state.haveFourthIndex = true;
    return true;
}

// One group pair of the header (no VERTEX open yet) or of a VERTEX.
bool TakePair(PolylineState& state, int32_t code, std::string_view value) {
    switch (code) {
        case 10: return ConvertDxfFloat(value, state.current.x);
        case 20: return ConvertDxfFloat(value, state.current.y);
        case 30:
            if (!ConvertDxfFloat(value, state.current.z)) return false;
            if (!state.vertexOpen) state.elevation = state.current.z;
            return true;
        case 66: return state.vertexOpen || DxfDecimal(value) == 1;
        case 70:
            if (!state.vertexOpen) {
                state.flags = DxfDecimal(value);
                if (state.flags & (kCurveFit | kSplineFit)) state.passOver = true;
            } else {
                state.vertexFlags = DxfDecimal(value);
                if (state.vertexFlags & kCurveFitVertexBits) state.passOver = true;
            }
            return true;
        case 71:
        case 72:
            if (!state.vertexOpen) {
                if (!(state.flags & kPolygonMesh)) return true;
                return ConvertDxfInt(value, code == 71 ? state.m : state.n);
            }
            [[fallthrough]];
        case 73:
        case 74:
            if (!state.vertexOpen || state.flags != kPolyfaceMesh) return true;
            return TakeFaceIndex(state, code - 71, value);
        default: return true;
    }
}

}  // namespace

bool ReadDxfPolyline(DxfPairs& pairs, ModelGeometry& model) {
    PolylineState state;
    state.base = model.VertexCount();
    const ModelMark mark = MarkOf(model);
    int32_t code;
    std::string_view value;
    while (pairs.ReadPair(code, value)) {
        if (code != 0) {
            if (!TakePair(state, code, value)) return false;
            continue;
        }
        if (state.vertexOpen && !FinishVertex(state, model)) return false;
        if (DxfNameIs(value, "VERTEX")) {
            state.vertexOpen = true;
            state.haveFourthIndex = false;
        } else if (DxfNameIs(value, "SEQEND")) {
            if (state.passOver) {
                RollBack(model, mark);
            } else {
                FinishPolyline(state, model);
            }
            return true;
        } else {
            return false;
        }
    }
    return false;
}
