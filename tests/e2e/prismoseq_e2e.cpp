// prismoseq.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

namespace {

const char kRedSquare[] =
    "Metasequoia Document\r\nFormat Text Ver 1.1\r\n\r\n"
    "Material 1 {\r\n\t\"red\" shader(3) vcol(1) col(1.000 0.000 0.000 1.000)\r\n}\r\n"
    "Object \"square\" {\r\n\tvertex 4 {\r\n\t\t-1 -1 0\r\n\t\t1 -1 0\r\n\t\t1 1 0\r\n\t\t-1 1 0\r\n\t}\r\n"
    "\tface 1 {\r\n\t\t4 V(0 1 2 3) M(0)\r\n\t}\r\n}\r\nEof\r\n";

bool IsRed(std::array<uint8_t, 3> bgr) { return bgr[2] > 150 && bgr[1] < 40 && bgr[0] < 40; }

}  // namespace

E2E_TEST(prismoseq, IdentityStrings) {
    SpiPlugin plugin("prismoseq");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismoseq v0.98 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.mqo"));
    CHECK_EQ(plugin.Info(3), std::string("Metasequoia MQO format"));
}

E2E_TEST(prismoseq, Recognition) {
    SpiPlugin plugin("prismoseq");
    REQUIRE(plugin.Loaded());
    const std::string upper = WriteTempFile("square.MQO", kRedSquare);
    CHECK_RECOGNITION(plugin, upper, 1);
    const std::string otherName = WriteTempFile("square.txt", kRedSquare);
    CHECK_RECOGNITION(plugin, otherName, 0);
    const std::string blank = WriteTempFile("blank.mqo", "Metasequoia Document \r\nEof\r\n");
    CHECK_RECOGNITION(plugin, blank, 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.mqo", 0), 0);
}

// A face of material colour (1, 0, 0) is drawn red, by path and by memory.
E2E_TEST(prismoseq, MaterialColours) {
    DeleteSettingsKeys();
    StoreStartSettings("prismoseq");
    SpiPlugin plugin("prismoseq");
    REQUIRE(plugin.Loaded());
    const std::string path = WriteTempFile("red.mqo", kRedSquare);
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    REQUIRE(byPath.result == 0);
    CHECK(IsRed(byPath.Pixel(byPath.width / 2, byPath.height / 2)));
    CHECK(byPath.CountWhere(IsRed) > 5000);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
    CHECK_EQ(byMemory.result, 0);
    CHECK(byMemory.pixels == byPath.pixels);
}

E2E_TEST(prismoseq, CorpusFiles) {
    REQUIRE_CORPUS();
    DeleteSettingsKeys();
    StoreStartSettings("prismoseq");
    SpiPlugin plugin("prismoseq");
    REQUIRE(plugin.Loaded());
    const char* rendered[] = {"single_object.mqo", "single_material.mqo", "multiple_materials.mqo", "multiple_objects.mqo",
                              "single_object_with_bvertex.mqo"};
    for (const char* name : rendered) {
        const std::string path = CorpusPath(std::string("mqo/") + name);
        CHECK_RECOGNITION(plugin, path, 1);
        const ReceivedPicture byPath = RequestPicture(plugin, path);
        const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
        if (byPath.result != 0 || byMemory.result != 0 || byPath.pixels != byMemory.pixels) {
            RecordFailure(__FILE__, __LINE__, std::string(name) + " gave " + std::to_string(byPath.result) + " by path, " +
                                                  std::to_string(byMemory.result) + " by memory");
        }
    }
    // A document without objects: nothing readable.
    const ReceivedPicture simple = RequestPicture(plugin, CorpusPath("mqo/simple.mqo"));
    CHECK_EQ(simple.result, 2);
    CHECK(simple.headerNull && simple.pixelNull);
}

E2E_TEST(prismoseq, FailureResults) {
    SpiPlugin plugin("prismoseq");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.mqo");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);
    const std::string text = "Metasequoia Document\nObject \"a\" {\n\tvertex 1 {\n\t\t0 0 0\n\t}\n}\n";
    const ReceivedPicture points = RequestPictureFromMemory(plugin, std::vector<uint8_t>(text.begin(), text.end()));
    CHECK_EQ(points.result, 2);
    CHECK(points.headerNull && points.pixelNull);
}
