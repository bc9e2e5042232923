// LWOB: points, polygons with 16-bit surface numbers, the surface names of
// SRFS and the colours of SURF. Colours join the faces after the walk, so
// the chunks may come in any order.
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "readers/lwo/lwo_chunks.h"

namespace {

struct Surface {
    std::string_view name;  // points into the input, which outlives the walk
    RgbColor color;
};

enum SeenChunk : unsigned { kPoints = 1, kPolygons = 2, kSurfaceNames = 4, kSurface = 8, kAllSeen = 15 };

std::string_view NameAt(ByteSpan data, size_t begin, size_t end) {
    return {reinterpret_cast<const char*>(data.data()) + begin, end - begin};
}

// Vertex count, that many 16-bit point indices, signed surface number; a
// polygon of fewer than three points is passed over whole.
void AppendPolygons(ByteSpan data, ModelGeometry& model) {
    const size_t words = data.size() / 2;
    auto word = [&](size_t at) { return LoadBe16(data.data() + 2 * at); };
    for (size_t at = 0; at < words;) {
        const uint32_t count = word(at);
        if (count + 2 > words - at) break;  // runs past its chunk: not read
        if (count >= 3) {
            const int16_t surface = int16_t(word(at + 1 + count));
            int32_t* corners = AppendFaceCorners(model, int32_t(count), surface == 0 ? -1 : std::abs(int32_t(surface)));
            for (uint32_t k = 0; k < count; ++k) corners[k] = word(at + 1 + k);
        }
        at += count + 2;
    }
}

// Zero-terminated names; a second zero after a name is its pad byte.
std::vector<Surface> ReadSurfaceNames(ByteSpan data) {
    std::vector<Surface> surfaces;
    size_t begin = 0;
    for (size_t at = 0; at < data.size(); ++at) {
        if (data[at] != 0) continue;
        surfaces.push_back({NameAt(data, begin, at), {0, 0, 0}});
        if (at + 1 < data.size() && data[at + 1] == 0) ++at;
        begin = at + 1;
    }
    return surfaces;
}

// Only a COLR sub-chunk that comes first is looked at: after its id and
// 16-bit size, red, green and blue bytes.
void TakeSurfaceColor(ByteSpan data, std::vector<Surface>& surfaces) {
    const void* terminator = std::memchr(data.data(), 0, data.size());
    if (!terminator) return;
    const size_t nameEnd = size_t(static_cast<const uint8_t*>(terminator) - data.data());
    size_t subChunk = nameEnd + 1;
    if (subChunk < data.size() && data[subChunk] == 0) ++subChunk;
    if (data.size() < subChunk + 9 || std::memcmp(data.data() + subChunk, "COLR", 4) != 0) return;
    const std::string_view name = NameAt(data, 0, nameEnd);
    for (Surface& surface : surfaces) {
        if (surface.name != name) continue;
        const uint8_t* rgb = data.data() + subChunk + 6;
        surface.color = {float(rgb[0] * (1.0 / 255)), float(rgb[1] * (1.0 / 255)), float(rgb[2] * (1.0 / 255))};
        return;
    }
}

// Faces of a surface beyond the table keep their number and stay black,
// as an SRFS surface without a colour does.
void ColorFaces(const std::vector<Surface>& surfaces, size_t firstFace, ModelGeometry& model) {
    const size_t firstSlot = model.colorTable.size();
    for (const Surface& surface : surfaces) model.colorTable.push_back(surface.color);
    for (size_t f = firstFace; f < model.faces.size(); ++f) {
        FaceRecord& face = model.faces[f];
        if (face.materialIndex >= 1 && size_t(face.materialIndex) <= surfaces.size()) {
            face.colorSlot = uint32_t(firstSlot + size_t(face.materialIndex) - 1);
        }
    }
}

unsigned FlagOf(uint32_t id) {
    switch (id) {
        case ChunkId("PNTS"): return kPoints;
        case ChunkId("POLS"): return kPolygons;
        case ChunkId("SRFS"): return kSurfaceNames;
        case ChunkId("SURF"): return kSurface;
        default: return 0;
    }
}

}  // namespace

int32_t ReadLwobChunks(LwoBlockReader& reader, ModelGeometry& model) {
    std::vector<Surface> surfaces;
    const size_t firstFace = model.faces.size();
    unsigned seen = 0;
    int32_t result = 0;
    while (const uint8_t* idBytes = reader.ReadBlock(4)) {
        const unsigned flag = FlagOf(LoadBe32(idBytes));
        if (flag == 0 && seen == kAllSeen) break;
        uint32_t size = 0;
        reader.ReadBe32(size);  // when cut short, a memory image cannot be skipped below
        if (flag == 0) {
            if (!reader.SkipBytes(size)) {
                result = 1;
                break;
            }
            continue;
        }
        const ByteSpan data = reader.ReadUpTo(size);
        switch (flag) {
            case kPoints: AppendPoints(data, model); break;
            case kPolygons: AppendPolygons(data, model); break;
            case kSurfaceNames: surfaces = ReadSurfaceNames(data); break;
            case kSurface: TakeSurfaceColor(data, surfaces); break;
        }
        seen |= flag;
    }
    ColorFaces(surfaces, firstFace, model);
    return result;
}
