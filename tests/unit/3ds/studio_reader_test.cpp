#include "readers/3ds/studio_reader.h"

#include <array>
#include <cstring>

#include "tests/support/test_support.h"

namespace {

using namespace std::string_literals;

// Chunk files built in code, laid out as 3D Studio writes them.
std::string U16(uint16_t value) { return {char(value & 0xFF), char(value >> 8)}; }
std::string U32(uint32_t value) { return U16(uint16_t(value)) + U16(uint16_t(value >> 16)); }
std::string F32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return U32(bits);
}

std::string ChunkWithLength(uint16_t id, uint32_t length, const std::string& content) { return U16(id) + U32(length) + content; }
std::string Chunk(uint16_t id, const std::string& content) { return ChunkWithLength(id, uint32_t(6 + content.size()), content); }

std::string Main(const std::string& content) { return Chunk(0x4D4D, Chunk(0x0002, U32(3)) + content); }
std::string Editor(const std::string& content) { return Chunk(0x3D3D, Chunk(0x3D3E, U32(3)) + content); }
std::string Object(const std::string& name, const std::string& content) { return Chunk(0x4000, name + '\0' + content); }
std::string Mesh(const std::string& content) { return Chunk(0x4100, content); }

std::string Vertices(const std::vector<Point3f>& points) {
    std::string content = U16(uint16_t(points.size()));
    for (const Point3f& p : points) content += F32(p.x) + F32(p.y) + F32(p.z);
    return Chunk(0x4110, content);
}

std::string Faces(const std::vector<std::array<uint16_t, 3>>& faces, const std::string& subChunks = "", uint16_t flags = 7) {
    std::string content = U16(uint16_t(faces.size()));
    for (const auto& f : faces) content += U16(f[0]) + U16(f[1]) + U16(f[2]) + U16(flags);
    return Chunk(0x4120, content + subChunks);
}

const std::vector<Point3f> kSquare = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const std::vector<Point3f> kTriangle = {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}};

std::string SquareObject(const std::string& name = "Square") {
    return Object(name, Mesh(Vertices(kSquare) + Faces({{0, 1, 2}, {0, 2, 3}})));
}
std::string TriangleObject(const std::string& name = "Triangle") {
    return Object(name, Mesh(Vertices(kTriangle) + Faces({{0, 1, 2}})));
}

std::string Material() { return Chunk(0xAFFF, Chunk(0xA000, "Red\0"s) + Chunk(0xA020, Chunk(0x0011, "\xFF\x00\x00"s))); }
std::string Keyframer() { return Chunk(0xB000, Chunk(0xB00A, U16(5) + "MAXSCENE\0"s + U16(100))); }

using Corners = std::vector<std::vector<int32_t>>;

struct StudioCase {
    const char* name;
    std::string bytes;
    size_t vertices;
    Corners faces;
};

void PrintTo(const StudioCase& c, std::ostream* out) { *out << c.name; }

class StudioBothForms : public ::testing::TestWithParam<StudioCase> {};

TEST_P(StudioBothForms, WalksTheMeshPath) {
    const StudioCase& c = GetParam();
    for (bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile ? "file" : "memory");
        const ReadOutcome outcome = fromFile ? ReadAsFile(Read3dsModel, AsBytes(c.bytes)) : ReadAsMemory(Read3dsModel, AsBytes(c.bytes));
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(outcome.model.vertices.size(), c.vertices);
        EXPECT_EQ(FaceCorners(outcome.model), c.faces);
        for (const FaceRecord& face : outcome.model.faces) EXPECT_EQ(face.materialIndex, -1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, StudioBothForms,
    ::testing::Values(
        StudioCase{"two_objects", Main(Editor(SquareObject() + TriangleObject())), 7, {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}}},
        // A face list refers to the vertex list read most recently.
        StudioCase{"face_list_without_vertex_list",
                   Main(Editor(SquareObject() + Object("Faces", Mesh(Faces({{0, 1, 2}}))) + TriangleObject())), 7,
                   {{0, 1, 2}, {0, 2, 3}, {0, 1, 2}, {4, 5, 6}}},
        StudioCase{"face_list_before_its_vertex_list",
                   Main(Editor(SquareObject() + TriangleObject() + Object("Late", Mesh(Faces({{0, 1, 2}}) + Vertices(kTriangle))))), 10,
                   {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 5, 6}}},
        StudioCase{"materials_and_keyframer_change_nothing",
                   Main(Editor(Material() + SquareObject() + Material() + TriangleObject()) + Keyframer()), 7,
                   {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}}},
        StudioCase{"face_list_sub_chunks_and_flags",
                   Main(Editor(Object("Groups", Mesh(Vertices(kSquare) +
                                                     Faces({{0, 1, 2}, {0, 2, 3}},
                                                           Chunk(0x4130, "Red\0"s + U16(1) + U16(0)) + Chunk(0x4150, U32(1) + U32(1)), 0xFFFF))))),
                   4, {{0, 1, 2}, {0, 2, 3}}},
        StudioCase{"lists_off_the_path_are_passed_over",
                   Main(Vertices(kSquare) + SquareObject() + Editor(Object("Bare", Vertices(kSquare) + Faces({{0, 1, 2}})) + Editor(SquareObject()) +
                                                                    Mesh(Vertices(kSquare) + Faces({{0, 1, 2}})))),
                   0, {}},
        StudioCase{"empty_lists_and_objects", Main(Editor(Object("Empty", Mesh(Vertices({}) + Faces({}))) + Chunk(0x4000, "") + TriangleObject())), 3,
                   {{0, 1, 2}}},
        StudioCase{"name_of_eleven_characters", Main(Editor(SquareObject("Elevenchars"))), 4, {{0, 1, 2}, {0, 2, 3}}},
        StudioCase{"bytes_after_the_main_chunk", Main(Editor(TriangleObject())) + "\xFF\xFF\xFF", 3, {{0, 1, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StudioReader, VerticesAreStoredAsWritten) {
    const std::string bytes = Main(Editor(Object("V", Mesh(Vertices({{-1.5f, 2.25f, 1e30f}, {0, -0.0f, 3}}) + Faces({{0, 1, 1}})))));
    const ReadOutcome outcome = ReadAsMemory(Read3dsModel, AsBytes(bytes));
    ASSERT_EQ(outcome.model.vertices.size(), 2u);
    EXPECT_EQ(outcome.model.vertices[0].x, -1.5f);
    EXPECT_EQ(outcome.model.vertices[0].y, 2.25f);
    EXPECT_EQ(outcome.model.vertices[0].z, 1e30f);
    EXPECT_EQ(outcome.model.vertices[1].z, 3.0f);
}

// Every way of running out of data, or of a length that does not fit, ends
// the read with failure in both forms, promptly and inside the input.
TEST(StudioReader, DataRunningOutFails) {
    const std::string good = Main(Editor(SquareObject()));
    const size_t vertexList = good.find(Vertices(kSquare));
    ASSERT_NE(vertexList, std::string::npos);
    const std::string mesh = Mesh(Vertices(kSquare));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"header_cut", good.substr(0, 4)},
        {"cut_in_a_vertex_list", good.substr(0, vertexList + 6 + 2 + 12 + 5)},
        {"count_beyond_its_chunk", Main(Editor(Object("A", Mesh(Chunk(0x4110, U16(4) + F32(0) + F32(0) + F32(0)) + Faces({{0, 0, 0}})))))},
        {"face_count_beyond_its_chunk", Main(Editor(Object("A", Mesh(Vertices(kSquare) + Chunk(0x4120, U16(2) + U16(0) + U16(1) + U16(2) + U16(0))))))},
        {"length_zero", Main(Editor(ChunkWithLength(0x0100, 0, "") + SquareObject()))},
        {"length_five", Main(Editor(ChunkWithLength(0x0100, 5, "") + SquareObject()))},
        {"length_all_ones", Main(Editor(ChunkWithLength(0xAFFF, 0xFFFFFFFF, "") + SquareObject()))},
        {"length_past_its_container", Main(Editor(Object("A", Mesh(ChunkWithLength(0x4110, 100, U16(0))))) + std::string(200, '\0'))},
        {"main_length_past_the_input", ChunkWithLength(0x4D4D, 0xFFFFFFF0, Editor(SquareObject()))},
        {"container_ends_in_a_header", Main(Editor(SquareObject() + "\x00\x40\x10"s))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadAsFile(Read3dsModel, AsBytes(c.bytes)).result, 1) << c.name << " from a file";
        EXPECT_EQ(ReadAsMemory(Read3dsModel, AsBytes(c.bytes)).result, 1) << c.name << " from memory";
    }
    EXPECT_EQ(ReadAsMemory(Read3dsModel, AsBytes(good)).result, 0);
}

// Only the first 12 bytes of a longer name are consumed; the walk goes on
// inside the name, where no chunk fits the object.
TEST(StudioReader, LongObjectNames) {
    EXPECT_EQ(ReadAsMemory(Read3dsModel, AsBytes(Main(Editor(SquareObject("Twelve_chars"))))).result, 1);
    EXPECT_EQ(ReadAsFile(Read3dsModel, AsBytes(Main(Editor(SquareObject("Thirteen_char"))))).result, 1);
    // Twelve bytes and no zero byte: the sub-chunks begin right after them.
    const std::string unterminated = Main(Editor(Chunk(0x4000, "Twelve_chars" + Mesh(Vertices(kTriangle) + Faces({{0, 1, 2}})))));
    const ReadOutcome outcome = ReadAsMemory(Read3dsModel, AsBytes(unterminated));
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(FaceCorners(outcome.model), (Corners{{0, 1, 2}}));
}

TEST(StudioRecognition, BytesZeroOneAndTwentyEight) {
    const struct {
        int byte28;
        bool supported;
    } cases[] = {{1, false}, {2, true}, {3, true}, {127, true}, {128, false}, {255, false}, {0, false}};
    for (const auto& c : cases) {
        std::string head = Main(Editor(SquareObject())).substr(0, 30);
        head[28] = char(c.byte28);
        EXPECT_EQ(Recognize3ds({AsBytes(head), true}), c.supported) << c.byte28;
        head[1] = 'N';
        EXPECT_FALSE(Recognize3ds({AsBytes(head), false})) << "byte 1";
    }
    std::string anything(30, '\x7F');
    anything[0] = anything[1] = 0x4D;
    EXPECT_TRUE(Recognize3ds({AsBytes(anything), false}));
    EXPECT_FALSE(Recognize3ds({AsBytes(anything.substr(0, 28)), true})) << "a file too short for byte 28";
}

}  // namespace
