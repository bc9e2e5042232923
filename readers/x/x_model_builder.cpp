#include "readers/x/x_model_builder.h"

#include <algorithm>

namespace {

constexpr int32_t kNoMaterial = -1;

bool IsIdentity(const XMatrix& m) {
    for (size_t i = 0; i < 16; ++i) {
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) return false;
    }
    return true;
}

}  // namespace

void XModelBuilder::Reserve(size_t triangles) {
    ReserveModel(model_, 0, triangles, 3 * triangles);
    ReserveMore(triangleTags_, triangles);
}

void XModelBuilder::AppendTriangle(int32_t a, int32_t b, int32_t c, uint32_t polygon) {
    int32_t* corners = AppendFaceCorners(model_, 3, kNoMaterial);
    corners[0] = a;
    corners[1] = b;
    corners[2] = c;
    triangleTags_.push_back(int32_t(polygon));
}

void XModelBuilder::FinishMesh(size_t firstTriangle, const XMaterialList* list) {
    const size_t base = materials_.size();
    const size_t usable = list ? std::min<size_t>(list->declaredCount, list->materials.size()) : 0;
    for (size_t t = firstTriangle; t < triangleTags_.size(); ++t) {
        if (usable == 0) {
            triangleTags_[t] = kNoMaterial;
            continue;
        }
        // Polygons beyond the per-polygon list keep the last number given, so
        // a one-material list written with a single entry covers the mesh.
        const auto& numbers = list->polygonMaterials;
        const size_t polygon = size_t(triangleTags_[t]);
        const uint32_t number = numbers.empty() ? 0 : polygon < numbers.size() ? numbers[polygon] : numbers.back();
        triangleTags_[t] = number < usable ? int32_t(base + number) : kNoMaterial;
    }
    if (list) materials_.insert(materials_.end(), list->materials.begin(), list->materials.begin() + ptrdiff_t(usable));
}

void XModelBuilder::NameMaterial(std::string_view name, RgbColor color) {
    if (!name.empty()) namedMaterials_.emplace(std::string(name), color);
}

void XModelBuilder::TransformVertices(size_t firstVertex, const XMatrix& m) {
    if (IsIdentity(m)) return;
    for (size_t i = firstVertex; i < model_.vertices.size(); ++i) {
        const double x = model_.vertices[i].x, y = model_.vertices[i].y, z = model_.vertices[i].z;
        model_.vertices[i] = {float(x * m[0] + y * m[4] + z * m[8] + m[12]),
                              float(x * m[1] + y * m[5] + z * m[9] + m[13]),
                              float(x * m[2] + y * m[6] + z * m[10] + m[14])};
    }
}

void XModelBuilder::Finish() {
    // Colours of the file's materials; a reference to no known name has none.
    std::vector<std::optional<RgbColor>> colors;
    colors.reserve(materials_.size());
    for (const XMaterialSlot& slot : materials_) {
        if (slot.color) {
            colors.push_back(slot.color);
        } else {
            const auto named = namedMaterials_.find(slot.reference);
            colors.push_back(named == namedMaterials_.end() ? std::nullopt : std::optional(named->second));
        }
    }
    for (int32_t& tag : triangleTags_) {
        if (tag >= 0 && !colors[size_t(tag)]) tag = kNoMaterial;
    }

    // Stable counting sort by material, colourless faces first; skipped when
    // the file already lists its faces in that order. The corners move with
    // their faces, so that the index pool stays in face order.
    if (!std::is_sorted(triangleTags_.begin(), triangleTags_.end())) {
        std::vector<size_t> groupStart(materials_.size() + 2, 0);
        for (int32_t tag : triangleTags_) ++groupStart[size_t(tag + 2)];
        for (size_t g = 1; g < groupStart.size(); ++g) groupStart[g] += groupStart[g - 1];
        std::vector<size_t> order(triangleTags_.size());
        for (size_t t = 0; t < triangleTags_.size(); ++t) order[groupStart[size_t(triangleTags_[t] + 1)]++] = t;
        std::vector<FaceRecord> faces;
        std::vector<int32_t> pool, tags;
        faces.reserve(order.size());
        pool.reserve(model_.indexPool.size());
        tags.reserve(order.size());
        for (size_t t : order) {
            FaceRecord face = model_.faces[t];
            const std::span<const int32_t> corners = model_.Corners(face);
            face.firstIndex = uint32_t(pool.size());
            pool.insert(pool.end(), corners.begin(), corners.end());
            faces.push_back(face);
            tags.push_back(triangleTags_[t]);
        }
        model_.faces.swap(faces);
        model_.indexPool.swap(pool);
        triangleTags_.swap(tags);
    }

    // The groups are contiguous now: one colour table entry per material in
    // use, and every coloured face gets material index 1 and that entry.
    int32_t lastTag = kNoMaterial;
    for (size_t t = 0; t < triangleTags_.size(); ++t) {
        const int32_t tag = triangleTags_[t];
        if (tag < 0) continue;
        if (tag != lastTag) {
            model_.colorTable.push_back(*colors[size_t(tag)]);
            lastTag = tag;
        }
        model_.faces[t].materialIndex = 1;
        model_.faces[t].colorSlot = uint32_t(model_.colorTable.size() - 1);
    }
}
