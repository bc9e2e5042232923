// LWO2: the points and polygons of every layer joined into one model, and
// surface colours reached through polygon tags. Each known chunk is read
// within its own size, so a malformed one cannot shift the walk off the
// chunk boundaries.
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

#include "readers/lwo/lwo_chunks.h"

namespace {

struct PolygonTag {
    uint32_t face;  // position in the model's face list
    uint16_t tag;
};

struct Lwo2Tables {
    std::vector<std::string_view> tagList;  // names point into the input
    std::vector<PolygonTag> polygonTags;    // in file order: a later entry wins
    std::map<std::string_view, RgbColor> surfaceColors;
    int32_t vertexBase = 0;
    int32_t faceBase = 0;
};

uint32_t LoadBe24(const uint8_t* p) { return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]; }

std::string_view TextAt(const uint8_t* begin, size_t length) {
    return {reinterpret_cast<const char*>(begin), length};
}

// The polygons of a list that lie wholly inside it: a polygon cut short by
// the end of its chunk ends the list.
struct PolygonSpan {
    const uint8_t* end;
    size_t faces = 0, corners = 0;
};

PolygonSpan MeasurePolygons(const uint8_t* p, const uint8_t* const end) {
    PolygonSpan span{p};
    while (end - p >= 2) {
        const uint32_t count = LoadBe16(p) & 0x3FF;
        const uint8_t* at = p + 2;
        for (uint32_t k = 0; k < count; ++k) {
            if (end - at < 2) return span;
            at += *at == 0xFF ? 4 : 2;
        }
        if (at > end) return span;
        p = span.end = at;
        ++span.faces;
        span.corners += count;
    }
    return span;
}

// A polygon type, then polygons: a count word whose low 10 bits are the
// corners, and the corners as 2-byte indices or, after 0xFF, 3-byte ones.
// Measured first, so that the faces are written in place in one go.
void AppendPolygons(ByteSpan data, int32_t vertexBase, ModelGeometry& model) {
    if (data.size() < 4) return;
    if (std::memcmp(data.data(), "FACE", 4) != 0 && std::memcmp(data.data(), "PTCH", 4) != 0) return;
    const uint8_t* p = data.data() + 4;
    const PolygonSpan span = MeasurePolygons(p, data.data() + data.size());
    const size_t firstFace = model.faces.size(), firstCorner = model.indexPool.size();
    model.faces.resize(firstFace + span.faces);
    model.indexPool.resize(firstCorner + span.corners);
    FaceRecord* face = model.faces.data() + firstFace;
    int32_t* const pool = model.indexPool.data();
    int32_t* corner = pool + firstCorner;
    const uint32_t base = uint32_t(vertexBase);
    while (p != span.end) {
        const uint32_t count = LoadBe16(p) & 0x3FF;
        p += 2;
        // No colour until the surfaces are joined; slot 0 as for any face without one.
        *face++ = {int32_t(count), uint32_t(corner - pool), -1, 0};
        for (uint32_t k = 0; k < count; ++k) {
            if (*p == 0xFF) {
                *corner++ = int32_t(base + LoadBe24(p + 1));
                p += 4;
            } else {
                *corner++ = int32_t(base + LoadBe16(p));
                p += 2;
            }
        }
    }
}

// Every run of non-zero bytes is one tag.
void AppendTags(ByteSpan data, std::vector<std::string_view>& tagList) {
    size_t at = 0;
    while (at < data.size()) {
        if (data[at] == 0) {
            ++at;
            continue;
        }
        const void* terminator = std::memchr(data.data() + at, 0, data.size() - at);
        const size_t end = terminator ? size_t(static_cast<const uint8_t*>(terminator) - data.data()) : data.size();
        tagList.push_back(TextAt(data.data() + at, end - at));
        at = end;
    }
}

// A tag type, then pairs of a polygon number and a 16-bit tag number. The
// polygon number takes the variable-length index form, as files of more
// than 65,280 polygons need; below that it is a plain 16-bit number.
void AppendPolygonTags(ByteSpan data, Lwo2Tables& tables) {
    if (data.size() <= 4 || std::memcmp(data.data(), "SURF", 4) != 0) return;
    ReserveMore(tables.polygonTags, (data.size() - 4) / 4);
    const uint8_t* p = data.data() + 4;
    const uint8_t* const end = data.data() + data.size();
    while (end - p >= 4) {
        const size_t numberBytes = *p == 0xFF ? 4 : 2;
        if (size_t(end - p) < numberBytes + 2) return;
        const uint32_t polygon = numberBytes == 4 ? LoadBe24(p + 1) : LoadBe16(p);
        tables.polygonTags.push_back({uint32_t(tables.faceBase) + polygon, LoadBe16(p + numberBytes)});
        p += numberBytes + 2;
    }
}

// A zero-terminated name padded to an even length; false when the chunk
// ends inside it.
bool ReadPaddedName(ByteSpan data, size_t& at, std::string_view& name) {
    const void* terminator = std::memchr(data.data() + at, 0, data.size() - at);
    if (!terminator) return false;
    const size_t end = size_t(static_cast<const uint8_t*>(terminator) - data.data());
    name = TextAt(data.data() + at, end - at);
    at = std::min(end + 1 + (name.size() % 2 == 0 ? 1 : 0), data.size());
    return true;
}

// A surface name, a source name, then sub-chunks with 16-bit sizes. A
// surface with a source takes the source's colour and nothing of its own.
void ReadSurface(ByteSpan data, Lwo2Tables& tables) {
    size_t at = 0;
    std::string_view name, source;
    if (!ReadPaddedName(data, at, name) || !ReadPaddedName(data, at, source)) return;
    if (!source.empty()) {
        const auto found = tables.surfaceColors.find(source);
        if (found != tables.surfaceColors.end()) tables.surfaceColors[name] = found->second;
        return;
    }
    while (data.size() - at >= 6) {
        const uint8_t* sub = data.data() + at;
        if (std::memcmp(sub, "COLR", 4) == 0) {
            if (data.size() - at < 18) return;
            tables.surfaceColors[name] = {LoadBeFloat(sub + 6), LoadBeFloat(sub + 10), LoadBeFloat(sub + 14)};
            return;
        }
        at += std::min<size_t>(6 + LoadBe16(sub + 4), data.size() - at);
    }
}

// A face whose tag names no tag, or a tag without a surface colour, keeps
// the object colour; an entry for a face beyond the faces is ignored.
void JoinSurfaces(const Lwo2Tables& tables, ModelGeometry& model) {
    constexpr int64_t kUnresolved = -2, kNoColor = -1;
    std::vector<int64_t> slotOfTag(tables.tagList.size(), kUnresolved);
    for (const PolygonTag& entry : tables.polygonTags) {
        if (entry.face >= model.faces.size()) continue;
        FaceRecord& face = model.faces[entry.face];
        face.materialIndex = -1;
        if (entry.tag >= tables.tagList.size()) continue;
        int64_t& slot = slotOfTag[entry.tag];
        if (slot == kUnresolved) {
            const auto found = tables.surfaceColors.find(tables.tagList[entry.tag]);
            slot = kNoColor;
            if (found != tables.surfaceColors.end()) {
                slot = int64_t(model.colorTable.size());
                model.colorTable.push_back(found->second);
            }
        }
        if (slot == kNoColor) continue;
        face.materialIndex = int32_t(entry.tag) + 1;
        face.colorSlot = uint32_t(slot);
    }
}

}  // namespace

int32_t ReadLwo2Chunks(LwoBlockReader& reader, ModelGeometry& model) {
    Lwo2Tables tables;
    while (const uint8_t* idBytes = reader.ReadBlock(4)) {
        const uint32_t id = LoadBe32(idBytes);
        uint32_t size = 0;
        reader.ReadBe32(size);
        switch (id) {
            case ChunkId("PNTS"):
                tables.vertexBase = model.VertexCount();
                AppendPoints(reader.ReadUpTo(size), model);
                break;
            case ChunkId("POLS"):
                tables.faceBase = model.FaceCount();
                AppendPolygons(reader.ReadUpTo(size), tables.vertexBase, model);
                break;
            case ChunkId("TAGS"): AppendTags(reader.ReadUpTo(size), tables.tagList); break;
            case ChunkId("PTAG"): AppendPolygonTags(reader.ReadUpTo(size), tables); break;
            case ChunkId("SURF"): ReadSurface(reader.ReadUpTo(size), tables); break;
            default: reader.SkipBytes(size); break;  // past the end: the next id read ends the walk
        }
    }
    JoinSurfaces(tables, model);
    return 0;
}
