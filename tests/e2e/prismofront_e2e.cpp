// prismofront.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

E2E_TEST(prismofront, IdentityStrings) {
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismofront v0.98 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.obj"));
    CHECK_EQ(plugin.Info(3), std::string("Wavefront obj format"));

    char buffer[16];
    std::memset(buffer, 'Q', sizeof buffer);
    CHECK_EQ(plugin.GetPluginInfo(1, buffer, 10), 9);
    CHECK_EQ(std::string(buffer), std::string("prismofro"));
    for (int32_t number : {4, -1}) {
        std::memset(buffer, 'Q', sizeof buffer);
        CHECK_EQ(plugin.GetPluginInfo(number, buffer, sizeof buffer), 0);
        CHECK(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == 'Q'; }));
    }
}

E2E_TEST(prismofront, Recognition) {
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    const std::string cube = SamplePath("cube.obj");
    CHECK_RECOGNITION(plugin, cube, 1);
    const std::string notObj = WriteTempFile("not.obj", "solid cube\nfacet normal 0 0 1\n");
    CHECK_RECOGNITION(plugin, notObj, 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.obj", 0), 0);
}

E2E_TEST(prismofront, PictureInfoWithoutOpeningTheFile) {
    DeleteSettingsKeys();
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    SusiePictureInfo info;
    std::memset(&info, 0x77, sizeof info);
    CHECK_EQ(plugin.GetPictureInfo("Z:/no/such/file.obj", 0, 0, &info), 0);
    CHECK_EQ(info.left, 0);
    CHECK_EQ(info.top, 0);
    CHECK_EQ(info.width, 320);
    CHECK_EQ(info.height, 240);
    CHECK_EQ(info.colorDepth, int16_t(24));
    CHECK(info.textInformation == nullptr);
}

E2E_TEST(prismofront, PictureByPathAndByMemory) {
    DeleteSettingsKeys();
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    const std::string path = SamplePath("terrain.obj");
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    REQUIRE(byPath.result == 0);
    CHECK_EQ(byPath.headerBytes, SIZE_T(44));
    CHECK_EQ(byPath.width, 320);
    CHECK_EQ(byPath.height, 240);
    CHECK_EQ(byPath.bitCount, 24);
    CHECK_EQ(byPath.pixelBytes, SIZE_T(960 * 240));
    CHECK(byPath.CountNot(kBackground) > 5000);
    CHECK_EQ(byPath.Pixel(0, 0), kBackground);

    // Flags 8 still names a file; any of the low three bits, a memory image.
    const ReceivedPicture flagged = RequestPicture(plugin, path, 8);
    CHECK(flagged.result == 0 && flagged.pixels == byPath.pixels);
    CheckSamePictureEveryWay(plugin, path, byPath);
}

E2E_TEST(prismofront, FailureResults) {
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.obj");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);

    const std::string verticesOnly = WriteTempFile("points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n");
    const ReceivedPicture points = RequestPicture(plugin, verticesOnly);
    CHECK_EQ(points.result, 2);
    CHECK(points.headerNull && points.pixelNull);

    // Faces that name no vertex are dropped; none left is "nothing readable".
    const ReceivedPicture outside = RequestPictureFromMemory(
        plugin, {'v', ' ', '0', ' ', '0', ' ', '0', '\n', 'f', ' ', '1', ' ', '2', ' ', '3', '\n'});
    CHECK_EQ(outside.result, 2);
    CHECK(outside.headerNull && outside.pixelNull);

    CHECK_EQ(plugin.GetPreview("x", 0, 0, nullptr, nullptr, nullptr, 0), -1);
    CHECK_EQ(plugin.ConfigurationDlg(nullptr, 0), -1);
}

// Both builds draw with Mesa's llvmpipe; they may differ by rounding at edges.
E2E_TEST(prismofront, SameAsTheNativePicture) {
    DeleteSettingsKeys();
    ReceivedPicture native;
    if (!ReadReferencePicture(NativeReferencePath("prismofront_terrain.bmp"), native)) {
        RecordSkip("no native reference picture (run the native tests first): " +
                   NativeReferencePath("prismofront_terrain.bmp"));
        return;
    }
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture wine = RequestPicture(plugin, SamplePath("terrain.obj"));
    REQUIRE(wine.result == 0);
    REQUIRE(wine.header == native.header);
    REQUIRE(wine.pixels.size() == native.pixels.size());
    int64_t differing = 0, farOff = 0;
    for (int32_t y = 0; y < wine.height; ++y) {
        for (int32_t x = 0; x < wine.width; ++x) {
            const auto a = wine.Pixel(x, y), b = native.Pixel(x, y);
            int largest = 0;
            for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(int(a[c]) - int(b[c])));
            differing += largest > 0;
            farOff += largest > 8;
        }
    }
    std::printf("    %lld of %d pixels differ from the native picture, %lld by more than 8\n",
                static_cast<long long>(differing), wine.width * wine.height, static_cast<long long>(farOff));
    CHECK(farOff <= wine.width * wine.height / 500);
}

E2E_TEST(prismofront, CorpusFiles) {
    REQUIRE_CORPUS();
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    // point_cloud.obj has vertices and no face; the malformed files keep
    // enough faces that name real vertices.
    CheckCorpusFiles(plugin, {
        {"obj/WusonOBJ.obj", 0}, {"obj/box.obj", 0},
        // A memory image's last line counts only with a line end after it.
        {"obj/box_without_lineending.obj", 0, false},
        {"obj/concave_polygon.obj", 0}, {"obj/multiple_spaces.obj", 0}, {"obj/number_formats.obj", 0},
        {"obj/point_cloud.obj", 2}, {"obj/spider.obj", 0}, {"invalid/empty.obj", 2},
        {"invalid/malformed.obj", 0}, {"invalid/malformed2.obj", 0},
    });
}
