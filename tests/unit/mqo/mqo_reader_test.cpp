#include "readers/mqo/mqo_reader.h"

#include <cstring>

#include "tests/support/test_support.h"

namespace {

constexpr RgbColor kNoColor{-1, -1, -1};

struct MqoFace {
    std::vector<int32_t> corners;
    int32_t materialIndex = -1;
    RgbColor color = kNoColor;  // checked only for faces with a material
};

struct MqoCase {
    const char* name;
    std::string text;
    std::vector<Point3f> vertices;
    std::vector<MqoFace> faces;
};

void PrintTo(const MqoCase& c, std::ostream* out) { *out << c.name; }

std::string CubeVertices() {
    return "\tvertex 8 {\n"
           "\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0\n"
           "\t\t0 0 1\n\t\t1 0 1\n\t\t1 1 1\n\t\t0 1 1\n"
           "\t}\n";
}

std::vector<Point3f> CubePoints() {
    return {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
}

std::vector<Point3f> Twice(std::vector<Point3f> points) {
    const size_t count = points.size();
    for (size_t i = 0; i < count; ++i) points.push_back(points[i]);
    return points;
}

const char kHeader[] = "Metasequoia Document\nFormat Text Ver 1.0\n\n";
const char kTwoMaterials[] =
    "Material 2 {\n"
    "\t\"red\" shader(3) col(1.000 0.000 0.000 1.000) dif(0.800)\n"
    "\t\"green\" shader(3) vcol(1) col(0.000 0.500 0.250 1.000)\n"
    "}\n";

std::string Raw(std::initializer_list<float> values) {
    std::string bytes;
    for (float value : values) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(char(bits >> shift & 0xFF));
    }
    return bytes;
}

// Bytes that look like line feeds and closing braces must stay vertex data.
const float kLineFeeds = [] {
    float value;
    const uint32_t bits = 0x0A7D0A0A;
    std::memcpy(&value, &bits, 4);
    return value;
}();

void ExpectModel(const ModelGeometry& model, const MqoCase& c) {
    ASSERT_EQ(model.vertices.size(), c.vertices.size());
    for (size_t i = 0; i < c.vertices.size(); ++i) {
        EXPECT_EQ(model.vertices[i].x, c.vertices[i].x) << "vertex " << i;
        EXPECT_EQ(model.vertices[i].y, c.vertices[i].y) << "vertex " << i;
        EXPECT_EQ(model.vertices[i].z, c.vertices[i].z) << "vertex " << i;
    }
    ASSERT_EQ(model.faces.size(), c.faces.size());
    const auto corners = FaceCorners(model);
    for (size_t i = 0; i < c.faces.size(); ++i) {
        EXPECT_EQ(corners[i], c.faces[i].corners) << "face " << i;
        EXPECT_EQ(model.faces[i].materialIndex, c.faces[i].materialIndex) << "face " << i;
        if (c.faces[i].materialIndex >= 0) {
            EXPECT_EQ(model.Color(model.faces[i]), c.faces[i].color) << "face " << i;
        }
    }
}

class MqoBothForms : public ::testing::TestWithParam<MqoCase> {};

// Documents whose every line ends with a line feed read alike from a file
// and from a memory image.
TEST_P(MqoBothForms, ReadsObjectsAndFaces) {
    const MqoCase& c = GetParam();
    for (bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile ? "file" : "memory");
        const ReadOutcome outcome = fromFile ? ReadAsFile(ReadMqoModel, AsBytes(c.text)) : ReadAsMemory(ReadMqoModel, AsBytes(c.text));
        EXPECT_EQ(outcome.result, 0);
        ExpectModel(outcome.model, c);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, MqoBothForms,
    ::testing::Values(
        MqoCase{"two_objects_of_eight_vertices",
                std::string(kHeader) + "Object \"a\" {\n" + CubeVertices() + "\tface 1 {\n\t\t3 V(0 1 2)\n\t}\n}\n" +
                    "Object \"b\" {\n" + CubeVertices() + "\tface 2 {\n\t\t3 V(0 1 2)\n\t\t4 V(4 5 6 7)\n\t}\n}\nEof\n",
                Twice(CubePoints()),
                {{{0, 1, 2}}, {{8, 9, 10}}, {{12, 13, 14, 15}}}},
        MqoCase{"bvertex_then_text_faces",
                std::string(kHeader) + "Object \"a\" {\n" + CubeVertices() + "}\nObject \"b\" {\n\tBVertex 2 {\n\t\tVector 2 [24]\n" +
                    Raw({1, 2, 3, kLineFeeds, 5, 6}) + "\n\t}\n\tface 1 {\n\t\t3 V(1 0 1)\n\t}\n}\n",
                [] {
                    auto points = CubePoints();
                    points.push_back({1, 2, 3});
                    points.push_back({kLineFeeds, 5, 6});
                    return points;
                }(),
                {{{9, 8, 9}}}},
        MqoCase{"material_colours",
                std::string(kHeader) + kTwoMaterials + "Object \"a\" {\n" + CubeVertices() +
                    "\tface 3 {\n\t\t4 V(0 1 2 3) M(1)\n\t\t4 V(0 1 2 3)\n\t\t3 V(4 5 6) M(0) UV(0 0 1 0 1 1)\n\t}\n}\n",
                CubePoints(),
                {{{0, 1, 2, 3}, 1, {0.0f, 0.5f, 0.25f}}, {{0, 1, 2, 3}}, {{4, 5, 6}, 0, {1, 0, 0}}}},
        MqoCase{"two_and_five_corners_add_nothing",
                std::string(kHeader) + "Object \"a\" {\n" + CubeVertices() +
                    "\tface 3 {\n\t\t2 V(0 1)\n\t\t5 V(0 1 2 3 4)\n\t\t3 V(0 1 2)\n\t}\n}\n",
                CubePoints(),
                {{{0, 1, 2}}}},
        MqoCase{"short_vertex_lines_keep_earlier_coordinates",
                std::string(kHeader) + "Object \"a\" {\n\tvertex 4 {\n\t\t5 6 7\n\t\t1.0 2.0\n\t\tx\n\t\t8 y 9\n\t}\n}\n",
                {{5, 6, 7}, {1, 2, 7}, {1, 2, 7}, {8, 2, 7}},
                {}},
        MqoCase{"crlf_line_ends",
                "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nObject \"a\" {\r\n\tvertex 3 {\r\n\t\t0 0 0\r\n\t\t1 0 0\r\n"
                "\t\t0 1 0\r\n\t}\r\n\tface 1 {\r\n\t\t3 V(0 1 2)\r\n\t}\r\n}\r\nEof\r\n",
                {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                {{{0, 1, 2}}}},
        // Materials that the table does not hold leave the face uncoloured.
        MqoCase{"materials_outside_the_table",
                std::string(kHeader) + "Object \"a\" {\n" + CubeVertices() + "\tface 2 {\n\t\t3 V(0 1 2) M(0)\n\t\t3 V(0 1 2) M(-3)\n\t}\n}\n" +
                    kTwoMaterials + "Object \"b\" {\n" + CubeVertices() + "\tface 2 {\n\t\t3 V(0 1 2) M(2)\n\t\t3 V(0 1 2) M(1)\n\t}\n}\n",
                Twice(CubePoints()),
                {{{0, 1, 2}}, {{0, 1, 2}}, {{8, 9, 10}}, {{8, 9, 10}, 1, {0.0f, 0.5f, 0.25f}}}},
        MqoCase{"more_material_lines_than_declared_and_lines_without_col",
                std::string(kHeader) + "Material 2 {\n\t\"a\" dif(0.5)\n\t\"b\" col(0 0 1 1)\n\t\"c\" col(1 1 0 1)\n}\n" +
                    "Object \"a\" {\n" + CubeVertices() + "\tface 3 {\n\t\t3 V(0 1 2) M(0)\n\t\t3 V(0 1 2) M(1)\n\t\t3 V(0 1 2) M(2)\n\t}\n}\n",
                CubePoints(),
                {{{0, 1, 2}, 0, {0, 0, 0}}, {{0, 1, 2}, 1, {0, 0, 1}}, {{0, 1, 2}}}},
        MqoCase{"material_names_are_not_attributes",
                std::string(kHeader) + "Material 1 {\n\t\"col(0 0 0)\" col(0.25 0.5 0.75 1)\n}\n" + "Object \"a\" {\n" +
                    CubeVertices() + "\tface 1 {\n\t\t3 V(0 1 2) M(0)\n\t}\n}\n",
                CubePoints(),
                {{{0, 1, 2}, 0, {0.25f, 0.5f, 0.75f}}}},
        // "Material" counts only at the start of a line; keywords match
        // whole tokens, case included.
        MqoCase{"keywords_match_exactly",
                std::string(kHeader) + " Material 1 {\n\t\"a\" col(1 0 0 1)\n}\n" + "Object \"a\" {\n" + CubeVertices() +
                    "\tVertex 1 {\n\t\t9 9 9\n\t}\n\tvertices 1 {\n\t\t9 9 9\n\t}\n\tface 1 {\n\t\t3 V(0 1 2) M(0)\n\t}\n}\n",
                CubePoints(),
                {{{0, 1, 2}}}},
        MqoCase{"faces_whose_indices_do_not_parse_are_dropped",
                std::string(kHeader) + "Object \"a\" {\n" + CubeVertices() +
                    "\tface 4 {\n\t\t3 V(0 1)\n\t\t4 (0 1 2 3)\n\t\tthree V(0 1 2)\n\t\t3   V( 2 1 0 )\n\t}\n}\n",
                CubePoints(),
                {{{2, 1, 0}}}},
        MqoCase{"closing_brace_ends_every_chunk",
                std::string(kHeader) + "Object \"a\" {\n\tvertex 1 {\n\t\t1 1 1\n\t}\n\t2 2 2\n\tface 1 {\n\t}\n\t3 V(0 0 0)\n}\n",
                {{1, 1, 1}},
                {}},
        MqoCase{"vector_count_beyond_the_input_takes_whole_records",
                std::string(kHeader) + "Object \"a\" {\n\tBVertex 9 {\n\t\tVector 9 [108]\n" + Raw({1, 2, 3, 4, 5, 6}) + "\x01\x02",
                {{1, 2, 3}, {4, 5, 6}},
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The forms differ at a last line without a line feed: a file reads it, a
// memory image does not.
TEST(MqoReader, LastLineWithoutLineFeedIsReadOnlyFromAFile) {
    const std::string text = std::string(kHeader) + "Object \"a\" {\n\tvertex 3 {\n\t\t0 0 0\n\t\t1 0 0\n\t\t0 1 0\n\t}\n\tface 1 {\n\t\t3 V(0 1 2)";
    EXPECT_EQ(ReadAsFile(ReadMqoModel, AsBytes(text)).model.faces.size(), 1u);
    const auto memory = ReadAsMemory(ReadMqoModel, AsBytes(text));
    EXPECT_EQ(memory.model.vertices.size(), 3u);
    EXPECT_EQ(memory.model.faces.size(), 0u);

}

// Lines longer than 255 characters come in pieces of 255, each a line of its
// own, from a file and from memory alike.
TEST(MqoReader, LongLinesAreSplitIntoPiecesOf255) {
    std::string first = "\t\t1 2 3";
    first.resize(255, ' ');
    std::string line300 = first + "7 8 9";
    line300.resize(300, ' ');
    std::string line255 = "\t\t4 5 6";
    line255.resize(255, ' ');
    const std::string text = std::string(kHeader) + "Object \"a\" {\n\tvertex 3 {\n" + line300 + "\n" + line255 + "\n\t}\n}\n";
    const auto file = ReadAsFile(ReadMqoModel, AsBytes(text));
    const auto memory = ReadAsMemory(ReadMqoModel, AsBytes(text));
    ASSERT_EQ(file.model.vertices.size(), 3u);
    EXPECT_EQ(file.model.vertices[1].x, 7.0f);
    EXPECT_EQ(file.model.vertices[2].x, 4.0f);
    EXPECT_TRUE(SameModel(file.model, memory.model));

    // A "Vector" line of exactly 255 characters: its line feed is read as a
    // line of its own, not as vertex data.
    std::string vector = "\t\tVector 1 [12]";
    vector.resize(255, ' ');
    const std::string raw = std::string(kHeader) + "Object \"a\" {\n\tBVertex 1 {\n" + vector + "\n" + Raw({1, 2, 3}) + "\n\t}\n}\n";
    for (const ReadOutcome& outcome : {ReadAsFile(ReadMqoModel, AsBytes(raw)), ReadAsMemory(ReadMqoModel, AsBytes(raw))}) {
        ASSERT_EQ(outcome.model.vertices.size(), 1u);
        uint32_t xBits;
        std::memcpy(&xBits, &outcome.model.vertices[0].x, 4);
        EXPECT_EQ(xBits, 0x8000000Au) << "the record starts at the line feed, where fgets stopped";
    }
}

// A line ends at a zero byte, as C text does; nothing after it on that line
// counts, and a huge declared count costs nothing up front.
TEST(MqoReader, ZeroBytesAndHugeCounts) {
    const std::string text = std::string(kHeader) + "Material 2147483647 {\n\t\"a\" col(1 0 0 1)\n}\n" + "Object \"a\" {\n" +
                             CubeVertices() + "\tface 2 {\n\t\t3 V(0 1 2)" + std::string(1, '\0') + " M(0)\n\t\t3 V(0 1 2) M(0)\n\t}\n" +
                             "\tBVertex 1 {\n\t\tVector 2147483647 [0]\n\t}\n}\n";
    for (const ReadOutcome& outcome : {ReadAsFile(ReadMqoModel, AsBytes(text)), ReadAsMemory(ReadMqoModel, AsBytes(text))}) {
        ASSERT_EQ(outcome.model.faces.size(), 2u);
        EXPECT_EQ(outcome.model.faces[0].materialIndex, -1);
        EXPECT_EQ(outcome.model.faces[1].materialIndex, 0);
        EXPECT_EQ(outcome.model.vertices.size(), 8u) << "no whole record follows the Vector line";
    }
}

TEST(MqoRecognition, FirstLineExactly) {
    struct Head {
        std::string text;
        bool supported;
    };
    const Head heads[] = {
        {"Metasequoia Document\r\nFormat Text Ver 1.1\r\n", true},
        {"Metasequoia Document\nFormat", true},
        {"Metasequoia Document", true},
        {std::string("Metasequoia Document\0junk", 25), true},
        {"Metasequoia Document \n", false},
        {"metasequoia document\n", false},
        {" Metasequoia Document\n", false},
        {"Metasequoia Documents\n", false},
        {"Metasequoia\n", false},
        {"", false},
    };
    for (const Head& head : heads) {
        std::vector<uint8_t> hostBuffer(80, 0);
        std::copy_n(head.text.begin(), std::min<size_t>(head.text.size(), 80), hostBuffer.begin());
        EXPECT_EQ(RecognizeMqo({hostBuffer, false}), head.supported) << head.text;
        EXPECT_EQ(RecognizeMqo({AsBytes(head.text), true}), head.supported) << head.text;
    }
}

}  // namespace
