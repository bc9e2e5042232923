// The one model of a loaded plug-in: vertices and polygonal faces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct Point3f {
    float x, y, z;
};

struct RgbColor {
    float red, green, blue;
    bool operator==(const RgbColor&) const = default;
};

// A face's corners live in the model's index pool rather than in an array of
// their own, so a model of millions of faces costs no allocation per face.
// Its colour lives in the model's colour table (consecutive faces of one
// colour share an entry) to keep the record small for colourless scans.
struct FaceRecord {
    int32_t vertexCount;
    uint32_t firstIndex;    // position of the first corner in indexPool
    int32_t materialIndex;  // negative: drawn in the object colour
    uint32_t colorSlot;     // entry of colorTable; meaningful only when materialIndex >= 0
};

struct ModelGeometry {
    std::vector<Point3f> vertices;
    std::vector<FaceRecord> faces;
    std::vector<int32_t> indexPool;
    std::vector<RgbColor> colorTable;

    std::span<const int32_t> Corners(const FaceRecord& face) const {
        return {indexPool.data() + face.firstIndex, static_cast<size_t>(face.vertexCount)};
    }
    RgbColor Color(const FaceRecord& face) const { return colorTable[face.colorSlot]; }
    int32_t VertexCount() const { return static_cast<int32_t>(vertices.size()); }
    int32_t FaceCount() const { return static_cast<int32_t>(faces.size()); }
};

void AppendVertex(ModelGeometry& model, Point3f vertex);

// Appends a face whose corners are copied from `indices` (0-based positions
// in `vertices`). `color` is stored only when materialIndex >= 0.
void AppendFace(ModelGeometry& model, std::span<const int32_t> indices, int32_t materialIndex,
                RgbColor color = {});

// Starts a face of `count` corners and returns where to write them; the
// pointer is valid until the next append. Saves a copy for readers that
// produce corners one by one.
int32_t* AppendFaceCorners(ModelGeometry& model, int32_t count, int32_t materialIndex,
                           RgbColor color = {});

// Makes room for `more` further items, at least doubling the capacity:
// readers reserve mesh by mesh, and exact steps would copy the whole model
// once per mesh. True when the array moved to new storage.
template <typename T>
bool ReserveMore(std::vector<T>& array, size_t more) {
    const size_t needed = array.size() + more;
    if (needed <= array.capacity()) return false;
    array.reserve(needed > 2 * array.capacity() ? needed : 2 * array.capacity());
    return true;
}

// Makes room for this many more vertices, faces and corners, so that the
// arrays of a large model are not regrown as it is read (each regrowth
// copies them into memory that is touched afresh).
void ReserveModel(ModelGeometry& model, size_t vertices, size_t faces, size_t corners);

// Empties the model; the arrays keep their storage for the next model.
void ClearModel(ModelGeometry& model);

// Drops every face that names a vertex outside the vertex list, keeping the
// order of the others. Returns the number of faces dropped.
size_t DropFacesOutsideVertices(ModelGeometry& model);
