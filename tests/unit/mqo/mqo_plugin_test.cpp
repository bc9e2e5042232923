// prismoseq through its exports, and the reader on real documents.
#include "readers/mqo/mqo_reader.h"

#include "tests/support/test_support.h"

namespace {

const char kDocument[] =
    "Metasequoia Document\r\nFormat Text Ver 1.1\r\n\r\n"
    "Material 1 {\r\n\t\"red\" shader(3) col(1.000 0.000 0.000 1.000)\r\n}\r\n"
    "Object \"square\" {\r\n\tvertex 4 {\r\n\t\t-1 -1 0\r\n\t\t1 -1 0\r\n\t\t1 1 0\r\n\t\t-1 1 0\r\n\t}\r\n"
    "\tface 1 {\r\n\t\t4 V(0 1 2 3) M(0)\r\n\t}\r\n}\r\nEof\r\n";

SusieWord HeadPointer(const std::vector<uint8_t>& head) { return SusieWord(reinterpret_cast<uintptr_t>(head.data())); }

TEST(Prismoseq, RecognisesByExtensionAndFirstLine) {
    PluginLibrary plugin("prismoseq");
    ASSERT_NE(plugin.IsSupported, nullptr);
    struct Case {
        const char* fileName;
        std::string text;
        int32_t supported;
    };
    const Case cases[] = {
        {"upper.MQO", kDocument, 1},
        {"plain.mqo", "Metasequoia Document\nEof\n", 1},
        {"blank.mqo", "Metasequoia Document \r\nEof\r\n", 0},
        {"lower.mqo", "metasequoia document\r\nEof\r\n", 0},
        {"other.txt", kDocument, 0},
        {"noextension", kDocument, 0},
    };
    for (const Case& c : cases) {
        const std::string path = WriteTempFile(c.fileName, AsBytes(c.text));
        EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), c.supported) << c.fileName << " by path";
        std::vector<uint8_t> head(80, 0);
        std::copy_n(c.text.begin(), std::min<size_t>(c.text.size(), head.size()), head.begin());
        EXPECT_EQ(plugin.IsSupported(c.fileName, HeadPointer(head)), c.supported) << c.fileName << " by head";
    }
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.mqo").c_str(), 0), 0);
}

// Solid mode draws a face of material colour (1, 0, 0) red, from a file and
// from a memory image alike.
TEST(Prismoseq, DrawsMaterialColours) {
    PluginLibrary plugin("prismoseq");
    const ReceivedPicture picture = PictureByPathAndMemory(plugin, "red.mqo", AsBytes(kDocument));
    ASSERT_EQ(picture.result, 0);
    ExpectClearlyRed(picture.Pixel(picture.width / 2, picture.height / 2));
}

TEST(Prismoseq, ResultCodes) {
    PluginLibrary plugin("prismoseq");
    EXPECT_EQ(RequestPicture(plugin, TempFolder() + "/missing.mqo").result, 5);
    const std::string verticesOnly = "Metasequoia Document\nObject \"a\" {\n\tvertex 1 {\n\t\t0 0 0\n\t}\n}\n";
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(verticesOnly)).result, 2);
    // Faces naming vertices the document does not hold are not drawn.
    const std::string badIndices = "Metasequoia Document\nObject \"a\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n"
                                   "\tface 1 {\n\t\t3 V(0 1 3)\n\t}\n}\n";
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(badIndices)).result, 2);
}

struct CorpusDocument {
    const char* file;
    size_t vertices;
    size_t faces;          // faces of 3 and 4 corners
    size_t coloredFaces;   // faces that name a material of the table
    const char* why;
};

class MqoCorpus : public ::testing::TestWithParam<CorpusDocument> {};

TEST_P(MqoCorpus, ReadsAndRenders) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusDocument& c = GetParam();
    const std::string path = CorpusPath(std::string("mqo/") + c.file);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty()) << path;

    const ReadOutcome file = ReadAsFile(ReadMqoModel, bytes);
    const ReadOutcome memory = ReadAsMemory(ReadMqoModel, bytes);
    EXPECT_EQ(file.model.vertices.size(), c.vertices) << c.why;
    EXPECT_EQ(file.model.faces.size(), c.faces) << c.why;
    size_t colored = 0;
    for (const FaceRecord& face : file.model.faces) colored += face.materialIndex >= 0;
    EXPECT_EQ(colored, c.coloredFaces) << c.why;
    EXPECT_TRUE(SameModel(file.model, memory.model)) << "every line ends with CR LF";

    PluginLibrary plugin("prismoseq");
    EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), 1);
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, bytes);
    const int32_t expected = c.faces == 0 ? 2 : 0;
    EXPECT_EQ(byPath.result, expected);
    EXPECT_EQ(byMemory.result, expected);
    EXPECT_EQ(byPath.pixels, byMemory.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MqoCorpus,
    ::testing::Values(
        CorpusDocument{"simple.mqo", 0, 0, 0, "a document with no object"},
        CorpusDocument{"single_object.mqo", 8, 6, 0, "a cube of 8 vertices and 6 quadrilaterals, no materials"},
        CorpusDocument{"single_material.mqo", 8, 6, 6, "the cube, every face M(0) of a table of 1"},
        CorpusDocument{"multiple_materials.mqo", 8, 6, 6, "the cube, 4 faces M(0) and 2 faces M(1) of a table of 2"},
        CorpusDocument{"multiple_objects.mqo", 8 + 42, 6 + 60, 0, "the cube, then 42 vertices with 40 triangles and 20 quadrilaterals"},
        CorpusDocument{"single_object_with_bvertex.mqo", 8, 6, 0, "the cube, its vertices in one BVertex block"}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// The corpus's material lines hold "vcol(1)" before "col(": the colour is
// the one of "col(".
TEST(MqoCorpusColours, TakeTheColAttribute) {
    PRISMO_REQUIRE_CORPUS();
    const ReadOutcome outcome = ReadAsMemory(ReadMqoModel, ReadFileBytes(CorpusPath("mqo/multiple_materials.mqo")));
    ASSERT_EQ(outcome.model.faces.size(), 6u);
    EXPECT_EQ(outcome.model.Color(outcome.model.faces[0]), (RgbColor{1.000f, 0.282f, 0.298f}));
    EXPECT_EQ(outcome.model.Color(outcome.model.faces[5]), (RgbColor{0.118f, 1.000f, 0.329f}));
    EXPECT_EQ(FaceCorners(outcome.model)[4], (std::vector<int32_t>{6, 4, 2, 0}));
}

}  // namespace
