#include "readers/mqo/mqo_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "readers/common/line_pieces.h"
#include "readers/common/text_input.h"
#include "readers/mqo/mqo_lines.h"

namespace {

constexpr std::string_view kSignature = "Metasequoia Document";
constexpr size_t kLineChars = 255;  // the format's tools read lines into 256 bytes
constexpr size_t kRawVertexBytes = 12;
constexpr size_t kShortestVertexLine = 6;  // "0 0 0\n"
constexpr size_t kShortestFaceLine = 11;   // "3 V(0 1 2)\n"

enum class Chunk { TopLevel, Vertex, BinaryVertex, Face, Material };

// A line is C text: it ends at its first zero byte.
std::string_view UpToZero(std::string_view text) {
    const size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// The document's materials: as many as the "Material" line declares, their
// colours filled in line by line.
class MaterialTable {
public:
    void Reset(int32_t declared) {
        declared_ = declared > 0 ? declared : 0;
        colors_.clear();
    }
    // A material line beyond the declared count is ignored.
    void AddLine(std::string_view line) {
        if (int64_t(colors_.size()) >= declared_) return;
        colors_.emplace_back();
        ParseMaterialColor(line, colors_.back());
    }
    // The colour of a declared material; one whose line is missing is black.
    std::optional<RgbColor> Find(int32_t index) const {
        if (index < 0 || index >= declared_) return std::nullopt;
        return size_t(index) < colors_.size() ? colors_[size_t(index)] : RgbColor{};
    }

private:
    int32_t declared_ = 0;
    std::vector<RgbColor> colors_;
};

class DocumentReader {
public:
    DocumentReader(const InputSource& input, ModelGeometry& model)
        : bytes_(input.bytes), lines_(input.bytes, kLineChars, !input.fromFile), model_(model) {}

    void Run() {
        std::string_view piece;
        while (lines_.Next(piece)) HandleLine(UpToZero(piece));
    }

private:
    void HandleLine(std::string_view line) {
        const std::string_view token = FirstToken(line);
        if (token.empty()) return;
        if (token[0] == '}') {
            chunk_ = Chunk::TopLevel;
            return;
        }
        switch (chunk_) {
            case Chunk::TopLevel: HandleTopLevel(line, token); break;
            case Chunk::Vertex:
                ParseVertexLine(line, current_);
                AppendVertex(model_, current_);
                break;
            case Chunk::BinaryVertex:
                if (token == "Vector") ReadRawVertices(ParseCountAfterToken(line).value_or(0));
                break;
            case Chunk::Face: HandleFace(line); break;
            case Chunk::Material: materials_.AddLine(line); break;
        }
    }

    void HandleTopLevel(std::string_view line, std::string_view token) {
        if (token == "Object") {
            objectBase_ = model_.VertexCount();
        } else if (token == "vertex") {
            ReserveModel(model_, DeclaredCount(line, kShortestVertexLine), 0, 0);
            chunk_ = Chunk::Vertex;
        } else if (token == "BVertex") {
            chunk_ = Chunk::BinaryVertex;
        } else if (token == "face") {
            const size_t faces = DeclaredCount(line, kShortestFaceLine);
            ReserveModel(model_, 0, faces, 3 * faces);
            chunk_ = Chunk::Face;
        } else if (token == "Material") {
            materials_.Reset(ParseMaterialCount(line).value_or(0));
            chunk_ = Chunk::Material;
        }
    }

    // The count a chunk line declares is only a hint for sizing the model: no
    // more than the rest of the input can hold is taken from it.
    size_t DeclaredCount(std::string_view line, size_t shortestLine) const {
        const int32_t declared = ParseCountAfterToken(line).value_or(0);
        const size_t room = (bytes_.size() - lines_.Position()) / shortestLine;
        return declared > 0 ? std::min(size_t(declared), room) : 0;
    }

    // The records follow the "Vector" line's line feed directly. A count
    // beyond the input takes the whole records there are and ends the input.
    void ReadRawVertices(int32_t count) {
        if (count < 1) return;
        size_t position = lines_.Position();
        const size_t present = (bytes_.size() - position) / kRawVertexBytes;
        const size_t records = size_t(count) < present ? size_t(count) : present;
        ReserveModel(model_, records, 0, 0);
        for (size_t i = 0; i < records; ++i, position += kRawVertexBytes) {
            const uint8_t* record = bytes_.data() + position;
            current_ = {LoadLeFloat(record), LoadLeFloat(record + 4), LoadLeFloat(record + 8)};
            AppendVertex(model_, current_);
        }
        lines_.SetPosition(records == size_t(count) ? position : bytes_.size());
    }

    // Triangles and quadrilaterals only; a face whose index list does not
    // parse is dropped rather than drawn with made-up corners.
    void HandleFace(std::string_view line) {
        const int32_t count = ParseFaceCornerCount(line).value_or(0);
        if (count != 3 && count != 4) return;
        int32_t indices[4];
        if (!ParseFaceIndices(line, count, indices)) return;
        for (int32_t i = 0; i < count; ++i) indices[i] = Absolute(indices[i]);
        // A material that the table does not hold leaves the face in the
        // object colour.
        int32_t materialIndex = ParseFaceMaterial(line).value_or(-1);
        const std::optional<RgbColor> color = materials_.Find(materialIndex);
        if (!color) materialIndex = -1;
        AppendFace(model_, std::span<const int32_t>(indices, size_t(count)), materialIndex, color.value_or(RgbColor{}));
    }

    // An index that leaves the int32 range names no vertex either; the frame
    // drops faces that name none.
    int32_t Absolute(int32_t index) const {
        const int64_t absolute = int64_t(index) + objectBase_;
        return absolute >= 0 && absolute <= INT32_MAX ? int32_t(absolute) : -1;
    }

    ByteSpan bytes_;
    LinePieceReader lines_;
    ModelGeometry& model_;
    Chunk chunk_ = Chunk::TopLevel;
    int32_t objectBase_ = 0;
    MaterialTable materials_;
    Point3f current_{0, 0, 0};
};

}  // namespace

bool RecognizeMqo(const RecognitionInput& input) {
    const std::string_view head = AsText(input.head);
    const size_t end = head.find_first_of(std::string_view("\r\n\0", 3));
    return head.substr(0, end) == kSignature;
}

int32_t ReadMqoModel(const InputSource& input, ModelGeometry& model) {
    DocumentReader(input, model).Run();
    return 0;
}
