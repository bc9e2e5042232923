// The binary token stream, 64-bit floats and the compressed forms give the
// same model as the text form.
#include "tests/unit/x/x_test_files.h"

namespace {

enum : uint16_t { kComma = 19, kSemicolon = 20, kTemplate = 31, kGuid = 5, kDword = 41, kObracket = 14, kCbracket = 15 };

const char kTwoMaterialText[] = R"(
template Mesh { <3d82ab44-62da-11cf-ab39-0020af71e433> DWORD nVertices; array Vector vertices[nVertices]; [...] }
Frame f {
 FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 1,1,1,1;; }
 Mesh m {
  4; 0.5;0;0;, 1;0;0;, 1;1;0;, 0;1;-0.25;;
  2; 4;0,1,2,3;, 3;3,2,1;;
  MeshNormals { 1; 0;0;1;; 2; 4;0,0,0,0;, 3;0,0,0;; }
  MeshMaterialList { 2; 2; 1,0;;
   Material { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; }
   Material { 0;0.5;1;1;; 5; 0;0;0;; 0;0;0;; TextureFilename { "t.png"; } }
  }
 }
}
)";

std::vector<uint8_t> TwoMaterialBinary(bool doubleFloats) {
    XBinaryWriter w(doubleFloats);
    w.Token(kTemplate).Name("Mesh").Open().Token(kGuid).Raw(std::vector<uint8_t>(16, 0xab))
        .Token(kDword).Name("nVertices").Token(kSemicolon).Token(kObracket).Token(kCbracket).Close();
    w.Name("Frame").Name("f").Open();
    w.Name("FrameTransformMatrix").Open().Floats({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 1, 1, 1}).Close();
    w.Name("Mesh").Name("m").Open().Integers({4}).Floats({0.5, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, -0.25})
        .Integers({2, 4, 0, 1, 2, 3, 3, 3, 2, 1});
    w.Name("MeshNormals").Open().Integers({1}).Floats({0, 0, 1}).Integers({2, 4, 0, 0, 0, 0, 3, 0, 0, 0}).Close();
    w.Name("MeshMaterialList").Open().Integers({2, 2, 1, 0});
    w.Name("Material").Open().Floats({1, 0, 0, 1, 5, 0, 0, 0, 0, 0, 0}).Close();
    w.Name("Material").Open().Floats({0, 0.5, 1, 1, 5, 0, 0, 0, 0, 0, 0});
    w.Name("TextureFilename").Open().Token(2).Raw({5, 0, 0, 0, 't', '.', 'p', 'n', 'g', kSemicolon, 0}).Close();
    w.Close().Close().Close().Close();
    return w.Bytes();
}

TEST(XEncodings, AllFormsGiveTheTextModel) {
    const ReadOutcome text = ReadX(XText(kTwoMaterialText));
    ASSERT_EQ(text.result, 0);
    ASSERT_EQ(text.model.vertices.size(), 4u);
    EXPECT_EQ(text.model.vertices[0].x, 2.0f) << "the frame matrix applies";
    EXPECT_EQ(text.model.vertices[3].z, 0.5f);
    ASSERT_EQ(text.model.faces.size(), 3u);

    const std::vector<uint8_t> binary = TwoMaterialBinary(false);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } forms[] = {
        {"binary", binary},
        {"binary 64-bit floats", TwoMaterialBinary(true)},
        {"tzip", CompressX(XText(kTwoMaterialText))},
        {"bzip", CompressX(binary)},
        {"tzip in small blocks", CompressX(XText(kTwoMaterialText), 100)},
        {"bzip in small blocks", CompressX(binary, 64)},
    };
    for (const auto& form : forms) {
        const ReadOutcome outcome = ReadX(form.bytes);
        EXPECT_EQ(outcome.result, 0) << form.name;
        EXPECT_TRUE(SameModel(outcome.model, text.model)) << form.name;
    }
}

// A text file of many blocks, each of which refers back into the one before.
TEST(XEncodings, CompressedBlocksShareTheirHistory) {
    std::string text = "Mesh {\n 5000;\n";
    for (int i = 0; i < 5000; ++i) {
        text.append(" ").append(std::to_string(i)).append(".5;0.25;-1;").append(i + 1 < 5000 ? ",\n" : ";\n");
    }
    text += " 1000;\n";
    for (int i = 0; i < 1000; ++i) {
        text.append(" 3;").append(std::to_string(3 * i)).append(",").append(std::to_string(3 * i + 1)).append(",");
        text.append(std::to_string(3 * i + 2)).append(i + 1 < 1000 ? ";,\n" : ";;\n");
    }
    text += "}\n";
    const std::vector<uint8_t> file = XText(text);
    ASSERT_GT(file.size(), 3 * 32768u);
    const ReadOutcome plain = ReadX(file);
    ASSERT_EQ(plain.result, 0);
    ASSERT_EQ(plain.model.faces.size(), 1000u);
    EXPECT_EQ(plain.model.vertices[4999].x, 4999.5f);
    const ReadOutcome compressed = ReadX(CompressX(file));
    EXPECT_EQ(compressed.result, 0);
    EXPECT_TRUE(SameModel(compressed.model, plain.model));
}

// Sizes that do not match what the blocks hold, and corrupt blocks, fail.
TEST(XEncodings, LyingOrCorruptCompressedBodies) {
    const std::vector<uint8_t> good = CompressX(XText(kTwoMaterialText), 100);
    ASSERT_EQ(ReadX(good).result, 0);
    const auto patched = [&](size_t offset, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> copy = good;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + ptrdiff_t(offset));
        return copy;
    };
    const uint32_t total = uint32_t(XText(kTwoMaterialText).size());
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"stated size too small", patched(16, {1, 0, 0, 0})},
        {"stated size zero", patched(16, {0, 0, 0, 0})},
        {"stated size too large", patched(16, {uint8_t(total + 40), uint8_t((total + 40) >> 8), 0, 0})},
        {"stated size huge", patched(16, {0xff, 0xff, 0xff, 0xff})},
        {"block size too large", patched(20, {101, 0})},
        {"block size too small", patched(20, {99, 0})},
        {"packed size past the end", patched(22, {0xff, 0xff})},
        {"no CK", patched(24, {'C', 'J'})},
        {"corrupt deflate data", patched(26, {0xff, 0xff, 0xff, 0xff})},
        {"cut inside a block", std::vector<uint8_t>(good.begin(), good.end() - 5)},
        {"cut after the header", std::vector<uint8_t>(good.begin(), good.begin() + 18)},
        {"trailing bytes", [&] { auto copy = good; copy.push_back(0); return copy; }()},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadX(c.bytes).result, 1) << c.name;
    // Writers that leave the header out of the stated size are read too.
    EXPECT_EQ(ReadX(patched(16, {uint8_t(total - 16), uint8_t((total - 16) >> 8), 0, 0})).result, 0);
}

TEST(XEncodings, Headers) {
    const std::string body = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
    const struct {
        const char* header;
        int32_t result;
    } cases[] = {
        {"xof 0302txt 0032", 0}, {"xof 0303txt 0064", 0}, {"xof 0303TXT 0032", 1}, {"xof 0303txt 0016", 1},
        {"xof 0303zip 0032", 1}, {"xof 0303txt", 1},      {"xof ", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadX(Bytes(std::string(c.header) + (std::strlen(c.header) == 16 ? body : ""))).result, c.result)
            << c.header;
    }
}

}  // namespace

namespace {

// The fixture in each encoding: frames, an inline and a referenced
// material, a mesh outside every frame.
TEST(XEncodings, FixtureInEveryEncoding) {
    const ReadOutcome text = ReadX(ReadFileBytes(FixturePath("x/frames_materials_text.x")));
    ASSERT_EQ(text.result, 0);
    ASSERT_EQ(text.model.vertices.size(), 8u);
    EXPECT_EQ(text.model.vertices[1].x, 1.0f) << "(1,0,0) turned to (0,1,0), moved by (1,0,0) and (0,2,0)";
    EXPECT_EQ(text.model.vertices[1].y, 3.0f);
    EXPECT_EQ(text.model.vertices[5].x, 2.0f) << "outside the frames";
    EXPECT_EQ(FaceCorners(text.model), (std::vector<std::vector<int32_t>>{{5, 6, 7}, {0, 1, 4}, {0, 1, 2}, {0, 2, 3}}));
    EXPECT_EQ(text.model.Color(text.model.faces[1]), (RgbColor{1, 0, 0}));
    EXPECT_EQ(text.model.Color(text.model.faces[2]), (RgbColor{0.2f, 0.4f, 0.8f}));
    for (const char* name : {"x/frames_materials_bin32.x", "x/frames_materials_bin64.x", "x/frames_materials_tzip.x",
                             "x/frames_materials_bzip.x"}) {
        const ReadOutcome other = ReadAsFile(ReadXModel, ReadFileBytes(FixturePath(name)));
        EXPECT_EQ(other.result, 0) << name;
        EXPECT_TRUE(SameModel(other.model, text.model)) << name;
    }
}

}  // namespace
