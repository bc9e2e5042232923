// prismostudio through its exports, and the reader on real files.
#include "readers/3ds/studio_reader.h"

#include "tests/support/test_support.h"

namespace {

struct CorpusFile {
    const char* file;
    size_t vertices;  // the counts of the file's vertex lists, added up
    size_t faces;     // the counts of its face lists, added up
    const char* why;
};

class StudioCorpus : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(StudioCorpus, ReadsAndRenders) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusFile& c = GetParam();
    const std::string path = CorpusPath(std::string("3ds/") + c.file);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;

    const ReadOutcome file = ReadAsFile(Read3dsModel, bytes);
    const ReadOutcome memory = ReadAsMemory(Read3dsModel, bytes);
    EXPECT_EQ(file.result, 0);
    EXPECT_EQ(file.model.vertices.size(), c.vertices) << c.why;
    EXPECT_EQ(file.model.faces.size(), c.faces) << c.why;
    EXPECT_TRUE(SameModel(file.model, memory.model));
    // Each object's faces stay inside its own vertex list.
    for (const FaceRecord& face : file.model.faces) {
        for (int32_t index : file.model.Corners(face)) ASSERT_LT(size_t(index), c.vertices);
    }

    PluginLibrary plugin("prismostudio");
    EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), 1);
    EXPECT_EQ(plugin.IsSupported(c.file, SusieWord(reinterpret_cast<uintptr_t>(bytes.data()))), 1);
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, bytes);
    EXPECT_EQ(byPath.result, 0);
    EXPECT_EQ(byMemory.result, 0);
    EXPECT_EQ(byPath.pixels, byMemory.pixels);
    EXPECT_GT(byPath.CountNot({102, 76, 0}), 0) << "something is drawn over the background";
}

INSTANTIATE_TEST_SUITE_P(
    Files, StudioCorpus,
    ::testing::Values(
        CorpusFile{"RotatingCube.3DS", 26, 12, "one box of 26 vertices and 12 faces, then keyframer data"},
        CorpusFile{"cube_with_diffuse_texture.3DS", 32, 12, "one box of 32 vertices after a material"},
        CorpusFile{"cubes_with_alpha.3DS", 5 * 26, 5 * 12, "five boxes of 26 vertices and 12 faces"},
        CorpusFile{"fels.3ds", 386, 768, "one mesh of 386 vertices and 768 faces, with a mapping list"},
        CorpusFile{"test1.3ds", 9 * 32, 9 * 12, "nine boxes of 32 vertices and 12 faces"}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(Prismostudio, RecognitionAndResultCodes) {
    PluginLibrary plugin("prismostudio");
    ASSERT_NE(plugin.IsSupported, nullptr);
    // Main chunk, version chunk, editor, mesh version 3 at byte 28, and a
    // material: no mesh at all.
    std::string onlyMaterial("MM\x2A\x00\x00\x00\x02\x00\x0A\x00\x00\x00\x03\x00\x00\x00"
                             "==\x1A\x00\x00\x00>=\x0A\x00\x00\x00\x03\x00\x00\x00"
                             "\xFF\xAF\x0A\x00\x00\x00\x00\x00\x00\x00", 42);
    const std::string path = WriteTempFile("material.3ds", AsBytes(onlyMaterial));
    EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), 1);
    EXPECT_EQ(plugin.IsSupported("any.name", SusieWord(reinterpret_cast<uintptr_t>(onlyMaterial.data()))), 1);
    EXPECT_EQ(RequestPicture(plugin, path).result, 2);
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(onlyMaterial)).result, 2);

    const std::string cut = WriteTempFile("cut.3ds", AsBytes(onlyMaterial.substr(0, 29)));
    EXPECT_EQ(plugin.IsSupported(cut.c_str(), 0), 1);
    EXPECT_EQ(RequestPicture(plugin, cut).result, 2);
    const std::string tiny = WriteTempFile("tiny.3ds", AsBytes(onlyMaterial.substr(0, 20)));
    EXPECT_EQ(plugin.IsSupported(tiny.c_str(), 0), 0);
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.3ds").c_str(), 0), 0);
    EXPECT_EQ(RequestPicture(plugin, TempFolder() + "/missing.3ds").result, 5);
}

}  // namespace
