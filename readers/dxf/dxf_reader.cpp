#include "readers/dxf/dxf_reader.h"

#include "readers/dxf/dxf_3dface.h"
#include "readers/dxf/dxf_polyline.h"

namespace {

constexpr int32_t kFailed = 1;

bool WalkDrawing(DxfPairs& pairs, ModelGeometry& model) {
    bool sectionOpen = false;
    bool codeZeroRead = false;  // a 3DFACE ends by reading the next entity's code line
    int32_t code = 0;
    std::string_view value;
    while (true) {
        if (codeZeroRead) {
            code = 0;
            codeZeroRead = false;
        } else if (!pairs.ReadCode(code)) {
            return false;
        }
        if (!pairs.ReadValue(code, value)) return false;

        if (code == 0) {
            if (DxfNameIs(value, "SECTION")) {
                if (sectionOpen) return false;
                sectionOpen = true;
            } else if (DxfNameIs(value, "ENDSEC")) {
                if (!sectionOpen) return false;
                sectionOpen = false;
            } else if (DxfNameIs(value, "3DFACE")) {
                if (!ReadDxf3dFace(pairs, model)) return false;
                codeZeroRead = true;
            } else if (DxfNameIs(value, "POLYLINE")) {
                if (!ReadDxfPolyline(pairs, model)) return false;
            } else if (DxfNameIs(value, "EOF")) {
                return true;
            }
        } else if (code == 2 && !sectionOpen && (DxfNameIs(value, "ENTITIES") || DxfNameIs(value, "BLOCKS"))) {
            return false;
        }
    }
}

}  // namespace

int32_t ReadDxfModel(const InputSource& input, ModelGeometry& model) {
    DxfLineSource lines(input);
    DxfPairs pairs(lines);
    return WalkDrawing(pairs, model) ? 0 : kFailed;
}
