// Collects what the .x parser finds into the model: every mesh's positions
// and triangles, their materials, and at the end the faces grouped by
// material with each material's diffuse colour.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/model/model_geometry.h"

// A material of a mesh's material list: given in place, or by `{ name }`.
struct XMaterialSlot {
    std::optional<RgbColor> color;
    std::string reference;
};

// A mesh's MeshMaterialList: the declared count, a material number per
// polygon, and the materials.
struct XMaterialList {
    uint32_t declaredCount = 0;
    std::vector<uint32_t> polygonMaterials;
    std::vector<XMaterialSlot> materials;
};

// Row-vector 4×4 matrix as FrameTransformMatrix stores it (translation in 12 to 14).
using XMatrix = std::array<float, 16>;

class XModelBuilder {
public:
    explicit XModelBuilder(ModelGeometry& model) : model_(model) {}

    ModelGeometry& Model() { return model_; }
    size_t TriangleCount() const { return triangleTags_.size(); }

    // Room for `triangles` more triangles.
    void Reserve(size_t triangles);
    // A triangle of the current mesh's polygon number `polygon`.
    void AppendTriangle(int32_t a, int32_t b, int32_t c, uint32_t polygon);
    // Gives the triangles from `firstTriangle` on their materials.
    void FinishMesh(size_t firstTriangle, const XMaterialList* materials);
    // A named material that `{ name }` can refer to; the first of a name counts.
    void NameMaterial(std::string_view name, RgbColor color);
    // Applies a frame's matrix to the vertices appended since `firstVertex`.
    void TransformVertices(size_t firstVertex, const XMatrix& matrix);
    // Groups the faces by material and sets their colours.
    void Finish();

private:
    ModelGeometry& model_;
    // Per triangle: its polygon within its mesh until FinishMesh, then its
    // material number within the whole file (negative: none).
    std::vector<int32_t> triangleTags_;
    std::vector<XMaterialSlot> materials_;
    std::unordered_map<std::string, RgbColor> namedMaterials_;
};
