// prismodirect.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

namespace {

// Two squares side by side, red on the left and green on the right; the
// file lists the green one first.
const char kTwoSquares[] =
    "xof 0303txt 0032\r\n"
    "Frame squares {\r\n"
    " FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, -1,0,0,1;; }\r\n"
    " Mesh {\r\n"
    "  8; 0;-1;0;, 2;-1;0;, 2;1;0;, 0;1;0;, -2;-1;0;, 0;-1;0;, 0;1;0;, -2;1;0;;\r\n"
    "  2; 4;0,1,2,3;, 4;4,5,6,7;;\r\n"
    "  MeshMaterialList { 2; 2; 1,0;;\r\n"
    "   Material { 1.0;0.0;0.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\r\n"
    "   Material { 0.0;1.0;0.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\r\n"
    "  }\r\n"
    " }\r\n"
    "}\r\n";

bool IsRed(std::array<uint8_t, 3> bgr) { return bgr[2] > 150 && bgr[1] < 40 && bgr[0] < 40; }
bool IsGreen(std::array<uint8_t, 3> bgr) { return bgr[1] > 150 && bgr[2] < 40 && bgr[0] < 40; }

}  // namespace

E2E_TEST(prismodirect, IdentityStrings) {
    SpiPlugin plugin("prismodirect");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismodirect 0.98 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.x"));
    CHECK_EQ(plugin.Info(3), std::string("Microsoft X format"));
}

E2E_TEST(prismodirect, Recognition) {
    SpiPlugin plugin("prismodirect");
    REQUIRE(plugin.Loaded());
    const struct {
        const char* name;
        std::string bytes;
        int32_t supported;
    } cases[] = {
        {"squares.x", kTwoSquares, 1},
        {"garbage.x", "xof garbage", 1},
        {"upper.x", "XOF 0303txt 0032\r\n", 0},
        {"bom.x", "\xef\xbb\xbfxof 0303txt 0032\r\n", 0},
    };
    for (const auto& c : cases) {
        const std::string path = WriteTempFile(c.name, c.bytes);
        CHECK_RECOGNITION(plugin, path, c.supported);
    }
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.x", 0), 0);
}

// Solid mode shows each material's colour, by path and by memory image.
E2E_TEST(prismodirect, MaterialColours) {
    StoreStartSettings("prismodirect");
    SpiPlugin plugin("prismodirect");
    REQUIRE(plugin.Loaded());
    const std::string path = WriteTempFile("squares.x", kTwoSquares);
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    REQUIRE(byPath.result == 0);
    CHECK_EQ(byPath.bitCount, 24);
    const int32_t y = byPath.height / 2;
    CHECK(IsRed(byPath.Pixel(byPath.width / 2 - byPath.width / 8, y)));
    CHECK(IsGreen(byPath.Pixel(byPath.width / 2 + byPath.width / 8, y)));
    CHECK(byPath.CountWhere(IsRed) > 3000);
    CHECK(byPath.CountWhere(IsGreen) > 3000);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
    CHECK_EQ(byMemory.result, 0);
    CHECK(byMemory.pixels == byPath.pixels);
}

// Every failure to read is 7 with the slots untouched; a file without a
// face is 2 with both slots null.
E2E_TEST(prismodirect, FailureResults) {
    SpiPlugin plugin("prismodirect");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.x");
    CHECK_EQ(missing.result, 7);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);
    const std::string garbage = WriteTempFile("garbage.x", "xof garbage");
    for (const ReceivedPicture& picture : {RequestPicture(plugin, garbage), RequestPictureFromMemory(plugin, ReadFileBytes(garbage))}) {
        CHECK_EQ(picture.result, 7);
        CHECK(!picture.headerSlotTouched && !picture.pixelSlotTouched);
    }
    const std::string noFace = WriteTempFile("noface.x", "xof 0303txt 0032\r\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 0; }\r\n");
    const ReceivedPicture empty = RequestPicture(plugin, noFace);
    CHECK_EQ(empty.result, 2);
    CHECK(empty.headerNull && empty.pixelNull);
}

E2E_TEST(prismodirect, CorpusFiles) {
    REQUIRE_CORPUS();
    StoreStartSettings("prismodirect");
    SpiPlugin plugin("prismodirect");
    REQUIRE(plugin.Loaded());
    const char* files[] = {"test_cube_text.x", "test_cube_binary.x", "test_cube_compressed.x", "test.x", "anim_test.x",
                           "kwxport_test_cubewithvcolors.x", "BCN_Epileptic.X", "fromtruespace_bin32.x"};
    std::vector<uint8_t> cube;
    for (const char* name : files) {
        const std::string path = CorpusPath(std::string("x/") + name);
        CHECK_EQ(plugin.IsSupported(path.c_str(), 0), 1);
        const ReceivedPicture byPath = RequestPicture(plugin, path);
        const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
        if (byPath.result != 0 || byMemory.result != 0 || byPath.pixels != byMemory.pixels ||
            byPath.CountNot({102, 76, 0}) < 1000) {
            RecordFailure(__FILE__, __LINE__, std::string(name) + " gave " + std::to_string(byPath.result) + " by path, " +
                                                  std::to_string(byMemory.result) + " by memory");
        }
        // The three encodings of the cube draw the same picture.
        if (std::strncmp(name, "test_cube_", 10) == 0) {
            if (cube.empty()) cube = byPath.pixels;
            CHECK(byPath.pixels == cube);
        }
    }
}
