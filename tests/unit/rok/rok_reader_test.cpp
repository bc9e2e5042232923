#include "readers/rok/rok_reader.h"

#include "readers/common/text_input.h"
#include "tests/support/test_support.h"
#include "tests/unit/rok/rok_writer.h"

namespace {

using Corners = std::vector<std::vector<int32_t>>;

ReadOutcome ReadBoth(const std::string& text) {
    ReadOutcome file = ReadAsFile(ReadRokModel, AsBytes(text));
    ReadOutcome memory = ReadAsMemory(ReadRokModel, AsBytes(text));
    EXPECT_EQ(file.result, memory.result);
    EXPECT_TRUE(SameModel(file.model, memory.model)) << "file and memory image differ";
    return memory;
}

// Four points of a unit square and a fifth above it.
RokWriter Square() {
    RokWriter writer;
    writer.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}};
    return writer;
}

RokWriter Cube() {
    RokWriter writer;
    for (int k = 0; k < 8; ++k) writer.points.push_back({float(k & 1), float(k >> 1 & 1), float(k >> 2 & 1)});
    return writer;
}

const std::vector<std::vector<int32_t>> kCubeLoops = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                                      {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};

TEST(RokReader, CubeWalksEveryFaceFromItsFirstEdge) {
    RokWriter writer = Cube();
    Corners expected;
    for (const auto& loop : kCubeLoops) expected.push_back(writer.AddLoop(loop, -1));
    ASSERT_LT(writer.edges.size(), 24u) << "the faces share their edges";
    const ReadOutcome outcome = ReadBoth(writer.Write());
    ASSERT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.model.vertices.size(), 8u);
    EXPECT_EQ(outcome.model.vertices[7].x, 1.0f);
    EXPECT_EQ(outcome.model.vertices[6].x, 0.0f);
    EXPECT_EQ(outcome.model.vertices[6].z, 1.0f);
    EXPECT_EQ(FaceCorners(outcome.model), expected);
    for (const FaceRecord& face : outcome.model.faces) EXPECT_EQ(face.materialIndex, -1) << "no palette";
}

TEST(RokReader, WalkFollowsTheFirstEdgesDirection) {
    RokWriter writer = Square();
    // A quad whose later edges run against the loop, and a triangle.
    writer.edges = {{2, 3}, {4, 3}, {1, 4}, {2, 1}, {1, 5}, {5, 2}};
    writer.faces = {{0, {1, 2, 3, 4}}, {0, {4, 5, 6}}, {0, {3, 4}}};
    // The second edge must continue from the first one's end; P1-P2 then
    // P1-P3 gives P1, P2, P1.
    RokWriter branching = Square();
    branching.edges = {{1, 2}, {1, 3}, {3, 1}};
    branching.faces = {{0, {1, 2, 3}}};
    EXPECT_EQ(FaceCorners(ReadBoth(writer.Write()).model), (Corners{{1, 2, 3, 0}, {1, 0, 4}, {0, 3}}));
    EXPECT_EQ(FaceCorners(ReadBoth(branching.Write()).model), (Corners{{0, 1, 0}}));
}

TEST(RokReader, PaletteColoursTheFaces) {
    RokWriter writer = Square();
    writer.AddLoop({0, 1, 2}, 0);
    writer.AddLoop({0, 2, 3}, 1);
    writer.AddLoop({0, 3, 4}, 2);
    writer.AddLoop({0, 4, 1}, 3);  // names an entry the palette lacks
    writer.AddLoop({1, 4, 2}, -1);
    writer.writePalette = true;
    writer.palette = {{255, 128, 0}, {0, 0, 255}, {10, 20, 30}};
    const ReadOutcome outcome = ReadBoth(writer.Write());
    ASSERT_EQ(outcome.result, 0);
    const ModelGeometry& model = outcome.model;
    ASSERT_EQ(model.faces.size(), 5u);
    EXPECT_EQ(model.faces[0].materialIndex, 0);
    const RgbColor orange = model.Color(model.faces[0]);
    EXPECT_EQ(orange.red, 1.0f);
    EXPECT_NEAR(orange.green, 0.50196, 1e-5);
    EXPECT_EQ(orange.green, float(128 * (1.0 / 255)));
    EXPECT_EQ(orange.blue, 0.0f);
    EXPECT_EQ(model.faces[1].materialIndex, 1);
    EXPECT_EQ(model.Color(model.faces[1]), (RgbColor{0, 0, 1}));
    EXPECT_EQ(model.faces[2].materialIndex, 2);
    EXPECT_EQ(model.Color(model.faces[2]).blue, float(30 * (1.0 / 255)));
    EXPECT_EQ(model.faces[3].materialIndex, -1) << "entry 3 was not read";
    EXPECT_EQ(model.faces[4].materialIndex, -1) << "negative palette number";
}

// What the palette section holds decides whether faces take its colours.
TEST(RokReader, PaletteSections) {
    RokWriter writer = Square();
    writer.AddLoop({0, 1, 2}, 12);
    const std::string geometry = writer.Write();
    auto entries = [](int count) {
        std::string text;
        for (int k = 0; k < count; ++k) text += std::to_string(k) + "\r0\r255\r0\r0\r0\r0\r";
        return text;
    };
    struct Case {
        const char* name;
        std::string after;
        int32_t materialIndex;
    };
    const Case cases[] = {
        {"no_palette", "", -1},
        {"thirteen_entries", "junk\rPALC0\r0\r0\r" + entries(13) + "ENDP0\r", 12},
        {"ends_without_endp0", "PALC0\r0\r0\r" + entries(13), 12},
        {"fourteen_entries", "PALC0\r0\r0\r" + entries(14) + "ENDP0\r", -1},
        {"second_section_follows_the_first", "PALC0\r0\r0\r" + entries(6) + "PALC0\r0\r0\r" + entries(7), 12},
        {"two_sections_of_too_many", "PALC0\r0\r0\r" + entries(7) + "PALC0\r0\r0\r" + entries(7), -1},
        {"endp0_without_palc0", "ENDP0\r", -1},
        {"only_twelve_entries", "PALC0\r0\r0\r" + entries(12), -1},
    };
    for (const Case& c : cases) {
        const ReadOutcome outcome = ReadBoth(geometry + c.after);
        ASSERT_EQ(outcome.result, 0) << c.name;
        ASSERT_EQ(outcome.model.faces.size(), 1u) << c.name;
        EXPECT_EQ(outcome.model.faces[0].materialIndex, c.materialIndex) << c.name;
        if (c.materialIndex == 12) {
            EXPECT_EQ(outcome.model.Color(outcome.model.faces[0]).green, 0.0f) << c.name;
            EXPECT_EQ(outcome.model.Color(outcome.model.faces[0]).blue, 1.0f) << c.name;
        }
    }
}

struct MalformedCase {
    const char* name;
    std::vector<std::pair<int32_t, int32_t>> edges;
    std::vector<RokWriter::Face> faces;
};

class RokMalformed : public ::testing::TestWithParam<MalformedCase> {};

// Geometry that would name a point or an edge that does not exist fails.
TEST_P(RokMalformed, FailsTheGeometry) {
    RokWriter writer = Square();
    writer.edges = GetParam().edges;
    writer.faces = GetParam().faces;
    EXPECT_EQ(ReadBoth(writer.Write()).result, 2);
}

const std::vector<std::pair<int32_t, int32_t>> kEdges = {{1, 2}, {2, 3}, {3, 1}};

INSTANTIATE_TEST_SUITE_P(
    Records, RokMalformed,
    ::testing::Values(MalformedCase{"palette_number_14", kEdges, {{14, {1, 2, 3}}}},
                      MalformedCase{"edge_number_0", kEdges, {{0, {1, 0, 3}}}},
                      MalformedCase{"edge_beyond_the_lines_read", kEdges, {{0, {1, 2, 4}}}},
                      MalformedCase{"point_number_0", {{1, 2}, {0, 3}, {3, 1}}, {{0, {1, 2, 3}}}},
                      MalformedCase{"point_beyond_the_points_read", {{1, 2}, {2, 6}, {6, 1}}, {{0, {1, 2, 3}}}},
                      MalformedCase{"face_of_one_edge", kEdges, {{0, {1}}}},
                      MalformedCase{"face_of_no_edge", kEdges, {{0, {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RokReader, WhatTheFileAroundTheRecordsDecides) {
    RokWriter writer = Square();
    writer.AddLoop({0, 1, 2}, 0);
    const std::string text = writer.Write();
    const size_t faceSection = text.find("FACE0");
    const size_t end = text.find("END00");

    const ReadOutcome notRoku = ReadBoth("ROKU3" + text.substr(5));
    EXPECT_EQ(notRoku.result, 0);
    EXPECT_TRUE(notRoku.model.vertices.empty()) << "a first line other than ROKU4 reads nothing";

    EXPECT_EQ(ReadBoth(text.substr(0, faceSection)).result, 2) << "no FACE0 section";
    EXPECT_EQ(ReadBoth(text.substr(0, end) + "POINT\r").result, 2) << "POINT after the faces";
    const ReadOutcome withoutEnd = ReadBoth(text.substr(0, end));
    EXPECT_EQ(withoutEnd.result, 0) << "the input may end without END00";
    EXPECT_EQ(withoutEnd.model.faces.size(), 1u);

    // A face cut short by the end of the input is not kept.
    const ReadOutcome cut = ReadBoth(text.substr(0, end) + "3\r0\r0\r1\r");
    EXPECT_EQ(cut.result, 0);
    EXPECT_EQ(cut.model.faces.size(), 1u);
}

TEST(RokReader, LineEndsAndLongLines) {
    RokWriter writer = Square();
    const Corners expected = {writer.AddLoop({0, 1, 2, 3}, -1)};
    writer.lineEnd = "\n";
    EXPECT_EQ(FaceCorners(ReadBoth(writer.Write()).model), expected) << "LF alone ends a line too";

    // CR LF gives an empty line after each, which shifts every record.
    writer.lineEnd = "\r\n";
    const ReadOutcome crlf = ReadBoth(writer.Write());
    EXPECT_EQ(crlf.model.vertices.size(), 10u) << "each line is followed by an empty one: five points read as ten";

    // A line past 127 characters is still one line.
    writer.lineEnd = "\r";
    std::string text = writer.Write();
    const std::string longUnused = std::string(300, '7');
    text.replace(text.find("POINT\r") + 6, 1, longUnused);
    const ReadOutcome longLine = ReadBoth(text);
    EXPECT_EQ(longLine.result, 0);
    EXPECT_EQ(FaceCorners(longLine.model), expected);
}

// A grid of a few hundred faces sharing edges, in three colours.
TEST(RokReader, ModelOfHundredsOfFaces) {
    constexpr int kSide = 16;
    RokWriter writer;
    for (int row = 0; row <= kSide; ++row) {
        for (int column = 0; column <= kSide; ++column) {
            writer.points.push_back({float(column), float(row), float((row * column) % 5) * 0.25f});
        }
    }
    Corners expected;
    for (int row = 0; row < kSide; ++row) {
        for (int column = 0; column < kSide; ++column) {
            const int32_t p = row * (kSide + 1) + column;
            const int32_t palette = (row + column) % 3;
            if ((row + column) % 4 == 0) {  // some quads split in two triangles
                expected.push_back(writer.AddLoop({p, p + 1, p + kSide + 2}, palette));
                expected.push_back(writer.AddLoop({p, p + kSide + 2, p + kSide + 1}, palette));
            } else {
                expected.push_back(writer.AddLoop({p, p + 1, p + kSide + 2, p + kSide + 1}, palette));
            }
        }
    }
    writer.writePalette = true;
    writer.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    const ReadOutcome outcome = ReadBoth(writer.Write());
    ASSERT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.model.vertices.size(), size_t((kSide + 1) * (kSide + 1)));
    ASSERT_EQ(outcome.model.faces.size(), expected.size());
    EXPECT_GT(expected.size(), 300u);
    EXPECT_EQ(FaceCorners(outcome.model), expected);
    for (size_t k = 0; k < writer.faces.size(); ++k) {
        const FaceRecord& face = outcome.model.faces[k];
        ASSERT_EQ(face.materialIndex, writer.faces[k].paletteNumber);
        const RgbColor color = outcome.model.Color(face);
        EXPECT_EQ((std::array<float, 3>{color.red, color.green, color.blue})[size_t(face.materialIndex)], 1.0f);
    }
    EXPECT_EQ(outcome.model.vertices[2 * (kSide + 1) + 14].z, float((2 * 14) % 5) * 0.25f);
}

// Found by fuzzing: a face that claims the largest int32 of edges and ends
// with the input must not overflow the record's line count.
TEST(RokReader, FaceOfTheLargestEdgeCount) {
    const std::vector<uint8_t> bytes = ReadFileBytes(FixturePath("rok/face_of_int32_max_edges.rok"));
    ASSERT_FALSE(bytes.empty());
    for (const ReadOutcome& outcome : {ReadAsFile(ReadRokModel, bytes), ReadAsMemory(ReadRokModel, bytes)}) {
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(outcome.model.vertices.size(), 2u);
        EXPECT_TRUE(outcome.model.faces.empty()) << "the face never ends";
    }
}

struct HeadCase {
    const char* name;
    std::string head;
    bool memory, file;
};

class RokRecognition : public ::testing::TestWithParam<HeadCase> {};

// The host's buffer holds 2000 bytes; a file head is what text mode read.
TEST_P(RokRecognition, ByHeadAndByFile) {
    const HeadCase& c = GetParam();
    std::vector<uint8_t> hostBuffer(2000, 0);
    std::copy_n(c.head.begin(), std::min<size_t>(c.head.size(), 2000), hostBuffer.begin());
    EXPECT_EQ(RecognizeRok({hostBuffer, false}), c.memory) << "memory head";
    const std::string fileHead = FoldTextMode(AsBytes(c.head)).substr(0, 2000);
    EXPECT_EQ(RecognizeRok({AsBytes(fileHead), true}), c.file) << "file head";
}

std::string HeaderOf(int headerLines, const std::string& lineEnd) {
    RokWriter writer = Square();
    writer.AddLoop({0, 1, 2}, 0);
    writer.headerLines = headerLines;
    writer.lineEnd = lineEnd;
    return writer.Write();
}

INSTANTIATE_TEST_SUITE_P(
    Heads, RokRecognition,
    ::testing::Values(HeadCase{"model", HeaderOf(14, "\r"), true, true},
                      HeadCase{"header_one_line_longer", HeaderOf(15, "\r"), false, false},
                      HeadCase{"header_one_line_shorter", HeaderOf(13, "\r"), false, false},
                      HeadCase{"crlf", HeaderOf(14, "\r\n"), false, false},
                      HeadCase{"lf", HeaderOf(14, "\n"), false, false},
                      HeadCase{"roku3", "ROKU3" + HeaderOf(14, "\r").substr(5), false, false},
                      HeadCase{"point_lower_case", "ROKU4" + std::string(15, '\r') + "point\r", false, false},
                      HeadCase{"point_at_the_head", "ROKU4" + std::string(15, '\r') + "POINT", true, false},
                      HeadCase{"point_beyond_the_head", "ROKU4" + std::string(1990, 'x') + std::string(15, '\r') + "POINT\r",
                               false, false},
                      HeadCase{"empty", "", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
