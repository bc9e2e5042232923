#include "readers/dxf/dxf_reader.h"

#include "tests/support/test_support.h"
#include "tests/unit/dxf/dxf_test_text.h"

namespace {

using Corners = std::vector<std::vector<int32_t>>;

struct DxfCase {
    const char* name;
    std::string text;
    int32_t result;
    size_t vertices;
    Corners faces;
};

class DxfBothForms : public ::testing::TestWithParam<DxfCase> {};

TEST_P(DxfBothForms, ReadsTheDrawing) {
    const DxfCase& c = GetParam();
    for (const ReadOutcome& outcome : {ReadAsFile(ReadDxfModel, AsBytes(c.text)), ReadAsMemory(ReadDxfModel, AsBytes(c.text))}) {
        ASSERT_EQ(outcome.result, c.result);
        if (c.result != 0) continue;
        EXPECT_EQ(outcome.model.vertices.size(), c.vertices);
        EXPECT_EQ(FaceCorners(outcome.model), c.faces);
        for (const FaceRecord& face : outcome.model.faces) EXPECT_EQ(face.materialIndex, -1);
    }
}

const Point3f kA{0, 0, 0}, kB{1, 0, 0}, kC{1, 1, 0}, kD{0, 1, 0};

std::string Polyface(const std::string& faceRecords) { return Polyline(64, PositionVertices(4, 192) + faceRecords); }

std::string Mesh(int flags, int m, int n, int vertices) {
    return Polyline(flags, PositionVertices(vertices, 64), Pair(71, m) + Pair(72, n));
}

// Six vertices of (1, 2, 3, 4, 5, 6)-style 3DFACE corner codes, but with the
// x codes in the order 11, 10, 12, 13.
std::string XCodesOutOfOrder() {
    return Drawing(Pair(0, "3DFACE") + Pair(11, 1) + Pair(10, 0) + Pair(12, 1) + Pair(13, 0) + Pair(20, 0) + Pair(21, 0) +
                   Pair(22, 1) + Pair(23, 1) + Pair(30, 0) + Pair(31, 0) + Pair(32, 0) + Pair(33, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Faces, DxfBothForms,
    ::testing::Values(
        DxfCase{"fourth_corner_equal_to_third", Drawing(Face3d({kA, kB, kC, kC})), 0, 3, {{0, 1, 2}}},
        DxfCase{"quad", Drawing(Face3d({kA, kB, kC, kD})), 0, 4, {{0, 1, 2, 3}}},
        DxfCase{"three_corners_only", Drawing(Face3d({kA, kB, kC})), 0, 3, {{0, 1, 2}}},
        DxfCase{"shared_edge_shares_no_vertex", Drawing(Face3d({kA, kB, kC}) + Face3d({kA, kC, kD})), 0, 6,
                {{0, 1, 2}, {3, 4, 5}}},
        DxfCase{"x_code_11_before_10", XCodesOutOfOrder(), 1, 0, {}},
        DxfCase{"two_corners", Drawing(Face3d({kA, kB})), 1, 0, {}},
        DxfCase{"unequal_axis_counts", Drawing(Face3d({kA, kB, kC}) + Pair(13, 0)), 1, 0, {}},
        DxfCase{"fifth_x_value", Drawing(Face3d({kA, kB, kC, kD}) + Pair(14, 0)), 1, 0, {}},
        DxfCase{"coordinate_not_a_number", Drawing(Face3d({kA, kB}) + Pair(12, "x") + Pair(22, 0) + Pair(32, 0)), 1, 0, {}},
        DxfCase{"other_entities_passed_over",
                Drawing(Pair(0, "LINE") + Pair(10, 0) + Pair(11, 1) + Pair(0, "CIRCLE") + Pair(40, 2) + Face3d({kA, kB, kC})),
                0, 3, {{0, 1, 2}}},
        DxfCase{"only_points_and_lines", Drawing(Pair(0, "POINT") + Pair(10, 1) + Pair(0, "LINE") + Pair(10, 0)), 0, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Polylines, DxfBothForms,
    ::testing::Values(
        // A 3DFACE first, so that the polyface indices count from `base` 3.
        DxfCase{"polyface_quad", Drawing(Face3d({kA, kB, kC}) + Polyface(FaceRecordVertex({1, 2, -3, 4}))), 0, 7,
                {{0, 1, 2}, {3, 4, 5, 6}}},
        DxfCase{"polyface_without_74", Drawing(Face3d({kA, kB, kC}) + Polyface(FaceRecordVertex({1, 2, -3}))), 0, 7,
                {{0, 1, 2}, {3, 4, 5}}},
        DxfCase{"polyface_74_equal_to_73", Drawing(Face3d({kA, kB, kC}) + Polyface(FaceRecordVertex({1, 2, -3, 3}))), 0, 7,
                {{0, 1, 2}, {3, 4, 5}}},
        DxfCase{"polyface_index_0_or_beyond_dropped",
                Drawing(Polyface(FaceRecordVertex({0, 2, 3}) + FaceRecordVertex({1, 2, 5}) + FaceRecordVertex({4, 3, 2}))), 0,
                4, {{3, 2, 1}}},
        DxfCase{"face_record_outside_a_polyface", Drawing(Polyline(8, PositionVertices(3, 32) + FaceRecordVertex({1, 2, 3}))),
                0, 3, {}},
        DxfCase{"mesh_2_by_3", Drawing(Mesh(16, 2, 3, 6)), 0, 6, {{0, 1, 4, 3}, {1, 2, 5, 4}}},
        DxfCase{"mesh_closed_in_n", Drawing(Mesh(48, 2, 3, 6)), 0, 6, {{0, 1, 4, 3}, {1, 2, 5, 4}, {2, 0, 3, 5}}},
        DxfCase{"mesh_closed_in_m", Drawing(Mesh(17, 2, 3, 6)), 0, 6,
                {{0, 1, 4, 3}, {1, 2, 5, 4}, {3, 4, 1, 0}, {4, 5, 2, 1}}},
        DxfCase{"mesh_short_of_vertices_keeps_full_rows", Drawing(Mesh(49, 3, 3, 7)), 0, 7,
                {{0, 1, 4, 3}, {1, 2, 5, 4}, {2, 0, 3, 5}}},
        DxfCase{"mesh_without_m", Drawing(Polyline(16, PositionVertices(6, 64), Pair(72, 3))), 0, 6, {}},
        DxfCase{"mesh_size_before_flags", Drawing(Pair(0, "POLYLINE") + Pair(71, 2) + Pair(72, 3) + Pair(70, 16) +
                                                  PositionVertices(6, 64) + Pair(0, "SEQEND")),
                0, 6, {}},
        DxfCase{"mesh_of_huge_size", Drawing(Mesh(16, 2147483647, 2147483647, 4)), 0, 4, {}},
        DxfCase{"mesh_vertex_without_bit_64",
                Drawing(Polyline(16, PositionVertices(5, 64) + Vertex(kA, 32), Pair(71, 2) + Pair(72, 3))), 1, 0, {}},
        DxfCase{"closed_3d_polyline", Drawing(Polyline(9, PositionVertices(5, 32))), 0, 5, {{0, 1, 2, 3, 4}}},
        DxfCase{"open_3d_polyline", Drawing(Polyline(8, PositionVertices(5, 32))), 0, 5, {}},
        DxfCase{"closed_polyline_without_vertices", Drawing(Polyline(9, "")), 0, 0, {}},
        DxfCase{"vertices_follow_flag_not_1", Drawing(Pair(0, "POLYLINE") + Pair(66, 0) + Pair(0, "SEQEND")), 1, 0, {}},
        DxfCase{"other_entity_inside", Drawing(Polyline(9, PositionVertices(3, 32) + Pair(0, "LINE"))), 1, 0, {}},
        DxfCase{"index_not_a_number", Drawing(Polyface(FaceRecordVertex({1, 2}) + Pair(73, "x"))), 1, 0, {}},
        DxfCase{"polyline_without_seqend", Pair(0, "POLYLINE") + Pair(70, 9) + PositionVertices(3, 32) + Pair(0, "EOF"), 1, 0,
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Outlines a drawing mixes with its surfaces are passed over whole, up to
// their SEQEND, and leave neither vertex nor face behind.
INSTANTIATE_TEST_SUITE_P(
    OutlinesPassedOver, DxfBothForms,
    ::testing::Values(
        DxfCase{"2d_polyline_alone", Drawing(Polyline(0, PositionVertices(4, 0))), 0, 0, {}},
        DxfCase{"2d_polyline_beside_3dface", Drawing(Polyline(1, PositionVertices(4, 0)) + Face3d({kA, kB, kC})), 0, 3,
                {{0, 1, 2}}},
        DxfCase{"3d_vertices_then_a_2d_one", Drawing(Face3d({kA, kB, kC}) + Polyline(9, PositionVertices(3, 32) + Vertex(kA, 0))),
                0, 3, {{0, 1, 2}}},
        DxfCase{"curve_fit_polyline", Drawing(Polyline(2 | 8, PositionVertices(3, 32)) + Face3d({kA, kB, kC})), 0, 3,
                {{0, 1, 2}}},
        DxfCase{"spline_fit_polyline", Drawing(Polyline(4 | 9, PositionVertices(3, 32)) + Face3d({kA, kB, kC})), 0, 3,
                {{0, 1, 2}}},
        DxfCase{"curve_fit_vertex", Drawing(Face3d({kA, kB, kC}) + Polyline(9, PositionVertices(3, 32) + Vertex(kD, 1 | 32))),
                0, 3, {{0, 1, 2}}},
        DxfCase{"polyface_with_a_2d_vertex",
                Drawing(Polyline(64, PositionVertices(4, 192) + FaceRecordVertex({1, 2, 3}) + Vertex(kA, 0))), 0, 0, {}},
        DxfCase{"still_checked_for_structure", Drawing(Polyline(0, PositionVertices(2, 0) + Pair(0, "CIRCLE"))), 1, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

const std::string kFace = Face3d({kA, kB, kC});

INSTANTIATE_TEST_SUITE_P(
    Walk, DxfBothForms,
    ::testing::Values(
        DxfCase{"eof_without_line_break", Drawing(kFace).substr(0, Drawing(kFace).size() - 1), 1, 0, {}},
        DxfCase{"input_ends_before_eof", Pair(0, "SECTION") + Pair(2, "ENTITIES") + kFace + Pair(0, "ENDSEC"), 1, 0, {}},
        DxfCase{"lower_case_and_indented_names",
                Pair(0, "  section") + Pair(2, "entities") + Pair(0, "3dface") + Coordinates(kA, 0) + Coordinates(kB, 1) +
                    Coordinates(kC, 2) + Pair(0, " EndSec") + Pair(0, "\teof"),
                0, 3, {{0, 1, 2}}},
        DxfCase{"code_with_blanks_and_sign", "  0\nSECTION\n  2\nENTITIES\n+0\nENDSEC\n  0\nEOF\n", 0, 0, {}},
        DxfCase{"crlf_line_ends", "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\n3DFACE\r\n10\r\n0\r\n20\r\n0\r\n30\r\n0\r\n11\r\n1\r\n"
                                  "21\r\n0\r\n31\r\n0\r\n12\r\n1\r\n22\r\n1\r\n32\r\n0\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n",
                0, 3, {{0, 1, 2}}},
        DxfCase{"section_inside_section", Pair(0, "SECTION") + Drawing(""), 1, 0, {}},
        DxfCase{"endsec_without_section", Pair(0, "ENDSEC") + Pair(0, "EOF"), 1, 0, {}},
        DxfCase{"entities_without_section", Pair(2, "ENTITIES") + kFace + Pair(0, "EOF"), 1, 0, {}},
        DxfCase{"blocks_without_section", Pair(2, "BLOCKS") + Pair(0, "EOF"), 1, 0, {}},
        DxfCase{"entities_outside_sections", kFace + Pair(0, "EOF"), 0, 3, {{0, 1, 2}}},
        DxfCase{"block_definition", Pair(0, "SECTION") + Pair(2, "BLOCKS") + Pair(0, "BLOCK") + Pair(2, "Mesh") + kFace +
                                        Pair(0, "ENDBLK") + Pair(0, "ENDSEC") + Pair(0, "EOF"),
                0, 3, {{0, 1, 2}}},
        DxfCase{"long_value_after_code_1000", Drawing(Pair(1000, std::string(600, 'z')) + kFace), 0, 3, {{0, 1, 2}}},
        // Extended data inside an entity is passed over whole as well.
        DxfCase{"long_value_inside_3dface", Drawing(kFace + Pair(1001, "APP") + Pair(1000, std::string(1500, '0'))), 0, 3,
                {{0, 1, 2}}},
        DxfCase{"long_value_inside_polyline",
                Drawing(Polyline(9, PositionVertices(3, 32) + Pair(1000, std::string(700, '0')))), 0, 3, {{0, 1, 2}}},
        DxfCase{"empty_input", "", 1, 0, {}},
        // A line is C text: a zero byte ends it.
        DxfCase{"zero_byte_ends_a_line",
                Drawing(kFace + Pair(0, std::string_view("3DFACE\0x", 8)) + Pair(10, std::string_view("\0" "1", 2)) +
                        Coordinates(kB, 1) + Coordinates(kC, 2) + Pair(20, 0) + Pair(30, 0)),
                1, 0, {}},
        DxfCase{"zero_byte_after_a_name", Drawing(Pair(0, std::string_view("3DFACE\0x", 8)) + Coordinates(kA, 0) +
                                                  Coordinates(kB, 1) + Coordinates(kC, 2)),
                0, 3, {{0, 1, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfReader, CoordinatesAsWrittenAndElevationAdded) {
    const std::string text = Drawing(Face3d({{1.5f, -2.25f, 1e3f}, kB, kC}) +
                                     Polyline(9, PositionVertices(2, 32) + Vertex({7, 8, 1}, 32), Pair(30, 5)));
    for (const ReadOutcome& outcome : {ReadAsFile(ReadDxfModel, AsBytes(text)), ReadAsMemory(ReadDxfModel, AsBytes(text))}) {
        ASSERT_EQ(outcome.result, 0);
        ASSERT_EQ(outcome.model.vertices.size(), 6u);
        const Point3f& first = outcome.model.vertices[0];
        EXPECT_EQ(first.x, 1.5f);
        EXPECT_EQ(first.y, -2.25f);
        EXPECT_EQ(first.z, 1000.0f);
        EXPECT_EQ(outcome.model.vertices[3].z, 5.0f) << "z 0 + elevation 5";
        const Point3f& last = outcome.model.vertices[5];
        EXPECT_EQ(last.x, 7.0f);
        EXPECT_EQ(last.y, 8.0f);
        EXPECT_EQ(last.z, 6.0f) << "z 1 + elevation 5";
    }
}

// The file is read as C text mode reads it; a memory image byte for byte.
TEST(DxfReader, FileAndMemoryDifferOnlyWhereTextModeFolds) {
    const std::string text = "0\r\r\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
    EXPECT_EQ(ReadAsFile(ReadDxfModel, AsBytes(text)).result, 0);
    EXPECT_EQ(ReadAsMemory(ReadDxfModel, AsBytes(text)).result, 1) << "CR, then CR LF: an empty line";
}

// Every kind of surface in one drawing, beside an outline and extended data.
TEST(DxfReader, MixedDrawing) {
    const std::vector<uint8_t> bytes = ReadFileBytes(FixturePath("dxf/polylines.dxf"));
    ASSERT_FALSE(bytes.empty());
    for (const ReadOutcome& outcome : {ReadAsFile(ReadDxfModel, bytes), ReadAsMemory(ReadDxfModel, bytes)}) {
        ASSERT_EQ(outcome.result, 0);
        EXPECT_EQ(outcome.model.vertices.size(), 4u + 6u + 5u + 4u) << "polyface, mesh, closed polyline, 3DFACE";
        const Corners corners = FaceCorners(outcome.model);
        ASSERT_EQ(corners.size(), 1u + 6u + 1u + 1u);
        EXPECT_EQ(corners[0], (std::vector<int32_t>{0, 1, 2, 3}));
        EXPECT_EQ(corners[6], (std::vector<int32_t>{9, 7, 4, 6})) << "the mesh closed in M and N";
        EXPECT_EQ(corners[7], (std::vector<int32_t>{10, 11, 12, 13, 14}));
        EXPECT_EQ(corners[8], (std::vector<int32_t>{15, 16, 17, 18}));
    }
}

struct CorpusCase {
    const char* file;
    int32_t result;
    size_t vertices, faces;
};

// Real drawings from other tools, with what they must give.
TEST(DxfReader, CorpusFiles) {
    PRISMO_REQUIRE_CORPUS();
    const CorpusCase cases[] = {
        {"wuson.dxf", 0, 3205, 3732},  // one polyface mesh inside a block
        // LightWave writes each 3DFACE's corners last to first (13 before 10),
        // and a corner code that is not the next of its axis is passed over.
        {"PinkEggFromLW.dxf", 1, 0, 0},
        {"lineTest.dxf", 0, 7, 2},  // a quad and a triangle among lines
        {"points.dxf", 0, 0, 0},    // POINT entities only: no face
    };
    for (const CorpusCase& c : cases) {
        SCOPED_TRACE(c.file);
        const std::vector<uint8_t> bytes = ReadFileBytes(CorpusPath(std::string("dxf/") + c.file));
        ASSERT_FALSE(bytes.empty());
        for (const ReadOutcome& outcome : {ReadAsFile(ReadDxfModel, bytes), ReadAsMemory(ReadDxfModel, bytes)}) {
            EXPECT_EQ(outcome.result, c.result);
            EXPECT_EQ(outcome.model.vertices.size(), c.vertices);
            EXPECT_EQ(outcome.model.faces.size(), c.faces);
        }
    }
}

}  // namespace
