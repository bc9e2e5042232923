#include "readers/dxf/dxf_3dface.h"

namespace {

constexpr int32_t kMaxCorners = 4;

// One axis of the corners: it takes its codes in rising order (10, 11, 12,
// 13 for x); any other code of the axis is passed over.
struct AxisValues {
    int32_t firstCode;
    int32_t count = 0;
    float values[kMaxCorners] = {};

    bool IsNext(int32_t code) const { return code == firstCode + count; }
    bool Take(std::string_view value) {
        float number;
        if (!ConvertDxfFloat(value, number)) return false;
        if (count < kMaxCorners) values[count] = number;
        ++count;
        return count <= kMaxCorners;
    }
};

}  // namespace

bool ReadDxf3dFace(DxfPairs& pairs, ModelGeometry& model) {
    AxisValues axes[3] = {{.firstCode = 10}, {.firstCode = 20}, {.firstCode = 30}};
    int32_t code;
    std::string_view value;
    while (true) {
        if (!pairs.ReadCode(code)) return false;
        if (code == 0) break;
        if (!pairs.ReadValue(code, value)) return false;
        // Codes 10-19 are x's, 20-29 y's, 30-39 z's.
        const uint32_t axis = uint32_t(code / 10 - 1);
        if (axis < 3 && axes[axis].IsNext(code) && !axes[axis].Take(value)) return false;
    }
    int32_t corners = axes[0].count;
    if (corners < 3 || axes[1].count != corners || axes[2].count != corners) return false;
    const float* x = axes[0].values;
    const float* y = axes[1].values;
    const float* z = axes[2].values;
    if (corners == 4 && x[3] == x[2] && y[3] == y[2] && z[3] == z[2]) corners = 3;

    const int32_t first = model.VertexCount();
    for (int32_t k = 0; k < corners; ++k) AppendVertex(model, {x[k], y[k], z[k]});
    int32_t* indices = AppendFaceCorners(model, corners, -1);
    for (int32_t k = 0; k < corners; ++k) indices[k] = first + k;
    return true;
}
