// prismoscan through its exports, as a host uses it.
#include "tests/support/test_support.h"
#include "tests/unit/ply/ply_test_support.h"

namespace {

const std::string kTriangle = PlyHeader("ascii",
                                        "element vertex 3\nproperty float x\nproperty float y\nproperty float z\n"
                                        "element face 1\nproperty list uchar int vertex_indices\n") +
                              "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n";

// The host hands the head of a file in a buffer of its own.
int32_t IsSupportedByHead(PluginLibrary& plugin, const std::string& bytes) {
    std::vector<uint8_t> head(2048, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), head.size()), head.begin());
    return plugin.IsSupported("scan.ply", reinterpret_cast<SusieWord>(head.data()));
}

TEST(Prismoscan, RecognitionByPathAndByHead) {
    PluginLibrary plugin("prismoscan");
    const std::string longHeader = "ply\nformat ascii 1.0\n" + std::string("comment ") + std::string(900, 'c') +
                                   "\ncomment " + std::string(900, 'c') + "\ncomment " + std::string(900, 'c') +
                                   "\nend_header\n";
    struct Case {
        const char* name;
        std::string bytes;
        int32_t byPath, byHead;
    } cases[] = {
        {"triangle", kTriangle, 1, 1},
        {"point_cloud", PlyHeader("ascii", "element vertex 1\nproperty float x\n") + "1\n", 1, 1},
        {"unknown_line", "ply\nformat ascii 1.0\nmade_by scanner 3\nend_header\n", 1, 1},
        {"header_beyond_2000_bytes", longHeader, 1, 0},
        {"crlf_magic", "ply\r\nformat ascii 1.0\r\nend_header\r\n", 0, 0},
        {"bad_format", "ply\nformat ascii 1.1\nend_header\n", 0, 0},
        {"three_bytes", "ply", 0, 0},
    };
    for (const Case& c : cases) {
        const std::string path = WriteTempFile(std::string(c.name) + ".ply", AsBytes(c.bytes));
        EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), c.byPath) << c.name;
        EXPECT_EQ(IsSupportedByHead(plugin, c.bytes), c.byHead) << c.name;
    }
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.ply").c_str(), 0), 0);
}

TEST(Prismoscan, PictureByPathAndFromMemory) {
    PluginLibrary plugin("prismoscan");
    const std::string path = WriteTempFile("triangle.ply", AsBytes(kTriangle));
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    ASSERT_EQ(byPath.result, 0);
    EXPECT_EQ(byPath.bitCount, 24);
    const std::array<uint8_t, 3> background = byPath.Pixel(0, 0);
    EXPECT_GT(byPath.CountNot(background), 1000) << "the triangle is drawn";
    const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, AsBytes(kTriangle));
    ASSERT_EQ(fromMemory.result, 0);
    EXPECT_EQ(fromMemory.pixels, byPath.pixels);
}

// Failing to open or read leaves the host's slots as they were; a model
// without faces nulls them.
TEST(Prismoscan, FailureResults) {
    PluginLibrary plugin("prismoscan");
    int sentinel = 0;
    const auto request = [&](const std::string& source, uint32_t flags, int32_t length) {
        SusieHandle header = &sentinel, pixels = &sentinel;
        const int32_t result = plugin.GetPicture(source.data(), length, flags, &header, &pixels, nullptr, 0);
        return std::make_tuple(result, header == &sentinel, pixels == &sentinel, header == nullptr && pixels == nullptr);
    };
    const std::string badIndex = kTriangle.substr(0, kTriangle.size() - 2) + "3\n";
    const std::string pointCloud = PlyHeader("ascii", "element vertex 1\nproperty float x\nproperty float y\nproperty float z\n") + "1 2 3\n";
    EXPECT_EQ(request(TempFolder() + "/missing.ply", 0, 0), std::make_tuple(2, true, true, false));
    EXPECT_EQ(request(WriteTempFile("bad.ply", AsBytes(badIndex)), 0, 0), std::make_tuple(2, true, true, false));
    EXPECT_EQ(request(badIndex, 1, int32_t(badIndex.size())), std::make_tuple(2, true, true, false));
    EXPECT_EQ(request("ply\nformat", 1, 10), std::make_tuple(2, true, true, false));
    EXPECT_EQ(request(WriteTempFile("cloud.ply", AsBytes(pointCloud)), 0, 0), std::make_tuple(2, false, false, true));
    EXPECT_EQ(request(pointCloud, 1, int32_t(pointCloud.size())), std::make_tuple(2, false, false, true));
    // Found by fuzzing: without "z" no vertex is completed, while the faces
    // index the declared eight.
    const std::string noZ = FixturePath("ply/vertex_without_z.ply");
    EXPECT_EQ(request(noZ, 0, 0), std::make_tuple(2, false, false, true));
}

}  // namespace
