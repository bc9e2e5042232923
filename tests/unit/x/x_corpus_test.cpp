// Real files written by other tools.
#include "tests/unit/x/x_test_files.h"

namespace {

ReadOutcome ReadCorpus(const char* name) { return ReadAsFile(ReadXModel, ReadFileBytes(CorpusPath(std::string("x/") + name))); }

// The text form prints six decimals where the binary forms keep the floats
// themselves; everything else must match exactly.
void ExpectSameCube(const ModelGeometry& a, const ModelGeometry& b) {
    constexpr float kPrinted = 1e-6f;
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (size_t i = 0; i < a.vertices.size(); ++i) {
        EXPECT_NEAR(a.vertices[i].x, b.vertices[i].x, kPrinted) << "vertex " << i;
        EXPECT_NEAR(a.vertices[i].y, b.vertices[i].y, kPrinted) << "vertex " << i;
        EXPECT_NEAR(a.vertices[i].z, b.vertices[i].z, kPrinted) << "vertex " << i;
    }
    EXPECT_EQ(FaceCorners(a), FaceCorners(b));
    ASSERT_EQ(a.faces.size(), b.faces.size());
    for (size_t i = 0; i < a.faces.size(); ++i) {
        ASSERT_EQ(a.faces[i].materialIndex, b.faces[i].materialIndex);
        if (a.faces[i].materialIndex < 0) continue;
        EXPECT_NEAR(a.Color(a.faces[i]).red, b.Color(b.faces[i]).red, kPrinted) << "face " << i;
        EXPECT_NEAR(a.Color(a.faces[i]).green, b.Color(b.faces[i]).green, kPrinted) << "face " << i;
        EXPECT_NEAR(a.Color(a.faces[i]).blue, b.Color(b.faces[i]).blue, kPrinted) << "face " << i;
    }
}

// One cube in three encodings.
TEST(XCorpus, CubeInEveryEncoding) {
    PRISMO_REQUIRE_CORPUS();
    const ReadOutcome text = ReadCorpus("test_cube_text.x");
    ASSERT_EQ(text.result, 0);
    EXPECT_EQ(text.model.vertices.size(), 24u);
    EXPECT_EQ(text.model.faces.size(), 12u);
    for (const FaceRecord& face : text.model.faces) {
        EXPECT_EQ(face.materialIndex, 1);
        EXPECT_NEAR(text.model.Color(face).red, 0.639216f, 1e-6f);
    }
    const ReadOutcome binary = ReadCorpus("test_cube_binary.x");
    const ReadOutcome compressed = ReadCorpus("test_cube_compressed.x");
    ASSERT_EQ(binary.result, 0);
    ASSERT_EQ(compressed.result, 0);
    EXPECT_TRUE(SameModel(compressed.model, binary.model)) << "the compressed file holds the binary one";
    ExpectSameCube(binary.model, text.model);
}

struct CorpusFile {
    const char* name;
    size_t vertices, faces;
};

class XCorpusFiles : public ::testing::TestWithParam<CorpusFile> {};

// Counts: the meshes' own position lists and their polygons cut into triangles.
TEST_P(XCorpusFiles, ReadsEveryMesh) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusFile& file = GetParam();
    const ReadOutcome outcome = ReadCorpus(file.name);
    ASSERT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.model.vertices.size(), file.vertices);
    EXPECT_EQ(outcome.model.faces.size(), file.faces);
    ModelGeometry checked = outcome.model;
    EXPECT_EQ(DropFacesOutsideVertices(checked), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, XCorpusFiles,
    ::testing::Values(CorpusFile{"test.x", 24, 12}, CorpusFile{"anim_test.x", 1720, 840},
                      CorpusFile{"kwxport_test_cubewithvcolors.x", 24, 12}, CorpusFile{"BCN_Epileptic.X", 3014, 5126},
                      CorpusFile{"fromtruespace_bin32.x", 4132, 6656}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
