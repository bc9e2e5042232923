#include <cmath>

#include "core/model/model_geometry.h"
#include "core/model/view_fitting.h"
#include "tests/support/test_support.h"

namespace {

TEST(ModelStore, ClearEmptiesEverythingAndKeepsStorage) {
    ModelGeometry model;
    ClearModel(model);  // never filled: nothing to do
    for (int i = 0; i < 1000; ++i) AppendVertex(model, {float(i), 0, 0});
    for (int i = 0; i < 500; ++i) {
        const int32_t corners[] = {i, i + 1, i + 2};
        AppendFace(model, corners, i % 2 ? 3 : -1, {0.5f, 0.25f, 1.0f});
    }
    const size_t capacity = model.faces.capacity();
    ClearModel(model);
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_TRUE(model.faces.empty());
    EXPECT_TRUE(model.indexPool.empty());
    EXPECT_EQ(model.faces.capacity(), capacity);
}

// Readers reserve mesh by mesh: a model of many meshes must not be moved
// once per mesh (that is quadratic in its size).
TEST(ModelStore, ReservingMeshByMeshMovesTheArraysRarely) {
    ModelGeometry model;
    int moves = 0;
    const FaceRecord* where = nullptr;
    for (int mesh = 0; mesh < 2000; ++mesh) {
        ReserveModel(model, 0, 100, 300);
        if (model.faces.data() != where) ++moves, where = model.faces.data();
        for (int face = 0; face < 100; ++face) AppendFaceCorners(model, 3, -1);
        ASSERT_EQ(model.faces.data(), where) << "an append after the reservation moved the faces";
    }
    EXPECT_LE(moves, 20);
    EXPECT_EQ(model.indexPool.size(), 600000u);
}

TEST(ModelStore, FacesKeepTheirCornersAndColours) {
    ModelGeometry model;
    const int32_t first[] = {0, 1};
    const int32_t second[] = {2, 1, 0, 3};
    AppendFace(model, first, -1);
    AppendFace(model, second, 7, {1, 0, 0});
    int32_t* third = AppendFaceCorners(model, 3, 2, {0, 0, 1});
    third[0] = 4, third[1] = 5, third[2] = 6;
    AppendVertex(model, {1, 2, 3});  // a vertex after the faces changes no face
    EXPECT_EQ(FaceCorners(model), (std::vector<std::vector<int32_t>>{{0, 1}, {2, 1, 0, 3}, {4, 5, 6}}));
    EXPECT_EQ(model.faces[0].vertexCount, 2);
    EXPECT_EQ(model.faces[1].materialIndex, 7);
    EXPECT_EQ(model.Color(model.faces[1]), (RgbColor{1, 0, 0}));
    EXPECT_EQ(model.Color(model.faces[2]), (RgbColor{0, 0, 1}));
}

TEST(ModelStore, DropsFacesOutsideTheVertexListInOrder) {
    ModelGeometry model;
    for (int i = 0; i < 4; ++i) AppendVertex(model, {float(i), 0, 0});
    const std::vector<std::vector<int32_t>> faces = {{0, 1, 2}, {0, 4, 1}, {3, 2, 1, 0}, {-1, 0, 1}, {1, 2, 3}};
    for (size_t i = 0; i < faces.size(); ++i) AppendFace(model, faces[i], int32_t(i), {float(i), 0, 0});
    EXPECT_EQ(DropFacesOutsideVertices(model), 2u);
    EXPECT_EQ(FaceCorners(model), (std::vector<std::vector<int32_t>>{{0, 1, 2}, {3, 2, 1, 0}, {1, 2, 3}}));
    EXPECT_EQ(model.faces[2].materialIndex, 4);
    EXPECT_EQ(model.Color(model.faces[2]).red, 4.0f);
    EXPECT_EQ(model.indexPool.size(), 10u);
}

// A reader may reorder the face records (grouping by material, say): the
// corners still belong to their faces.
TEST(ModelStore, DropKeepsCornersOfReorderedFaces) {
    ModelGeometry model;
    for (int i = 0; i < 4; ++i) AppendVertex(model, {float(i), 0, 0});
    const std::vector<std::vector<int32_t>> faces = {{0, 1, 2}, {9, 9, 9}, {1, 2, 3}, {3, 2, 1, 0}};
    for (const auto& face : faces) AppendFace(model, face, -1);
    std::swap(model.faces[0], model.faces[3]);
    EXPECT_EQ(DropFacesOutsideVertices(model), 1u);
    EXPECT_EQ(FaceCorners(model), (std::vector<std::vector<int32_t>>{{3, 2, 1, 0}, {1, 2, 3}, {0, 1, 2}}));
}

struct FitCase {
    const char* name;
    std::vector<Point3f> vertices;
    float scale;  // expected factor applied after centring
    float diagonalAfter;
};

class ViewFitting : public ::testing::TestWithParam<FitCase> {};

TEST_P(ViewFitting, CentresScalesAndPlacesTheCamera) {
    const FitCase& c = GetParam();
    ModelGeometry model;
    for (const Point3f& v : c.vertices) AppendVertex(model, v);
    const Point3f first = c.vertices.front();
    Point3f low = first, high = first;
    for (const Point3f& v : c.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const ViewFit fit = FitModel(model);
    const float cx = (low.x + high.x) * 0.5f;
    EXPECT_FLOAT_EQ(model.vertices[0].x, (first.x - cx) * c.scale);
    const double d = c.diagonalAfter;
    EXPECT_NEAR(fit.cameraDistance, 0.55 * d / std::tan(0.3490658888888889), 1e-5 * d);
    EXPECT_NEAR(fit.nearPlane, fit.cameraDistance - 0.55 * d, 1e-5 * d);
    EXPECT_NEAR(fit.farPlane, fit.cameraDistance + 0.55 * d, 1e-5 * d);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ViewFitting,
    ::testing::Values(FitCase{"three_four_five", {{0, 0, 0}, {3, 4, 0}}, 1.0f, 5.0f},
                      FitCase{"tiny", {{0, 0, 0}, {0.001f, 0, 0}}, 1000.0f, 1.0f},
                      FitCase{"huge", {{0, 0, 0}, {20000, 0, 0}}, 0.5f, 10000.0f},
                      FitCase{"exactly_one", {{0, 0, 0}, {1, 0, 0}}, 1.0f, 1.0f},
                      FitCase{"exactly_ten_thousand", {{5, 5, 5}, {10005, 5, 5}}, 1.0f, 10000.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewFitting, ThreeFourFiveCamera) {
    ModelGeometry model;
    AppendVertex(model, {0, 0, 0});
    AppendVertex(model, {3, 4, 0});
    const ViewFit fit = FitModel(model);
    EXPECT_NEAR(fit.cameraDistance, 7.5555620f, 1e-5);
    EXPECT_FLOAT_EQ(model.vertices[0].x, -1.5f);
    EXPECT_FLOAT_EQ(model.vertices[0].y, -2.0f);
}

// All vertices in one point: no size, so nothing is scaled by infinity and
// the camera stays a number.
TEST(ViewFitting, CoincidentVerticesStayFinite) {
    ModelGeometry model;
    AppendVertex(model, {2, 2, 2});
    AppendVertex(model, {2, 2, 2});
    const ViewFit fit = FitModel(model);
    EXPECT_TRUE(std::isfinite(fit.cameraDistance));
    EXPECT_EQ(model.vertices[1].x, 0.0f);
    EXPECT_GE(fit.nearPlane, 0.01f);
}

}  // namespace
