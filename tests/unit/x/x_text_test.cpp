// What the text form puts into the model: positions, fanned triangles,
// materials grouped in ascending order, frame matrices.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "readers/x/x_text_lexer.h"
#include "tests/unit/x/x_test_files.h"

namespace {

const char kRedQuadAsTriangles[] = R"(
Mesh square {
 4;
 0.0;0.0;0.0;,
 1.0;0.0;0.0;,
 1.0;1.0;0.0;,
 0.0;1.0;0.0;;
 2;
 3;0,1,2;,
 3;0,2,3;;
 MeshMaterialList {
  1;
  2;
  0,
  0;;
  Material red {
   1.000000;0.000000;0.000000;1.000000;;
   0.0;
   0.0;0.0;0.0;;
   0.0;0.0;0.0;;
  }
 }
}
)";

constexpr RgbColor kRed{1, 0, 0};
constexpr RgbColor kGreen{0, 1, 0};

std::vector<RgbColor> FaceColors(const ModelGeometry& model) {
    std::vector<RgbColor> colors;
    for (const FaceRecord& face : model.faces) {
        EXPECT_EQ(face.materialIndex, 1);
        colors.push_back(model.Color(face));
    }
    return colors;
}

TEST(XText, OneRedMeshFromFileAndMemory) {
    const auto file = ReadAsFile(ReadXModel, XText(kRedQuadAsTriangles));
    const auto memory = ReadX(XText(kRedQuadAsTriangles));
    ASSERT_EQ(memory.result, 0);
    ASSERT_EQ(file.result, 0);
    EXPECT_TRUE(SameModel(file.model, memory.model));
    ASSERT_EQ(memory.model.vertices.size(), 4u);
    EXPECT_EQ(memory.model.vertices[2].x, 1.0f);
    EXPECT_EQ(memory.model.vertices[2].y, 1.0f);
    EXPECT_EQ(FaceCorners(memory.model), (std::vector<std::vector<int32_t>>{{0, 1, 2}, {0, 2, 3}}));
    EXPECT_EQ(FaceColors(memory.model), (std::vector<RgbColor>{kRed, kRed}));
}

// Faces are grouped by material number, ascending and stable within a
// group, whatever order the file lists them in.
TEST(XText, TwoMaterialsGrouped) {
    const auto outcome = ReadX(XText(R"(
Mesh {
 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
 4; 3;0,1,2;, 3;1,2,3;, 3;2,3,0;, 3;3,0,1;;
 MeshMaterialList { 2; 4; 1,0,1,0;;
  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
  Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }
 }
})"));
    ASSERT_EQ(outcome.result, 0);
    EXPECT_EQ(FaceCorners(outcome.model), (std::vector<std::vector<int32_t>>{{1, 2, 3}, {3, 0, 1}, {0, 1, 2}, {2, 3, 0}}));
    EXPECT_EQ(FaceColors(outcome.model), (std::vector<RgbColor>{kRed, kRed, kGreen, kGreen}));
    // The frame's pass over the faces, which compacts the index pool in
    // face order, keeps the regrouped faces as they are.
    ModelGeometry checked = outcome.model;
    EXPECT_EQ(DropFacesOutsideVertices(checked), 0u);
    EXPECT_TRUE(SameModel(checked, outcome.model));
}

// Polygons become fans around their first corner; each triangle keeps its
// polygon's material; polygons of fewer than three corners add nothing.
TEST(XText, PolygonsCutIntoFans) {
    const auto outcome = ReadX(XText(R"(
Mesh {
 5; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 2;2;2;;
 4; 4;0,1,2,3;, 2;0,1;, 5;4,0,1,2,3;, 3;4,1,2;;
 MeshMaterialList { 2; 4; 0,0,1,0;;
  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
  Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }
 }
})"));
    ASSERT_EQ(outcome.result, 0);
    EXPECT_EQ(FaceCorners(outcome.model),
              (std::vector<std::vector<int32_t>>{{0, 1, 2}, {0, 2, 3}, {4, 1, 2}, {4, 0, 1}, {4, 1, 2}, {4, 2, 3}}));
    EXPECT_EQ(FaceColors(outcome.model), (std::vector<RgbColor>{kRed, kRed, kRed, kGreen, kGreen, kGreen}));
}

// Normals, texture coordinates, colours and other data never reach the model.
TEST(XText, OnlyPositionsReachTheModel) {
    const auto outcome = ReadX(XText(R"(
template Unused { <00000000-0000-0000-0000-000000000000> DWORD n; }
Header { 1; 0; 1; }
Mesh m { <11111111-2222-3333-4444-555555555555>
 3; 1;2;3;, 4;5;6;, 7;8;9;;
 1; 3;0,1,2;;
 MeshNormals { 3; 0;0;1;, 0;0;1;, 0;0;1;; 1; 3;0,1,2;; }
 MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; }
 MeshVertexColors { 3; 0;1;0;0;1;;, 1;0;1;0;1;;, 2;0;0;1;1;;; }
 VertexDuplicationIndices { 3; 3; 0, 1, 2; }
 DeclData { 1; 2;0;3;0;; 9; 1,2,3,4,5,6,7,8,9; }
}
AnimationSet { Animation { { m } AnimationKey { 0; 1; 0; 4; 1; 2; 3; 4;;; } } }
)"));
    ASSERT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.model.vertices.size(), 3u);
    EXPECT_EQ(outcome.model.vertices[1].x, 4.0f);
    EXPECT_EQ(outcome.model.vertices[2].z, 9.0f);
    EXPECT_EQ(FaceCorners(outcome.model), (std::vector<std::vector<int32_t>>{{0, 1, 2}}));
    EXPECT_EQ(outcome.model.faces[0].materialIndex, -1) << "no material list";
}

// The separators, comments and line ends that exporters write.
TEST(XText, SpellingsOfTheSameMesh) {
    const ReadOutcome reference = ReadX(XText("Mesh{3;0;0;0;,1;0;0;,0;1;0;;1;3;0,1,2;;}"));
    ASSERT_EQ(reference.result, 0);
    const char* spellings[] = {
        "Mesh {\n 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;1.0;0.0;;\n 1;\n 3;0,1,2;;\n}\n",
        "Mesh {\r\n 3;\r\n 0;0;0;,\r\n 1;0;0;,\r\n 0;1;0;;\r\n 1;\r\n 3;0,1,2;;\r\n}\r\n",
        "// comment { \n# another }\nMesh named { // counts\n 3; 0 0 0 1 0 0 0 1 0 1 3 0 1 2 }",
        "Mesh { 3, 0,0,0, 1,0,0, 0,1,0, 1, 3, 0,1,2 }",
        "frame { MESH { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; } }",
        "Mesh { 3;// vertices\n 0;0;0//first\n 1;0;0 0;1;0 1 3 0 1 2//last\n}",
        "Mesh { 3; +0.0e0;0;0;, 1e0;0;.0;, 0.;10e-1;0;; 1; 3;0;1;2;;; }",
    };
    for (const char* text : spellings) {
        const ReadOutcome outcome = ReadX(XText(text));
        EXPECT_EQ(outcome.result, 0) << text;
        EXPECT_TRUE(SameModel(outcome.model, reference.model)) << text;
    }
}

struct MaterialCase {
    const char* name;
    const char* text;
    std::vector<int32_t> materialIndices;
    std::vector<RgbColor> colors;  // of the faces with a material
};

class XMaterials : public ::testing::TestWithParam<MaterialCase> {};

TEST_P(XMaterials, ColoursOfFaces) {
    const MaterialCase& c = GetParam();
    const auto outcome = ReadX(XText(c.text));
    ASSERT_EQ(outcome.result, 0);
    std::vector<int32_t> indices;
    std::vector<RgbColor> colors;
    for (const FaceRecord& face : outcome.model.faces) {
        indices.push_back(face.materialIndex);
        if (face.materialIndex >= 0) colors.push_back(outcome.model.Color(face));
    }
    EXPECT_EQ(indices, c.materialIndices);
    EXPECT_EQ(colors, c.colors);
}

#define TWO_TRIANGLES "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;2,1,0;;\n"
#define RED "Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }"

INSTANTIATE_TEST_SUITE_P(
    Lists, XMaterials,
    ::testing::Values(
        MaterialCase{"unclamped", TWO_TRIANGLES "MeshMaterialList { 1; 2; 0,0;; Material { 2.5;-0.5;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
                     {1, 1}, {{2.5f, -0.5f, 1.0f}, {2.5f, -0.5f, 1.0f}}},
        MaterialCase{"one_number_covers_all", TWO_TRIANGLES "MeshMaterialList { 1; 1; 0;; " RED " } }", {1, 1}, {kRed, kRed}},
        MaterialCase{"number_beyond_list", TWO_TRIANGLES "MeshMaterialList { 1; 2; 0,3;; " RED " } }", {-1, 1}, {kRed}},
        MaterialCase{"declared_count_below_given", TWO_TRIANGLES "MeshMaterialList { 1; 2; 1,0;; " RED RED " } }", {-1, 1}, {kRed}},
        MaterialCase{"no_material_given", TWO_TRIANGLES "MeshMaterialList { 1; 2; 0,0;; } }", {-1, -1}, {}},
        MaterialCase{"reference_before", "Material shiny { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }\n" TWO_TRIANGLES
                     "MeshMaterialList { 1; 2; 0,0;; { shiny } } }", {1, 1}, {kGreen, kGreen}},
        MaterialCase{"reference_after_with_guid", TWO_TRIANGLES "MeshMaterialList { 1; 2; 0,0;; { shiny <1-2-3-4-5> } } }\n"
                     "Material shiny { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }", {1, 1}, {kGreen, kGreen}},
        MaterialCase{"unknown_reference", TWO_TRIANGLES "MeshMaterialList { 2; 2; 0,1;; { nowhere } " RED " } }", {-1, 1}, {kRed}},
        MaterialCase{"texture_inside", TWO_TRIANGLES "MeshMaterialList { 1; 2; 0,0;; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;;"
                     " TextureFilename { \"a}b.png\"; } } } }", {1, 1}, {kRed, kRed}}),
    [](const auto& info) { return std::string(info.param.name); });

// Meshes follow each other in file order; every mesh's material numbers
// come after those of the meshes before it.
TEST(XText, MeshAfterMesh) {
    const auto outcome = ReadX(XText(
        "Mesh a { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; 1;; " RED
        " Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; } } }\n"
        "Mesh b { 3; 5;0;0;, 6;0;0;, 5;1;0;; 2; 3;0,1,2;, 3;2,1,0;; MeshMaterialList { 1; 1; 0;; " RED " } }\n"
        "Mesh c { 3; 9;0;0;, 9;1;0;, 9;0;1;; 1; 3;0,1,2;; }\n"));
    ASSERT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.model.vertices.size(), 9u);
    EXPECT_EQ(outcome.model.vertices[3].x, 5.0f);
    EXPECT_EQ(FaceCorners(outcome.model), (std::vector<std::vector<int32_t>>{{6, 7, 8}, {0, 1, 2}, {3, 4, 5}, {5, 4, 3}}));
    EXPECT_EQ(outcome.model.faces[0].materialIndex, -1);
    EXPECT_EQ(outcome.model.Color(outcome.model.faces[1]), kGreen);
    EXPECT_EQ(outcome.model.Color(outcome.model.faces[2]), kRed);
}

// Each frame's matrix (row vectors, translation in the last row) carries
// its meshes and child frames into its parent's space.
TEST(XText, FrameMatricesAppliedDownTheHierarchy) {
    const auto outcome = ReadX(XText(R"(
Frame outer {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
 Frame inner {
  FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 0,5,0,1;; }
  Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;; }
 }
 Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;; }
}
Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;; }
)"));
    ASSERT_EQ(outcome.result, 0);
    ASSERT_EQ(outcome.model.vertices.size(), 9u);
    const std::vector<std::array<float, 3>> expected = {
        {10, 6, 0}, {9, 5, 0}, {10, 5, 1},   // rotated a quarter turn, then both translations
        {11, 0, 0}, {10, 1, 0}, {10, 0, 1},  // the outer translation only
        {1, 0, 0},  {0, 1, 0},  {0, 0, 1},   // outside every frame
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const Point3f& v = outcome.model.vertices[i];
        EXPECT_EQ((std::array<float, 3>{v.x, v.y, v.z}), expected[i]) << "vertex " << i;
    }
    EXPECT_EQ(FaceCorners(outcome.model), (std::vector<std::vector<int32_t>>{{0, 1, 2}, {3, 4, 5}, {6, 7, 8}}));

    // A matrix written after the frame's mesh applies to it all the same.
    const auto late = ReadX(XText("Frame { Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;; }\n"
                                  " FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,7,1;; } }"));
    ASSERT_EQ(late.result, 0);
    EXPECT_EQ(late.model.vertices[2].z, 8.0f);
}

}  // namespace

namespace {

// The short path for plain decimals gives the correctly rounded float, as
// the general parser does, over the spellings exporters print.
TEST(XText, PlainDecimalsRoundCorrectly) {
    uint64_t state = 0x9e3779b97f4a7c15u;
    const auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    char text[40];
    int fastPaths = 0;
    for (int i = 0; i < 200000; ++i) {
        const int fraction = int(next() % 13);
        const uint64_t whole = next() % 100000;
        const uint64_t part = next() % uint64_t(std::pow(10.0, fraction));
        const int length = std::snprintf(text, sizeof text, "%s%llu.%0*llu", next() % 2 ? "-" : "", (unsigned long long)whole,
                                         fraction, (unsigned long long)part);
        float expected = 0, fast = 0;
        std::from_chars(text, text + length, expected);
        const size_t used = x_text::ParsePlainDecimal(text, text + length, fast);
        if (used == 0) continue;  // more than 15 digits: left to the general parser
        ++fastPaths;
        ASSERT_EQ(used, size_t(length)) << text;
        ASSERT_EQ(fast, expected) << text;
    }
    EXPECT_GT(fastPaths, 100000);
}

}  // namespace
