// prismostudio.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

E2E_TEST(prismostudio, IdentityStrings) {
    SpiPlugin plugin("prismostudio");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismostudio v0.98 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.3ds"));
    CHECK_EQ(plugin.Info(3), std::string("3D StudioMAX 3ds format"));
}

E2E_TEST(prismostudio, Recognition) {
    REQUIRE_CORPUS();
    SpiPlugin plugin("prismostudio");
    REQUIRE(plugin.Loaded());
    const std::string path = CorpusPath("3ds/test1.3ds");
    CHECK_RECOGNITION(plugin, path, 1);
    // Byte 28, the mesh version, below 2 or above 127 is not a 3DS file.
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    for (uint8_t version : {uint8_t(1), uint8_t(0x80)}) {
        bytes[28] = version;
        const std::string changed = WriteTempFile("version.3ds", std::string(bytes.begin(), bytes.end()));
        CHECK_RECOGNITION(plugin, changed, 0);
    }
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.3ds", 0), 0);
}

E2E_TEST(prismostudio, PictureByPathAndByMemory) {
    REQUIRE_CORPUS();
    DeleteSettingsKeys();
    StoreStartSettings("prismostudio");
    SpiPlugin plugin("prismostudio");
    REQUIRE(plugin.Loaded());
    for (const char* name : {"RotatingCube.3DS", "cube_with_diffuse_texture.3DS", "cubes_with_alpha.3DS", "fels.3ds", "test1.3ds"}) {
        const std::string path = CorpusPath(std::string("3ds/") + name);
        const ReceivedPicture byPath = RequestPicture(plugin, path);
        const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
        if (byPath.result != 0 || byMemory.result != 0 || byPath.pixels != byMemory.pixels || byPath.CountNot(kBackground) < 500) {
            RecordFailure(__FILE__, __LINE__, std::string(name) + " gave " + std::to_string(byPath.result) + " by path, " +
                                                  std::to_string(byMemory.result) + " by memory");
        }
        CHECK_EQ(byPath.bitCount, 24);
    }
}

E2E_TEST(prismostudio, FailureResults) {
    REQUIRE_CORPUS();
    SpiPlugin plugin("prismostudio");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.3ds");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);

    // Cut short in the first vertex list: no partial picture.
    std::vector<uint8_t> bytes = ReadFileBytes(CorpusPath("3ds/test1.3ds"));
    bytes.resize(800);
    const std::string cut = WriteTempFile("cut.3ds", std::string(bytes.begin(), bytes.end()));
    const ReceivedPicture byPath = RequestPicture(plugin, cut);
    CHECK_EQ(byPath.result, 2);
    CHECK(byPath.headerNull && byPath.pixelNull);
    CHECK_EQ(RequestPictureFromMemory(plugin, bytes).result, 2);
}
