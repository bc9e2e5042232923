// Real files from other tools, with the counts their PNTS and POLS chunks
// state and the number of faces their surfaces colour.
#include <cctype>
#include <filesystem>

#include "readers/lwo/lwo_reader.h"
#include "tests/support/test_support.h"

namespace {

struct CorpusCase {
    const char* file;
    size_t points, polygons, coloredFaces;
};

class LwoCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(LwoCorpus, ReadsEveryPointAndPolygon) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusCase& c = GetParam();
    const std::vector<uint8_t> bytes = ReadFileBytes(CorpusPath(std::string("lwo/") + c.file));
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(RecognizeLwo({ByteSpan(bytes).first(16), true}));
    const ReadOutcome byPath = ReadAsFile(ReadLwoModel, bytes);
    const ReadOutcome memory = ReadAsMemory(ReadLwoModel, bytes);
    EXPECT_EQ(memory.result, 0);
    EXPECT_EQ(byPath.result, 0);
    EXPECT_TRUE(SameModel(memory.model, byPath.model));
    EXPECT_EQ(memory.model.vertices.size(), c.points);
    EXPECT_EQ(memory.model.faces.size(), c.polygons);
    size_t colored = 0;
    for (const FaceRecord& face : memory.model.faces) {
        colored += face.materialIndex >= 0;
        for (int32_t index : memory.model.Corners(face)) ASSERT_LT(size_t(index), c.points);
    }
    EXPECT_EQ(colored, c.coloredFaces);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LwoCorpus,
    ::testing::Values(CorpusCase{"lwob_ConcavePolygon.lwo", 64, 1, 1},
                      CorpusCase{"lwob_sphere_with_mat_gloss_10pc.lwo", 266, 288, 288},
                      CorpusCase{"lwo2_Subdivision.lwo", 26, 24, 24},
                      CorpusCase{"lwo2_UglyVertexColors.lwo", 1628, 1735, 1735},
                      CorpusCase{"lwo2_boxuv.lwo", 24, 6, 6},
                      // Its one surface names a source surface that the file lacks.
                      CorpusCase{"lwo2_concave_polygon.lwo", 64, 1, 0},
                      CorpusCase{"lwo2_hierarchy.lwo", 290, 306, 306},
                      CorpusCase{"lwo2_simple_cube.lwo", 8, 6, 6},
                      CorpusCase{"lwo2_sphere_with_gradient.lwo", 266, 288, 288}),
    [](const auto& info) {
        std::string name = info.param.file;
        name.resize(name.size() - 4);
        for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

// Files added to the folder later are read too.
TEST(LwoCorpus, EveryFileInTheFolderReads) {
    PRISMO_REQUIRE_CORPUS();
    for (const auto& entry : std::filesystem::directory_iterator(CorpusPath("lwo"))) {
        if (entry.path().extension() != ".lwo") continue;
        const ReadOutcome outcome = ReadAsFile(ReadLwoModel, ReadFileBytes(entry.path().string()));
        EXPECT_EQ(outcome.result, 0) << entry.path();
        EXPECT_FALSE(outcome.model.faces.empty()) << entry.path();
    }
}

}  // namespace
