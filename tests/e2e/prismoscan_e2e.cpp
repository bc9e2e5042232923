// prismoscan.spi through its six exports, as a viewer uses it.
#include "tests/e2e/e2e_harness.h"

namespace {

const std::string kTriangleHeader =
    "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\nproperty float z\n"
    "element face 1\nproperty list uchar int vertex_indices\nend_header\n";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

E2E_TEST(prismoscan, IdentityStrings) {
    SpiPlugin plugin("prismoscan");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismoscan v0.99 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.ply"));
    CHECK_EQ(plugin.Info(3), std::string("Stanford Univ. polygon format"));
}

E2E_TEST(prismoscan, Recognition) {
    SpiPlugin plugin("prismoscan");
    REQUIRE(plugin.Loaded());
    const std::string triangle = WriteTempFile("triangle.ply", kTriangleHeader + "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n");
    CHECK_RECOGNITION(plugin, triangle, 1);
    // The whole header is read by path; a memory head holds only 2000 bytes of it.
    const std::string longHeader =
        WriteTempFile("long.ply", "ply\nformat ascii 1.0\ncomment " + std::string(1000, 'a') + "\ncomment " +
                                      std::string(1000, 'b') + "\nend_header\n");
    CHECK_EQ(plugin.IsSupported(longHeader.c_str(), 0), 1);
    CHECK_EQ(plugin.IsSupportedByHead(longHeader), 0);
    const std::string crlf = WriteTempFile("crlf.ply", "ply\r\nformat ascii 1.0\r\nend_header\r\n");
    CHECK_RECOGNITION(plugin, crlf, 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.ply", 0), 0);
}

E2E_TEST(prismoscan, PictureByPathAndByMemory) {
    REQUIRE_CORPUS();
    DeleteSettingsKeys();
    SpiPlugin plugin("prismoscan");
    REQUIRE(plugin.Loaded());
    const std::string path = CorpusPath("ply/Wuson.ply");
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    REQUIRE(byPath.result == 0);
    CHECK_EQ(byPath.headerBytes, SIZE_T(44));
    CHECK_EQ(byPath.width, 320);
    CHECK_EQ(byPath.height, 240);
    CHECK_EQ(byPath.bitCount, 24);
    CHECK(byPath.CountNot(kBackground) > 3000);
    CHECK_EQ(byPath.Pixel(0, 0), kBackground);
    CheckSamePictureEveryWay(plugin, path, byPath);
}

// Failing to open or to read leaves the host's slots untouched; a model
// without faces nulls them.
E2E_TEST(prismoscan, FailureResults) {
    SpiPlugin plugin("prismoscan");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/scan.ply");
    CHECK_EQ(missing.result, 2);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);

    const std::string badIndex = kTriangleHeader + "0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n";
    const ReceivedPicture outside = RequestPicture(plugin, WriteTempFile("outside.ply", badIndex));
    CHECK_EQ(outside.result, 2);
    CHECK(!outside.headerSlotTouched && !outside.pixelSlotTouched);
    const ReceivedPicture outsideInMemory = RequestPictureFromMemory(plugin, Bytes(badIndex));
    CHECK_EQ(outsideInMemory.result, 2);
    CHECK(!outsideInMemory.headerSlotTouched && !outsideInMemory.pixelSlotTouched);

    const std::string cloud = "ply\nformat ascii 1.0\nelement vertex 1\nproperty float x\nproperty float y\n"
                              "property float z\nend_header\n1 2 3\n";
    const ReceivedPicture points = RequestPictureFromMemory(plugin, Bytes(cloud));
    CHECK_EQ(points.result, 2);
    CHECK(points.headerNull && points.pixelNull);
}

E2E_TEST(prismoscan, CorpusFiles) {
    REQUIRE_CORPUS();
    SpiPlugin plugin("prismoscan");
    REQUIRE(plugin.Loaded());
    // cube.ply names its lists "vertex_index" and points.ply has no faces.
    CheckCorpusFiles(plugin, {
        {"ply/Wuson.ply", 0}, {"ply/cube_binary.ply", 0}, {"ply/cube_uv.ply", 0}, {"ply/float-color.ply", 0},
        {"ply/cube_binary_header_with_RN_newline.ply", 0}, {"ply/cube.ply", 2}, {"ply/points.ply", 2},
        {"invalid/crash-30d6d0f7c529b3b66b4131700b7a4580cd7082df.ply", 2}, {"invalid/empty.ply", 2},
    });
}
