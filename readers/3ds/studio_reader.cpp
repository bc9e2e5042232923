#include "readers/3ds/studio_reader.h"

namespace {

constexpr uint16_t kEditor = 0x3D3D;
constexpr uint16_t kObject = 0x4000;
constexpr uint16_t kTriangleMesh = 0x4100;
constexpr uint16_t kVertexList = 0x4110;
constexpr uint16_t kFaceList = 0x4120;

constexpr size_t kHeaderBytes = 6;
constexpr size_t kMaxNameBytes = 12;
constexpr size_t kVertexBytes = 12;
constexpr size_t kFaceBytes = 8;
constexpr size_t kVersionOffset = 28;

// One chunk: its id and the bytes after its header, up to its end.
struct Chunk {
    uint16_t id;
    ByteSpan content;
};

// Takes the chunk that starts at the cursor. A length that ends the chunk
// inside its own header or past its container counts as running out of data,
// so every step moves forward and no read leaves the container.
bool TakeChunk(ByteCursor& container, Chunk& chunk) {
    const size_t start = container.Position();
    uint32_t length = 0;
    if (!container.ReadLe16(chunk.id) || !container.ReadLe32(length)) return false;
    if (length < kHeaderBytes || length - kHeaderBytes > container.Remaining()) return false;
    chunk.content = container.Bytes().subspan(start + kHeaderBytes, length - kHeaderBytes);
    return container.Skip(length - kHeaderBytes);
}

// The vertices and faces a walk appends, or only counts: a counting walk
// over the chunk headers first lets the model be sized once.
class MeshWalk {
public:
    MeshWalk(ModelGeometry& model, bool countOnly) : model_(model), countOnly_(countOnly) {}

    size_t VertexCount() const { return vertexCount_; }
    size_t FaceCount() const { return faceCount_; }

    // The input is read as a main chunk whatever its id; bytes after it are
    // never looked at.
    bool ReadMain(ByteSpan input) {
        ByteCursor cursor(input);
        Chunk main;
        if (!TakeChunk(cursor, main)) return false;
        return Walk(main.content, [this](const Chunk& chunk) { return chunk.id == kEditor ? ReadEditor(chunk.content) : true; });
    }

private:
    // Calls `handle` for each sub-chunk in file order; false as soon as the
    // data runs out.
    template <typename Handle>
    static bool Walk(ByteSpan content, Handle handle) {
        ByteCursor cursor(content);
        Chunk chunk;
        while (!cursor.AtEnd()) {
            if (!TakeChunk(cursor, chunk) || !handle(chunk)) return false;
        }
        return true;
    }

    bool ReadEditor(ByteSpan content) {
        return Walk(content, [this](const Chunk& chunk) { return chunk.id == kObject ? ReadObject(chunk.content) : true; });
    }

    bool ReadObject(ByteSpan content) {
        // The name: up to and including its zero byte, at most 12 bytes, and
        // never past the chunk.
        size_t nameBytes = 0;
        while (nameBytes < kMaxNameBytes && nameBytes < content.size()) {
            if (content[nameBytes++] == 0) break;
        }
        return Walk(content.subspan(nameBytes),
                    [this](const Chunk& chunk) { return chunk.id == kTriangleMesh ? ReadTriangleMesh(chunk.content) : true; });
    }

    bool ReadTriangleMesh(ByteSpan content) {
        return Walk(content, [this](const Chunk& chunk) {
            if (chunk.id == kVertexList) return ReadVertexList(chunk.content);
            if (chunk.id == kFaceList) return ReadFaceList(chunk.content);
            return true;
        });
    }

    bool ReadVertexList(ByteSpan content) {
        ByteCursor cursor(content);
        uint16_t count = 0;
        ByteSpan records;
        if (!cursor.ReadLe16(count) || !cursor.Take(size_t(count) * kVertexBytes, records)) return false;
        vertexBase_ += lastVertexCount_;
        lastVertexCount_ = count;
        vertexCount_ += count;
        if (countOnly_) return true;
        for (size_t offset = 0; offset < records.size(); offset += kVertexBytes) {
            const uint8_t* record = records.data() + offset;
            AppendVertex(model_, {LoadLeFloat(record), LoadLeFloat(record + 4), LoadLeFloat(record + 8)});
        }
        return true;
    }

    // A face list refers to the vertex list read most recently, whichever
    // object holds it. Its flags and its own sub-chunks are not read.
    bool ReadFaceList(ByteSpan content) {
        ByteCursor cursor(content);
        uint16_t count = 0;
        ByteSpan records;
        if (!cursor.ReadLe16(count) || !cursor.Take(size_t(count) * kFaceBytes, records)) return false;
        faceCount_ += count;
        if (countOnly_) return true;
        for (size_t offset = 0; offset < records.size(); offset += kFaceBytes) {
            const uint8_t* record = records.data() + offset;
            int32_t* corners = AppendFaceCorners(model_, 3, -1);
            corners[0] = vertexBase_ + LoadLe16(record);
            corners[1] = vertexBase_ + LoadLe16(record + 2);
            corners[2] = vertexBase_ + LoadLe16(record + 4);
        }
        return true;
    }

    ModelGeometry& model_;
    bool countOnly_;
    size_t vertexCount_ = 0;
    size_t faceCount_ = 0;
    int32_t vertexBase_ = 0;       // vertices of all lists before the latest one
    int32_t lastVertexCount_ = 0;  // the count of the latest vertex list
};

}  // namespace

bool Recognize3ds(const RecognitionInput& input) {
    const ByteSpan head = input.head;
    return head.size() > kVersionOffset && head[0] == 0x4D && head[1] == 0x4D &&
           int8_t(head[kVersionOffset]) >= 2;
}

int32_t Read3dsModel(const InputSource& input, ModelGeometry& model) {
    // Every list counted lies inside the input, so the sizes are bounded by it.
    MeshWalk counting(model, true);
    if (!counting.ReadMain(input.bytes)) return 1;
    ReserveModel(model, counting.VertexCount(), counting.FaceCount(), 3 * size_t(counting.FaceCount()));
    return MeshWalk(model, false).ReadMain(input.bytes) ? 0 : 1;
}
