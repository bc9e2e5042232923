// Input that is not a readable .x file fails, safely and in bounded time and memory.
#include "tests/unit/x/x_test_files.h"

namespace {

const char kMesh[] = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; "
                     "Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }\n";

TEST(XBadInput, MalformedText) {
    const struct {
        const char* name;
        const char* body;
    } cases[] = {
        {"garbage", "\x01\x02 !!! \xff"},
        {"vertex count beyond the data", "Mesh { 4000000000; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }"},
        {"polygon count beyond the data", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 4000000000; 3;0,1,2;; }"},
        {"corner count beyond the data", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000;0,1,2;; }"},
        {"material numbers beyond the data", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 4000000000; 0;; } }"},
        {"index beyond the vertices", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }"},
        {"negative index", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,-1;; }"},
        {"number running into a word", "Mesh { 3; 0;0;0;, 1.#QNAN;0;0;,\n 0;1;0;; 1; 3;0,1,2;; }"},
        {"not-a-number as printed", "Mesh { 3; 0;0;0;, -1.#IND00;0;0;,\n 0;1;0;; 1; 3;0,1,2;; }"},
        {"count too large for 32 bits", "Mesh { 4294967296; 0;0;0;; 1; 3;0,1,2;; }"},
        {"no closing brace", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "},
        {"unknown object never closed", "Header { 1; 0; 1; "},
        {"stray closing brace", "}"},
        {"unterminated string", "Header { \"abc }"},
        {"unterminated GUID", "Mesh { <1234 3; 0;0;0;; 0; }"},
        {"name without a body", "Mesh m ;"},
    };
    for (const auto& c : cases) {
        for (const ReadOutcome& outcome : {ReadX(XText(c.body)), ReadAsFile(ReadXModel, XText(c.body))}) {
            EXPECT_EQ(outcome.result, 1) << c.name;
        }
    }
}

// A file cut anywhere inside its objects fails; the full file reads.
TEST(XBadInput, TruncatedAtEveryByte) {
    const std::vector<uint8_t> text = XText(kMesh);
    XBinaryWriter w;
    w.Name("Mesh").Open().Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Integers({1, 3, 0, 1, 2});
    w.Name("MeshMaterialList").Open().Integers({1, 1, 0}).Name("Material").Open().Floats({1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    w.Close().Close().Close();
    const std::vector<uint8_t> binary = w.Bytes();
    const std::vector<uint8_t> compressed = CompressX(binary);
    // A header followed by nothing (text: a line end) is a file without objects.
    const struct {
        const std::vector<uint8_t>& bytes;
        size_t emptyUpTo, end;
    } files[] = {{text, 17, text.size() - 1}, {binary, 16, binary.size()}, {compressed, 0, compressed.size()}};
    for (const auto& file : files) {
        ASSERT_EQ(ReadX(file.bytes).result, 0);
        for (size_t cut = 0; cut < file.end; ++cut) {
            const ReadOutcome outcome = ReadX(std::vector<uint8_t>(file.bytes.begin(), file.bytes.begin() + ptrdiff_t(cut)));
            const bool empty = cut >= 16 && cut <= file.emptyUpTo;
            EXPECT_EQ(outcome.result, empty ? 0 : 1) << "cut at " << cut << " of " << file.bytes.size();
            if (empty) {
                EXPECT_TRUE(outcome.model.vertices.empty());
            }
        }
    }
}

TEST(XBadInput, MalformedBinary) {
    const auto mesh = [](std::vector<uint8_t> vertexListHead) {
        XBinaryWriter w;
        w.Name("Mesh").Open().Integers({3}).Raw(vertexListHead).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Integers({1, 3, 0, 1, 2}).Close();
        return w.Bytes();
    };
    ASSERT_EQ(ReadX(mesh({})).result, 0);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"unknown token", mesh({99, 0})},
        {"integer list longer than the data", mesh({6, 0, 0xff, 0xff, 0xff, 0x3f})},
        {"float list longer than the data", mesh({7, 0, 0xff, 0xff, 0xff, 0xff})},
        {"name longer than the data", mesh({1, 0, 0xff, 0xff, 0xff, 0xff})},
        {"floats where a count belongs", XBinaryWriter().Name("Mesh").Open().Floats({3}).Close().Bytes()},
        {"index beyond the vertices", XBinaryWriter().Name("Mesh").Open().Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0})
                                          .Integers({1, 3, 0, 1, 7}).Close().Bytes()},
        {"odd byte at the end", [&] { auto b = mesh({}); b.push_back(0); return b; }()},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadX(c.bytes).result, 1) << c.name;
}

// Unknown objects nested a hundred thousand deep are skipped without
// recursion; frames that deep are refused rather than run the stack out.
TEST(XBadInput, DeepNesting) {
    std::string unknown;
    for (int i = 0; i < 100000; ++i) unknown += "Extra {";
    unknown += std::string(100000, '}') + kMesh;
    const ReadOutcome skipped = ReadX(XText(unknown));
    EXPECT_EQ(skipped.result, 0);
    EXPECT_EQ(skipped.model.faces.size(), 1u);

    std::string frames;
    for (int i = 0; i < 5000; ++i) frames += "Frame {";
    frames += kMesh + std::string(5000, '}');
    EXPECT_EQ(ReadX(XText(frames)).result, 1);

    std::string shallow;
    for (int i = 0; i < 100; ++i) shallow += "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,0,0,1;; }";
    shallow += kMesh + std::string(100, '}');
    const ReadOutcome nested = ReadX(XText(shallow));
    ASSERT_EQ(nested.result, 0);
    EXPECT_EQ(nested.model.vertices[0].x, 100.0f) << "a hundred translations by one";
}

}  // namespace
