#include "core/model/model_geometry.h"

#include <algorithm>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Arrays of a large model are backed by 2 MB pages where the system offers
// them on request: a million-face model otherwise takes some ten thousand
// page faults to fill, a large part of its reading time.
template <typename T>
void ReserveLarge(std::vector<T>& array, size_t more) {
    if (!ReserveMore(array, more)) return;
#if defined(__linux__)
    constexpr size_t kHugePage = size_t(2) << 20;
    const size_t bytes = array.capacity() * sizeof(T);
    if (bytes < 2 * kHugePage) return;
    // Only whole pages inside the block; the advice is a hint, so its
    // result does not matter.
    const uintptr_t page = 4096;
    const uintptr_t begin = (uintptr_t(array.data()) + page - 1) & ~(page - 1);
    const uintptr_t end = (uintptr_t(array.data()) + bytes) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

}  // namespace

void AppendVertex(ModelGeometry& model, Point3f vertex) {
    model.vertices.push_back(vertex);
}

static uint32_t ColorSlotFor(ModelGeometry& model, int32_t materialIndex, RgbColor color) {
    if (materialIndex < 0) return 0;
    if (model.colorTable.empty() || !(model.colorTable.back() == color)) {
        model.colorTable.push_back(color);
    }
    return static_cast<uint32_t>(model.colorTable.size() - 1);
}

int32_t* AppendFaceCorners(ModelGeometry& model, int32_t count, int32_t materialIndex,
                           RgbColor color) {
    if (count < 0) count = 0;
    const uint32_t first = static_cast<uint32_t>(model.indexPool.size());
    model.indexPool.resize(model.indexPool.size() + static_cast<size_t>(count));
    model.faces.push_back({count, first, materialIndex, ColorSlotFor(model, materialIndex, color)});
    return model.indexPool.data() + first;
}

void AppendFace(ModelGeometry& model, std::span<const int32_t> indices, int32_t materialIndex,
                RgbColor color) {
    const uint32_t first = static_cast<uint32_t>(model.indexPool.size());
    model.indexPool.insert(model.indexPool.end(), indices.begin(), indices.end());
    model.faces.push_back({static_cast<int32_t>(indices.size()), first, materialIndex,
                           ColorSlotFor(model, materialIndex, color)});
}

void ClearModel(ModelGeometry& model) {
    model.vertices.clear();
    model.faces.clear();
    model.indexPool.clear();
    model.colorTable.clear();
}

size_t DropFacesOutsideVertices(ModelGeometry& model) {
    const uint32_t vertexCount = static_cast<uint32_t>(model.vertices.size());
    // Compacting in place needs the faces' corners to lie in face order in
    // the pool (as appending leaves them); a reader that reordered faces
    // gets a pool of its own.
    bool inPoolOrder = true;
    for (size_t i = 1; i < model.faces.size() && inPoolOrder; ++i) {
        const FaceRecord& before = model.faces[i - 1];
        inPoolOrder = model.faces[i].firstIndex >= before.firstIndex + uint32_t(before.vertexCount);
    }
    std::vector<int32_t> reordered;
    std::vector<int32_t>& pool = inPoolOrder ? model.indexPool : reordered;
    size_t kept = 0;
    uint32_t poolEnd = 0;
    for (const FaceRecord& face : model.faces) {
        std::span<const int32_t> corners = model.Corners(face);
        // Unsigned compare rejects negative indices too.
        const bool inside = std::all_of(corners.begin(), corners.end(), [&](int32_t index) {
            return static_cast<uint32_t>(index) < vertexCount;
        });
        if (!inside) continue;
        FaceRecord moved = face;
        moved.firstIndex = poolEnd;
        if (inPoolOrder) {
            // A kept face never moves forward, so the copy cannot overrun.
            std::copy(corners.begin(), corners.end(), pool.begin() + poolEnd);
        } else {
            pool.insert(pool.end(), corners.begin(), corners.end());
        }
        poolEnd += static_cast<uint32_t>(face.vertexCount);
        model.faces[kept++] = moved;
    }
    const size_t dropped = model.faces.size() - kept;
    model.faces.resize(kept);
    if (!inPoolOrder) model.indexPool.swap(reordered);
    model.indexPool.resize(poolEnd);
    return dropped;
}

void ReserveModel(ModelGeometry& model, size_t vertices, size_t faces, size_t corners) {
    ReserveLarge(model.vertices, vertices);
    ReserveLarge(model.faces, faces);
    ReserveLarge(model.indexPool, corners);
}
