#include "readers/lwo/lwo_reader.h"
#include "tests/support/test_support.h"
#include "tests/unit/lwo/lwo_cases.h"

namespace {

const std::string kQuadPoints = Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}));
const std::string kLayer = Chunk("LAYR", Words({0, 0}) + Points({0, 0, 0}) + PaddedName("layer"));
const std::string kQuad = Chunk("POLS", "FACE" + Words({4, 0, 1, 2, 3}));
const std::string kTwoTriangles = Chunk("POLS", "FACE" + Words({3, 0, 1, 2, 3, 0, 2, 3}));
const std::string kDefaultRed = Chunk("TAGS", PaddedName("Default") + PaddedName("Red"));
const RgbColor kRed{1.0f, 0, 0};
const RgbColor kGreen{0, 1.0f, 0};

using Lwo2Case = LwoCase;

class Lwo2BothForms : public ::testing::TestWithParam<Lwo2Case> {};

TEST_P(Lwo2BothForms, ReadsFacesAndSurfaces) { ExpectBothFormsRead("LWO2", GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Chunks, Lwo2BothForms,
    ::testing::Values(
        Lwo2Case{"two_layers_join_through_the_vertex_base", kLayer + kQuadPoints + kQuad + kLayer + kQuadPoints + kQuad,
                 {{0, 1, 2, 3}, {4, 5, 6, 7}}, {-1, -1}},
        Lwo2Case{"curve_pols_and_part_ptag_skipped",
                 kQuadPoints + Chunk("POLS", "CURV" + Words({2, 0, 1})) + Chunk("PTAG", "PART" + Words({0, 0})) +
                     kDefaultRed + kQuad + SurfaceTags({0, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2, 3}}, {2}, {kRed}},
        Lwo2Case{"patches_and_short_polygons_are_faces", kQuadPoints + Chunk("POLS", "PTCH" + Words({3, 0, 1, 2, 2, 0, 3, 0})),
                 {{0, 1, 2}, {0, 3}, {}}, {-1, -1, -1}},
        Lwo2Case{"four_byte_index_adds_the_vertex_base",
                 kQuadPoints + kQuadPoints + Chunk("POLS", "FACE" + Words({3, 0xFF01, 0x0203, 1, 2})), {{66055, 5, 6}}, {-1}},
        Lwo2Case{"count_word_flags_ignored", kQuadPoints + Chunk("POLS", "FACE" + Words({0x8004, 0, 1, 2, 3})),
                 {{0, 1, 2, 3}}, {-1}},
        Lwo2Case{"default_red_tags",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {2, -1}, {kRed}},
        Lwo2Case{"ptag_face_numbers_count_from_the_latest_pols",
                 kDefaultRed + kQuadPoints + kQuad + kQuad + SurfaceTags({0, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2, 3}, {0, 1, 2, 3}}, {-1, 2}, {kRed, kRed}},
        Lwo2Case{"ptag_polygon_number_in_four_byte_form",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0xFF00, 0x0001, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {-1, 2}, {kRed, kRed}},
        Lwo2Case{"later_ptag_entry_wins",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0, 1, 1, 1, 0, 0}) +
                     Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)) + Lwo2Surface("Default", "", Lwo2Color(0, 1, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {1, 2}, {kGreen, kRed}},
        Lwo2Case{"source_surface_gives_its_colour",
                 Chunk("TAGS", PaddedName("Red") + PaddedName("Red2")) + kQuadPoints + kTwoTriangles + SurfaceTags({0, 0, 1, 1}) +
                     Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)) + Lwo2Surface("Red2", "Red", Lwo2Color(0, 1, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {1, 2}, {kRed, kRed}},
        Lwo2Case{"colr_after_another_sub_chunk",
                 kDefaultRed + kQuadPoints + kQuad + SurfaceTags({0, 1}) +
                     Lwo2Surface("Red", "", SubChunk("DIFF", BeFloat(1)) + SubChunk("SMAN", "abc") + Lwo2Color(1, 0, 0)),
                 {{0, 1, 2, 3}}, {2}, {kRed}},
        Lwo2Case{"later_surface_of_the_same_name_wins",
                 kDefaultRed + kQuadPoints + kQuad + SurfaceTags({0, 1}) + Lwo2Surface("Red", "", Lwo2Color(0, 1, 0)) +
                     Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2, 3}}, {2}, {kRed}},
        // A tag without a surface colour is common in real files: such faces
        // take the object colour and the rest keep theirs.
        Lwo2Case{"tag_without_surface_keeps_object_colour",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0, 0, 1, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {-1, 2}, {kRed, kRed}},
        Lwo2Case{"surface_without_colr_and_unknown_source",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0, 0, 1, 1}) +
                     Lwo2Surface("Default", "", SubChunk("DIFF", BeFloat(1))) + Lwo2Surface("Red", "Missing", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {-1, -1}},
        Lwo2Case{"tag_number_beyond_the_tags_and_face_beyond_the_faces",
                 kDefaultRed + kQuadPoints + kTwoTriangles + SurfaceTags({0, 9, 7, 1, 1, 1}) + Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {-1, 2}, {kRed, kRed}},
        Lwo2Case{"long_names_are_matched_whole",
                 Chunk("TAGS", PaddedName(std::string(300, 's')) + PaddedName(std::string(300, 's') + "t")) + kQuadPoints +
                     kTwoTriangles + SurfaceTags({0, 0, 1, 1}) + Lwo2Surface(std::string(300, 's') + "t", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {0, 2, 3}}, {-1, 2}, {kRed, kRed}},
        Lwo2Case{"empty_tag_strings_take_no_number",
                 Chunk("TAGS", std::string(2, '\0') + PaddedName("Red")) + kQuadPoints + kQuad + SurfaceTags({0, 0}) +
                     Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2, 3}}, {1}, {kRed}},
        // Sizes that break the format's own rules still leave the walk on
        // the chunk boundaries.
        Lwo2Case{"odd_sized_chunks_keep_the_walk_aligned",
                 Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 1, 1, 0}) + "x") + Chunk("POLS", "FACE" + Words({3, 0, 1, 2, 3, 0})) +
                     Chunk("POLS", "FACE" + Words({3, 2, 1, 0})) + Chunk("TAGS", PaddedName("Red")) + Chunk("PTAG", "SURF" + Words({0, 0}) + "y") +
                     Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)),
                 {{0, 1, 2}, {2, 1, 0}}, {-1, 1}, {kRed, kRed}},
        Lwo2Case{"chunks_too_short_for_their_type",
                 kQuadPoints + Chunk("POLS", "FA") + Chunk("PTAG", "SU") + Chunk("SURF", "Red") + kQuad, {{0, 1, 2, 3}}, {-1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lwo2Reader, PointsTakeZNegated) {
    const std::string file = Form("LWO2", Chunk("PNTS", Points({1, 2, 3})));
    for (const ReadOutcome& outcome : {ReadAsFile(ReadLwoModel, AsBytes(file)), ReadAsMemory(ReadLwoModel, AsBytes(file))}) {
        ASSERT_EQ(outcome.model.vertices.size(), 1u);
        EXPECT_EQ(outcome.model.vertices[0].x, 1.0f);
        EXPECT_EQ(outcome.model.vertices[0].y, 2.0f);
        EXPECT_EQ(outcome.model.vertices[0].z, -3.0f);
    }
}

// An unknown chunk's skip past the end ends the walk quietly in both forms.
TEST(Lwo2Reader, SkipPastTheEndKeepsWhatWasRead) {
    const std::string file = Form("LWO2", kQuadPoints + kQuad + "VMAP" + Be32(0xFFFFFFF0) + "abc");
    for (const ReadOutcome& outcome : {ReadAsFile(ReadLwoModel, AsBytes(file)), ReadAsMemory(ReadLwoModel, AsBytes(file))}) {
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(FaceCorners(outcome.model), (std::vector<std::vector<int32_t>>{{0, 1, 2, 3}}));
    }
}

}  // namespace
