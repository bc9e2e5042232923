#include "readers/x/x_parser.h"

#include <algorithm>
#include <optional>

#include "readers/x/x_binary_lexer.h"
#include "readers/x/x_text_lexer.h"

namespace {

// Frames nest by recursion; deeper files are refused rather than allowed to
// exhaust the host's stack.
constexpr int kMaxFrameDepth = 256;
// Fewest bytes either form spends on a vertex ("0;0;0;") and on a polygon
// ("3;0,1,2;"): reservations stay within what the input can hold.
constexpr size_t kMinVertexBytes = 6;
constexpr size_t kMinPolygonBytes = 8;

struct ObjectHead {
    std::string_view type;
    std::string_view name;

    // Exporters vary the case of template names ("TextureFileName").
    bool Is(std::string_view templateName) const {
        return type.size() == templateName.size() &&
               std::equal(type.begin(), type.end(), templateName.begin(),
                          [](char a, char b) { return (a | 0x20) == (b | 0x20); });
    }
};

template <class Lexer>
class XParser {
public:
    XParser(Lexer& lexer, XModelBuilder& builder) : lexer_(lexer), builder_(builder) {}

    bool ParseBody() {
        for (;;) {
            switch (lexer_.Peek()) {
                case XToken::End: return true;
                case XToken::CloseBrace: case XToken::Invalid: return false;
                case XToken::Name: {
                    ObjectHead head;
                    if (!OpenObject(head) || !ParseObject(head, 1)) return false;
                    break;
                }
                case XToken::OpenBrace:
                    lexer_.SkipToken();
                    if (!SkipXBody(lexer_)) return false;
                    break;
                case XToken::Template:
                    if (!SkipTemplate()) return false;
                    break;
                default:  // stray separators
                    lexer_.SkipToken();
            }
        }
    }

private:
    // Template definitions describe data this reader knows already.
    bool SkipTemplate() {
        lexer_.SkipToken();
        std::string_view name;
        return lexer_.TakeName(name) && lexer_.Take(XToken::OpenBrace) && SkipXBody(lexer_);
    }

    // "Type [name] {" and the optional GUID of the instance.
    bool OpenObject(ObjectHead& head) {
        if (!lexer_.TakeName(head.type)) return false;
        head.name = {};
        if (lexer_.Peek() != XToken::OpenBrace && !lexer_.TakeName(head.name)) return false;
        if (!lexer_.Take(XToken::OpenBrace)) return false;
        if (lexer_.Peek() == XToken::Guid) lexer_.SkipToken();
        return true;
    }

    // An object whose head has been read, up to and including its closing brace.
    bool ParseObject(const ObjectHead& head, int depth) {
        if (head.Is("Frame")) return ParseFrame(depth);
        if (head.Is("Mesh")) return ParseMesh();
        if (head.Is("Material")) return ParseMaterial(head.name, nullptr);
        return SkipXBody(lexer_);
    }

    // What follows an object's own members, up to and including its closing
    // brace: nested objects go to `child`, references `{ name }` to
    // `reference`, anything else is skipped.
    template <class OnChild, class OnReference>
    bool ParseChildren(OnChild child, OnReference reference) {
        for (;;) {
            switch (lexer_.Peek()) {
                case XToken::CloseBrace: lexer_.SkipToken(); return true;
                case XToken::End: case XToken::Invalid: return false;
                case XToken::Name: {
                    ObjectHead head;
                    if (!OpenObject(head) || !child(head)) return false;
                    break;
                }
                case XToken::OpenBrace:
                    if (!ParseReference(reference)) return false;
                    break;
                default: lexer_.SkipToken();
            }
        }
    }

    bool SkipChildren() {
        return ParseChildren([&](const ObjectHead&) { return SkipXBody(lexer_); }, [](std::string_view) {});
    }

    // "{ name }", "{ <guid> }" or "{ name <guid> }".
    template <class OnReference>
    bool ParseReference(OnReference reference) {
        lexer_.SkipToken();
        std::string_view name;
        if (lexer_.Peek() == XToken::Name || lexer_.Peek() == XToken::Number) lexer_.TakeName(name);
        if (lexer_.Peek() == XToken::Guid) lexer_.SkipToken();
        if (!lexer_.Take(XToken::CloseBrace)) return SkipXBody(lexer_);
        reference(name);
        return true;
    }

    bool ParseFrame(int depth) {
        if (depth > kMaxFrameDepth) return false;
        const size_t firstVertex = builder_.Model().vertices.size();
        std::optional<XMatrix> matrix;
        const bool parsed = ParseChildren(
            [&](const ObjectHead& head) {
                if (head.Is("FrameTransformMatrix")) return ParseMatrix(matrix);
                return ParseObject(head, depth + 1);
            },
            [](std::string_view) {});
        // Child frames have applied their own matrices already: this one
        // carries everything inside the frame into the parent's space.
        if (parsed && matrix) builder_.TransformVertices(firstVertex, *matrix);
        return parsed;
    }

    bool ParseMatrix(std::optional<XMatrix>& matrix) {
        XMatrix m;
        for (float& element : m) {
            if (!lexer_.ReadFloat(element)) return false;
        }
        matrix = m;
        return SkipChildren();
    }

    bool ParseMesh() {
        ModelGeometry& model = builder_.Model();
        const size_t base = model.vertices.size();
        uint32_t vertexCount = 0;
        if (!lexer_.ReadUint(vertexCount)) return false;
        ReserveModel(model, std::min<size_t>(vertexCount, lexer_.RemainingBytes() / kMinVertexBytes), 0, 0);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            Point3f p;
            if (!lexer_.ReadFloat(p.x) || !lexer_.ReadFloat(p.y) || !lexer_.ReadFloat(p.z)) return false;
            AppendVertex(model, p);
        }
        uint32_t polygonCount = 0;
        if (!lexer_.ReadUint(polygonCount)) return false;
        const size_t firstTriangle = builder_.TriangleCount();
        builder_.Reserve(std::min<size_t>(polygonCount, lexer_.RemainingBytes() / kMinPolygonBytes));
        for (uint32_t polygon = 0; polygon < polygonCount; ++polygon) {
            if (!ParsePolygon(polygon, base, vertexCount)) return false;
        }
        std::optional<XMaterialList> materials;
        const bool parsed = ParseChildren(
            [&](const ObjectHead& head) {
                if (!head.Is("MeshMaterialList")) return SkipXBody(lexer_);
                materials.emplace();
                return ParseMaterialList(*materials);
            },
            [](std::string_view) {});
        if (!parsed) return false;
        builder_.FinishMesh(firstTriangle, materials ? &*materials : nullptr);
        return true;
    }

    // A polygon of the mesh, cut into a fan of triangles around its first corner.
    bool ParsePolygon(uint32_t polygon, size_t base, uint32_t vertexCount) {
        uint32_t cornerCount = 0;
        if (!lexer_.ReadUint(cornerCount)) return false;
        int32_t first = 0, previous = 0;
        for (uint32_t k = 0; k < cornerCount; ++k) {
            uint32_t index = 0;
            if (!lexer_.ReadUint(index) || index >= vertexCount) return false;
            const int32_t corner = int32_t(base + index);
            if (k == 0) first = corner;
            if (k >= 2) builder_.AppendTriangle(first, previous, corner, polygon);
            previous = corner;
        }
        return true;
    }

    bool ParseMaterialList(XMaterialList& list) {
        uint32_t numberCount = 0;
        if (!lexer_.ReadUint(list.declaredCount) || !lexer_.ReadUint(numberCount)) return false;
        list.polygonMaterials.reserve(std::min<size_t>(numberCount, lexer_.RemainingBytes() / 2));
        for (uint32_t i = 0; i < numberCount; ++i) {
            uint32_t number = 0;
            if (!lexer_.ReadUint(number)) return false;
            list.polygonMaterials.push_back(number);
        }
        return ParseChildren(
            [&](const ObjectHead& head) {
                if (!head.Is("Material")) return SkipXBody(lexer_);
                RgbColor color;
                if (!ParseMaterial(head.name, &color)) return false;
                list.materials.push_back({color, {}});
                return true;
            },
            [&](std::string_view name) { list.materials.push_back({std::nullopt, std::string(name)}); });
    }

    // The diffuse red, green and blue; alpha, power, specular, emissive and
    // texture names are skipped.
    bool ParseMaterial(std::string_view name, RgbColor* out) {
        RgbColor color;
        if (!lexer_.ReadFloat(color.red) || !lexer_.ReadFloat(color.green) || !lexer_.ReadFloat(color.blue)) {
            return false;
        }
        builder_.NameMaterial(name, color);
        if (out) *out = color;
        return SkipChildren();
    }

    Lexer& lexer_;
    XModelBuilder& builder_;
};

}  // namespace

bool ParseXText(std::string_view body, XModelBuilder& builder) {
    XTextLexer lexer(body);
    return XParser<XTextLexer>(lexer, builder).ParseBody();
}

bool ParseXBinary(ByteSpan body, bool doubleFloats, XModelBuilder& builder) {
    XBinaryLexer lexer(body, doubleFloats);
    return XParser<XBinaryLexer>(lexer, builder).ParseBody();
}
