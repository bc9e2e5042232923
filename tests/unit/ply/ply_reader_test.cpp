#include "readers/ply/ply_reader.h"

#include <filesystem>

#include "tests/support/test_support.h"
#include "tests/unit/ply/ply_test_support.h"

namespace {

using Faces = std::vector<std::vector<int32_t>>;

const std::string kFourVertices = "0 0 0\n1 0 0\n1 1 0\n0 1 0\n";
const std::string kVertexXyz = "element vertex 4\nproperty float x\nproperty float y\nproperty float z\n";

std::string AsciiPly(const std::string& declarations, const std::string& body) {
    return PlyHeader("ascii", declarations) + body;
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    int32_t result;
    size_t vertices;
    Faces faces;
};

class PlyReaderBothForms : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(PlyReaderBothForms, BuildsTheModel) {
    const ReaderCase& c = GetParam();
    for (const ReadOutcome& outcome : {ReadAsFile(ReadPlyModel, AsBytes(c.bytes)), ReadAsMemory(ReadPlyModel, AsBytes(c.bytes))}) {
        EXPECT_EQ(outcome.result, c.result);
        if (c.result != 0) continue;
        EXPECT_EQ(outcome.model.vertices.size(), c.vertices);
        EXPECT_EQ(FaceCorners(outcome.model), c.faces);
        for (const FaceRecord& face : outcome.model.faces) EXPECT_EQ(face.materialIndex, -1);
    }
}

const std::string kFaceList = "element face 2\nproperty list uchar int vertex_indices\n";
const std::string kStrips = "element tristrips 1\nproperty list int int vertex_indices\n";
const std::string kSevenVertices =
    "element vertex 7\nproperty float x\nproperty float y\nproperty float z\n";
const std::string kSevenBody = "0 0 0\n1 0 0\n0 1 0\n1 1 0\n2 0 0\n3 0 0\n2 1 0\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PlyReaderBothForms,
    ::testing::Values(
        ReaderCase{"triangle_and_quad", AsciiPly(kVertexXyz + kFaceList, kFourVertices + "3 0 1 2\n4 0 1 2 3\n"), 0, 4,
                   {{0, 1, 2}, {0, 1, 2, 3}}},
        ReaderCase{"strip_with_restart", AsciiPly(kSevenVertices + kStrips, kSevenBody + "8 0 1 2 3 -1 4 5 6\n"), 0, 7,
                   {{0, 1, 2}, {3, 2, 1}, {4, 5, 6}}},
        ReaderCase{"strip_alternates_winding",
                   AsciiPly(kSevenVertices + kStrips, kSevenBody + "6 1 2 3 4 5 6\n"), 0, 7,
                   {{1, 2, 3}, {4, 3, 2}, {3, 4, 5}, {6, 5, 4}}},
        ReaderCase{"short_strips_and_joints",
                   AsciiPly(kSevenVertices + "element tristrips 2\nproperty list int int vertex_indices\n",
                            kSevenBody + "2 0 1\n5 0 1 1 -1 2\n"),
                   0, 7, {{0, 1, 1}}},
        ReaderCase{"faces_and_strips",
                   AsciiPly(kSevenVertices + "element face 1\nproperty list uchar int vertex_indices\n" + kStrips,
                            kSevenBody + "3 6 5 4\n3 0 1 2\n"),
                   0, 7, {{6, 5, 4}, {0, 1, 2}}},
        ReaderCase{"small_and_empty_faces", AsciiPly(kVertexXyz + "element face 3\nproperty list uchar int vertex_indices\n",
                                                     kFourVertices + "0\n1 3\n2 0 1\n"),
                   0, 4, {{3}, {0, 1}}},
        ReaderCase{"float_indices_truncate",
                   AsciiPly(kVertexXyz + "element face 1\nproperty list uchar float vertex_indices\n", kFourVertices + "3 0.5 1.99 2.9\n"),
                   0, 4, {{0, 1, 2}}},
        ReaderCase{"other_properties_and_elements_dropped",
                   AsciiPly("element material 1\nproperty uchar red\n" + kVertexXyz + "property float nx\n" +
                                "element face 1\nproperty uchar flags\nproperty list uchar int vertex_indices\nproperty float q\n",
                            "9\n0 0 0 1\n1 0 0 1\n1 1 0 1\n0 1 0 1\n7 3 3 2 1 0.5\n"),
                   0, 4, {{3, 2, 1}}},
        ReaderCase{"index_equal_to_vertex_count", AsciiPly(kVertexXyz + kFaceList, kFourVertices + "3 0 1 2\n3 1 2 4\n"), 2, 0, {}},
        ReaderCase{"negative_face_index", AsciiPly(kVertexXyz + kFaceList, kFourVertices + "3 0 1 2\n3 -1 2 3\n"), 2, 0, {}},
        ReaderCase{"strip_index_past_the_vertices", AsciiPly(kSevenVertices + kStrips, kSevenBody + "3 0 1 7\n"), 2, 0, {}},
        ReaderCase{"faces_without_vertex_element",
                   AsciiPly("element face 1\nproperty list uchar int vertex_indices\n", "3 0 0 0\n"), 2, 0, {}},
        ReaderCase{"vertex_without_x",
                   AsciiPly("element vertex 3\nproperty float y\nproperty float z\n" + kFaceList, "0 0\n1 0\n0 1\n3 0 1 2\n"), 2,
                   0, {}},
        ReaderCase{"point_cloud", AsciiPly(kVertexXyz, kFourVertices), 0, 4, {}},
        ReaderCase{"vertex_index_singular",
                   AsciiPly(kVertexXyz + "element face 1\nproperty list uchar int vertex_index\n", kFourVertices + "3 0 1 2\n"),
                   0, 4, {}},
        ReaderCase{"scalar_vertex_indices",
                   AsciiPly(kVertexXyz + "element face 2\nproperty int vertex_indices\n" +
                                "element tristrips 1\nproperty int vertex_indices\n",
                            kFourVertices + "0\n2\n1\n"),
                   0, 4, {}},
        ReaderCase{"body_ends_early", AsciiPly(kVertexXyz + kFaceList, kFourVertices + "3 0 1 2\n"), 2, 0, {}},
        ReaderCase{"lying_list_length",
                   PlyBytes().Text(PlyHeader("binary_little_endian", kVertexXyz + "element face 1\nproperty list uint int vertex_indices\n"))
                       .Value<float>(0).Value<float>(0).Value<float>(0).Value<float>(1).Value<float>(0).Value<float>(0)
                       .Value<float>(1).Value<float>(1).Value<float>(0).Value<float>(0).Value<float>(1).Value<float>(0)
                       .Value<uint32_t>(4000000000u).Value<int32_t>(0).Value<int32_t>(1).Value<int32_t>(2).Bytes(),
                   2, 0, {}},
        ReaderCase{"not_ply", "solid cube\nfacet normal 0 0 1\n", 2, 0, {}},
        ReaderCase{"header_fails", "ply\nformat ascii 2.0\nend_header\n", 2, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlyReader, VertexIsCompletedByItsZ) {
    ASSERT_EQ(ReadAsMemory(ReadPlyModel, AsBytes(AsciiPly("element vertex 1\nproperty float x\nproperty float y\nproperty float z\n",
                                                          "7 8 9\n"))).result, 0);
    const auto outcome = ReadAsMemory(ReadPlyModel, AsBytes(AsciiPly(
        "element vertex 2\nproperty double z\nproperty float x\nproperty float y\n", "1 2 3\n4 5 6\n")));
    ASSERT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.model.vertices.size(), 2u);
    EXPECT_EQ(outcome.model.vertices[0].x, 0.0f) << "nothing of the request before";
    EXPECT_EQ(outcome.model.vertices[0].z, 1.0f);
    EXPECT_EQ(outcome.model.vertices[1].x, 2.0f) << "the second vertex carries the first one's x and y";
    EXPECT_EQ(outcome.model.vertices[1].y, 3.0f);
    EXPECT_EQ(outcome.model.vertices[1].z, 4.0f);
}

// One cube in the three storage formats.
TEST(PlyReader, StorageFormatsGiveTheSameModel) {
    const std::string declarations =
        "element vertex 4\nproperty double x\nproperty float y\nproperty int16 z\n"
        "element face 2\nproperty list uint8 uint32 vertex_indices\n";
    const double coordinates[4][3] = {{0.1, -2.5, 3}, {1e-3, 7, -4}, {123.456, 0, 0}, {-1, 1, 32767}};
    std::string ascii = PlyHeader("ascii", declarations);
    PlyBytes little(false), big(true);
    little.Text(PlyHeader("binary_little_endian", declarations));
    big.Text(PlyHeader("binary_big_endian", declarations));
    for (const auto& v : coordinates) {
        ascii += std::to_string(v[0]) + " " + std::to_string(v[1]) + " " + std::to_string(int(v[2])) + "\n";
        for (PlyBytes* bytes : {&little, &big}) bytes->Value<double>(std::stod(std::to_string(v[0]))).Value<float>(float(v[1])).Value<int16_t>(int16_t(v[2]));
    }
    ascii += "3 0 1 2\n4 3 2 1 0\n";
    for (PlyBytes* bytes : {&little, &big}) {
        bytes->Value<uint8_t>(3).Value<uint32_t>(0).Value<uint32_t>(1).Value<uint32_t>(2);
        bytes->Value<uint8_t>(4).Value<uint32_t>(3).Value<uint32_t>(2).Value<uint32_t>(1).Value<uint32_t>(0);
    }
    const ReadOutcome fromAscii = ReadAsFile(ReadPlyModel, AsBytes(ascii));
    ASSERT_EQ(fromAscii.result, 0);
    EXPECT_EQ(FaceCorners(fromAscii.model), (Faces{{0, 1, 2}, {3, 2, 1, 0}}));
    EXPECT_EQ(fromAscii.model.vertices[3].z, 32767.0f);
    EXPECT_EQ(fromAscii.model.vertices[2].x, 123.456f);
    for (const std::string& binary : {little.Bytes(), big.Bytes()}) {
        EXPECT_TRUE(SameModel(fromAscii.model, ReadAsFile(ReadPlyModel, AsBytes(binary)).model));
        EXPECT_TRUE(SameModel(fromAscii.model, ReadAsMemory(ReadPlyModel, AsBytes(binary)).model));
    }
}

struct CorpusCase {
    const char* file;
    int32_t result;
    size_t vertices, faces;
};

// Real files from other tools, with the counts their headers declare.
TEST(PlyReader, CorpusFiles) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusCase cases[] = {
        {"ply/Wuson.ply", 0, 11184, 3732},
        {"ply/cube_binary.ply", 0, 8, 12},
        {"ply/cube_uv.ply", 0, 24, 6},
        {"ply/float-color.ply", 0, 3, 1},
        {"ply/cube.ply", 0, 8, 0},    // its lists are named "vertex_index"
        {"ply/points.ply", 0, 4, 0},  // a point cloud
        // "end_header" is followed by CR LF; the body starts after both.
        {"ply/cube_binary_header_with_RN_newline.ply", 0, 8, 12},
        {"invalid/crash-30d6d0f7c529b3b66b4131700b7a4580cd7082df.ply", 2, 0, 0},
        {"invalid/empty.ply", 2, 0, 0},
    };
    for (const CorpusCase& c : cases) {
        const std::string path = CorpusPath(c.file);
        const ReadOutcome memory = ReadAsMemory(ReadPlyModel, ReadFileBytes(path));
        InputSource byPath;
        byPath.path = path.c_str();
        byPath.fromFile = true;
        ReadOutcome file;
        file.result = ReadPlyModel(byPath, file.model);
        for (const ReadOutcome* outcome : {&memory, static_cast<const ReadOutcome*>(&file)}) {
            EXPECT_EQ(outcome->result, c.result) << c.file;
            if (c.result != 0) continue;
            EXPECT_EQ(outcome->model.vertices.size(), c.vertices) << c.file;
            EXPECT_EQ(outcome->model.faces.size(), c.faces) << c.file;
        }
        EXPECT_TRUE(SameModel(memory.model, file.model)) << c.file;
    }
}

TEST(PlyReader, CrLfHeaderGivesTheSameCube) {
    PRISMO_REQUIRE_CORPUS();
    const ReadOutcome crlf = ReadAsMemory(ReadPlyModel, ReadFileBytes(CorpusPath("ply/cube_binary_header_with_RN_newline.ply")));
    const ReadOutcome plain = ReadAsMemory(ReadPlyModel, ReadFileBytes(CorpusPath("ply/cube_binary.ply")));
    EXPECT_EQ(crlf.result, 0);
    EXPECT_TRUE(SameModel(crlf.model, plain.model));
}

TEST(PlyReader, CorpusRecognition) {
    PRISMO_REQUIRE_CORPUS();
    for (const char* file : {"ply/Wuson.ply", "ply/cube.ply", "ply/cube_binary.ply", "ply/points.ply",
                             "ply/cube_binary_header_with_RN_newline.ply"}) {
        const std::vector<uint8_t> bytes = ReadFileBytes(CorpusPath(file));
        EXPECT_TRUE(RecognizePly({bytes, true})) << file;
    }
    for (const char* file : {"invalid/crash-30d6d0f7c529b3b66b4131700b7a4580cd7082df.ply", "invalid/empty.ply",
                             "obj/box.obj"}) {
        const std::vector<uint8_t> bytes = std::filesystem::exists(CorpusPath(file)) ? ReadFileBytes(CorpusPath(file)) : std::vector<uint8_t>{};
        EXPECT_FALSE(RecognizePly({bytes, true})) << file;
    }
}

}  // namespace
