#include "readers/obj/obj_reader.h"

#include "tests/support/test_support.h"

namespace {

struct ObjCase {
    const char* name;
    const char* text;
    size_t vertices;
    std::vector<std::vector<int32_t>> faces;
};

class ObjBothForms : public ::testing::TestWithParam<ObjCase> {};

// Lines that end with a line feed read alike from a file and from memory.
TEST_P(ObjBothForms, ReadsVerticesAndFaces) {
    const ObjCase& c = GetParam();
    for (const ReadOutcome& outcome : {ReadAsFile(ReadObjModel, AsBytes(c.text)), ReadAsMemory(ReadObjModel, AsBytes(c.text))}) {
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(outcome.model.vertices.size(), c.vertices);
        EXPECT_EQ(FaceCorners(outcome.model), c.faces);
        for (const FaceRecord& face : outcome.model.faces) EXPECT_EQ(face.materialIndex, -1);
    }
}

const char kTriangle[] = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, ObjBothForms,
    ::testing::Values(
        ObjCase{"triangle", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 3, {{0, 1, 2}}},
        ObjCase{"slashes", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/1/1 2/2/2 3/3/3\nf 1//1 2//2 3//3\n", 3, {{0, 1, 2}, {0, 1, 2}}},
        ObjCase{"two_corners", "v 0 0 0\nv 1 0 0\nf 1 2\n", 2, {}},
        ObjCase{"five_corners", "v 0 0 0\nf 1 2 3 4 5\n", 1, {{0, 1, 2, 3, 4}}},
        ObjCase{"tabs_do_not_separate", "v 0 0 0\nf\t1\t2\t3\n", 1, {}},
        ObjCase{"normals_textures", "vn 0 0 1\nvt 0.5 0.5\nv 1 2 3 1.0\n", 1, {}},
        ObjCase{"short_vertex_shifts_numbering", "v 1 2\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 3, {{0, 1, 2}}},
        ObjCase{"negative_indices_count_back", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\nv 0 0 1\nf -1 -2 -3\n", 4,
                {{0, 1, 2}, {3, 2, 1}}},
        ObjCase{"runs_of_blanks", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf  1   2  3 \n", 3, {{0, 1, 2}}},
        ObjCase{"crlf", "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n", 3, {{0, 1, 2}}},
        ObjCase{"ignored_lines", "# c\ng group\no obj\ns 1\nusemtl red\nmtllib a.mtl\nvp 1 2 3\n", 0, {}},
        ObjCase{"f_without_blank", "v 0 0 0\nv 1 0 0\nv 0 1 0\nfx1 2 3\n", 3, {{0, 1, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ObjReader, VertexPrecisionAndNumberSpellings) {
    const auto outcome = ReadAsMemory(ReadObjModel, AsBytes("v 1e2 -2.5 +0.125\nv 0x1p3 .5 5.\nv\t1\t2\t3\n"));
    ASSERT_EQ(outcome.model.vertices.size(), 3u);
    EXPECT_EQ(outcome.model.vertices[0].x, 100.0f);
    EXPECT_EQ(outcome.model.vertices[0].y, -2.5f);
    EXPECT_EQ(outcome.model.vertices[0].z, 0.125f);
    EXPECT_EQ(outcome.model.vertices[1].x, 8.0f);
    EXPECT_EQ(outcome.model.vertices[1].y, 0.5f);
    EXPECT_EQ(outcome.model.vertices[1].z, 5.0f);
    EXPECT_EQ(outcome.model.vertices[2].z, 3.0f);
}

// The forms differ where the format says so.
TEST(ObjReader, FileAndMemoryDifferAtTheEdges) {
    const std::string text = "v 0 0 0\r\nv 1 0 0\r\n\r\n  v 0 1 0\r\nf 1 2 3";
    const auto memory = ReadAsMemory(ReadObjModel, AsBytes(text));
    EXPECT_EQ(memory.model.vertices.size(), 3u);
    EXPECT_TRUE(memory.model.faces.empty()) << "the last line has no line end";
    const auto memoryEnded = ReadAsMemory(ReadObjModel, AsBytes(text + "\n"));
    EXPECT_EQ(memoryEnded.model.faces.size(), 1u);
    const auto file = ReadAsFile(ReadObjModel, AsBytes(text));
    EXPECT_EQ(file.model.vertices.size(), 3u);
    EXPECT_EQ(file.model.faces.size(), 1u) << "a file's last line is read";

    // Leading blanks of the first line: skipped in a file, not in memory.
    EXPECT_EQ(ReadAsFile(ReadObjModel, AsBytes("  v 1 2 3\n")).model.vertices.size(), 1u);
    EXPECT_EQ(ReadAsMemory(ReadObjModel, AsBytes("  v 1 2 3\n")).model.vertices.size(), 0u);
}

TEST(ObjReader, LongLinesAreReadWhole) {
    std::string text;
    for (int i = 0; i < 100; ++i) text.append("v ").append(std::to_string(i)).append(".000000000000000000001 0 0\n");
    std::string face = "f";
    for (int i = 1; i <= 100; ++i) face.append(" ").append(std::to_string(i));
    text += face + "\n";
    std::string comment = "# " + std::string(5000, 'x') + " f 1 2 3\n";
    text += comment;
    for (const ReadOutcome& outcome : {ReadAsFile(ReadObjModel, AsBytes(text)), ReadAsMemory(ReadObjModel, AsBytes(text))}) {
        ASSERT_EQ(outcome.model.vertices.size(), 100u);
        ASSERT_EQ(outcome.model.faces.size(), 1u) << "one face of 100 corners, no bogus faces";
        EXPECT_EQ(outcome.model.faces[0].vertexCount, 100);
        EXPECT_EQ(outcome.model.vertices[99].x, 99.0f);
    }
}

TEST(ObjReader, NeverWritesIntoTheMemoryImage) {
    const std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/2/3 2/2/2 3/1/1\n";
    const std::string before = text;
    InputSource input;
    input.bytes = AsBytes(text);
    ModelGeometry model;
    ReadObjModel(input, model);
    EXPECT_EQ(text, before);
    EXPECT_EQ(model.faces.size(), 1u);
}

struct RecognitionCase {
    const char* name;
    std::string head;
    bool memory, file;
};

class ObjRecognition : public ::testing::TestWithParam<RecognitionCase> {};

TEST_P(ObjRecognition, ByHeadAndByFile) {
    const RecognitionCase& c = GetParam();
    std::vector<uint8_t> hostBuffer(2000, 0);
    std::copy_n(c.head.begin(), std::min<size_t>(c.head.size(), 2000), hostBuffer.begin());
    EXPECT_EQ(RecognizeObj({hostBuffer, false}), c.memory) << "memory head";
    const std::string fileHead = c.head.substr(0, 2000);
    EXPECT_EQ(RecognizeObj({AsBytes(fileHead), true}), c.file) << "file head";
}

INSTANTIATE_TEST_SUITE_P(
    Heads, ObjRecognition,
    ::testing::Values(
        RecognitionCase{"vertex_line", "v 1 2 3\nf 1 1 1\n", true, true},
        RecognitionCase{"only_line_loses_its_end_in_a_file", "v 1 2 3\n", true, false},
        RecognitionCase{"comment_then_vertex", "# made by hand\nv 1 2 3\n\n", true, true},
        RecognitionCase{"byte_order_mark", "\xEF\xBB\xBFv 1 2 3\nv 1 1 1\n", false, false},
        RecognitionCase{"blank_first_line", "\nv 1 2 3\nv 1 1 1\n", false, false},
        RecognitionCase{"leading_blank", " v 1 2 3\nv 1 1 1\n", false, false},
        RecognitionCase{"capital_letter", "V 1 2 3\nv 1 1 1\n", false, false},
        RecognitionCase{"two_numbers_then_three", "v 1 2\nv 1 2 3\n\n", true, true},
        RecognitionCase{"unknown_letter_first", "x\nv 1 2 3\n\n", false, false},
        RecognitionCase{"comments_beyond_the_head", std::string(2100, '#') + "\nv 1 2 3\n", false, false},
        RecognitionCase{"crlf", "g a\r\nv 1 2 3\r\nv 1 1 1\r\n", true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
