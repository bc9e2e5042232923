#include "readers/lwo/lwo_reader.h"
#include "tests/support/test_support.h"
#include "tests/unit/lwo/lwo_cases.h"

namespace {

const std::string kQuadPoints = Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}));

using LwobCase = LwoCase;

class LwobBothForms : public ::testing::TestWithParam<LwobCase> {};

TEST_P(LwobBothForms, ReadsFacesAndSurfaces) { ExpectBothFormsRead("LWOB", GetParam()); }

const RgbColor kBlack{0, 0, 0};
const RgbColor kBlue{0, 0, 1.0f};
const std::string kRedBlue = Chunk("SRFS", PaddedName("Red") + PaddedName("Blue"));

INSTANTIATE_TEST_SUITE_P(
    Chunks, LwobBothForms,
    ::testing::Values(
        LwobCase{"surface_numbers_positive_negative_zero",
                 kQuadPoints + Chunk("POLS", Words({4, 0, 1, 2, 3, 2, 4, 0, 1, 2, 3, 0xFFFE, 4, 0, 1, 2, 3, 0})),
                 {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}},
                 {2, 2, -1}},
        LwobCase{"two_point_polygon_passed_over_with_its_words",
                 kQuadPoints + Chunk("POLS", Words({2, 0, 1, 1, 3, 1, 2, 3, 1})), {{1, 2, 3}}, {1}},
        LwobCase{"point_indices_are_unsigned", kQuadPoints + Chunk("POLS", Words({3, 0x8000, 0xFFFF, 1, 1})),
                 {{0x8000, 0xFFFF, 1}}, {1}},
        LwobCase{"srfs_and_surf_colours",
                 kQuadPoints + kRedBlue + LwobSurface("Blue", LwobColor(0, 0, 255)) +
                     Chunk("POLS", Words({3, 0, 1, 2, 2, 3, 0, 2, 3, 1})),
                 {{0, 1, 2}, {0, 2, 3}}, {2, 1}, {kBlue, kBlack}},
        LwobCase{"pols_before_srfs_still_coloured",
                 kQuadPoints + Chunk("POLS", Words({3, 0, 1, 2, 2})) + kRedBlue + LwobSurface("Blue", LwobColor(0, 0, 255)),
                 {{0, 1, 2}}, {2}, {kBlue}},
        LwobCase{"colr_not_first_is_not_read",
                 kQuadPoints + kRedBlue + LwobSurface("Blue", SubChunk("FLAG", Be16(4)) + LwobColor(0, 0, 255)) +
                     Chunk("POLS", Words({3, 0, 1, 2, 2})),
                 {{0, 1, 2}}, {2}, {kBlack}},
        LwobCase{"surf_names_match_case_sensitively",
                 kQuadPoints + kRedBlue + LwobSurface("blue", LwobColor(0, 0, 255)) + Chunk("POLS", Words({3, 0, 1, 2, 2})),
                 {{0, 1, 2}}, {2}, {kBlack}},
        LwobCase{"surface_beyond_the_table_keeps_its_number",
                 kQuadPoints + kRedBlue + Chunk("POLS", Words({3, 0, 1, 2, 7})), {{0, 1, 2}}, {7}, {kBlack}},
        LwobCase{"long_surface_names_are_matched_whole",
                 kQuadPoints + Chunk("SRFS", PaddedName(std::string(200, 'a')) + PaddedName(std::string(200, 'a') + "b")) +
                     LwobSurface(std::string(200, 'a') + "b", LwobColor(0, 0, 255)) + Chunk("POLS", Words({3, 0, 1, 2, 2, 3, 0, 1, 2, 1})),
                 {{0, 1, 2}, {0, 1, 2}}, {2, 1}, {kBlue, kBlack}},
        LwobCase{"unknown_chunk_after_all_four_ends_the_walk",
                 kQuadPoints + kRedBlue + Chunk("POLS", Words({3, 0, 1, 2, 2})) + LwobSurface("Red", LwobColor(255, 0, 0)) +
                     Chunk("CRVS", "") + LwobSurface("Blue", LwobColor(0, 0, 255)) + Chunk("POLS", Words({3, 1, 2, 3, 1})),
                 {{0, 1, 2}}, {2}, {kBlack}},
        LwobCase{"unknown_chunk_before_all_four_is_skipped",
                 kQuadPoints + Chunk("CRVS", "xyz") + Chunk("POLS", Words({3, 0, 1, 2, 0})), {{0, 1, 2}}, {-1}},
        LwobCase{"polygon_running_past_its_chunk_is_not_read",
                 kQuadPoints + Chunk("POLS", Words({3, 0, 1, 2, 0, 4, 0, 1})) + Chunk("POLS", Words({3, 1, 2, 3, 0})),
                 {{0, 1, 2}, {1, 2, 3}}, {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LwobReader, PointsTakeZNegated) {
    const std::string file = Form("LWOB", Chunk("PNTS", Points({1, 2, 3, -4, 5.5f, -6})));
    for (const ReadOutcome& outcome : {ReadAsFile(ReadLwoModel, AsBytes(file)), ReadAsMemory(ReadLwoModel, AsBytes(file))}) {
        ASSERT_EQ(outcome.model.vertices.size(), 2u);
        EXPECT_EQ(outcome.model.vertices[0].x, 1.0f);
        EXPECT_EQ(outcome.model.vertices[0].y, 2.0f);
        EXPECT_EQ(outcome.model.vertices[0].z, -3.0f);
        EXPECT_EQ(outcome.model.vertices[1].y, 5.5f);
        EXPECT_EQ(outcome.model.vertices[1].z, 6.0f);
    }
}

// A skip past the end fails in memory and succeeds as a file seek does.
TEST(LwobReader, UnknownChunkPastTheEndFailsOnlyInMemory) {
    const std::string complete = kQuadPoints + Chunk("POLS", Words({3, 0, 1, 2, 0}));
    for (const std::string& tail : {"CRVS" + Be32(100) + "abc", std::string("CRVS") + "\0\0"}) {
        const std::string file = Form("LWOB", complete + tail);
        const ReadOutcome memory = ReadAsMemory(ReadLwoModel, AsBytes(file));
        EXPECT_EQ(memory.result, 1);
        const ReadOutcome byPath = ReadAsFile(ReadLwoModel, AsBytes(file));
        EXPECT_EQ(byPath.result, 0);
        EXPECT_EQ(FaceCorners(byPath.model), (std::vector<std::vector<int32_t>>{{0, 1, 2}}));
    }
}

}  // namespace
