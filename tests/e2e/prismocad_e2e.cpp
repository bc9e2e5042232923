// prismocad.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

namespace {

// A 2D outline (passed over) beside one 3DFACE quad, with CR LF line ends.
const char kDrawing[] =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n"
    "0\r\nPOLYLINE\r\n66\r\n1\r\n70\r\n1\r\n0\r\nVERTEX\r\n10\r\n0\r\n20\r\n0\r\n70\r\n0\r\n"
    "0\r\nVERTEX\r\n10\r\n5\r\n20\r\n5\r\n70\r\n0\r\n0\r\nSEQEND\r\n"
    "0\r\n3dface\r\n8\r\n0\r\n10\r\n-1\r\n20\r\n-1\r\n30\r\n0\r\n11\r\n1\r\n21\r\n-1\r\n31\r\n0\r\n"
    "12\r\n1\r\n22\r\n1\r\n32\r\n0\r\n13\r\n-1\r\n23\r\n1\r\n33\r\n0\r\n"
    "0\r\nENDSEC\r\n0\r\nEOF\r\n";

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

E2E_TEST(prismocad, IdentityAndRecognition) {
    SpiPlugin plugin("prismocad");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(2), std::string("*.dxf"));
    CHECK_EQ(plugin.Info(3), std::string("3d DXF format"));
    // The extension alone decides; the file is never opened.
    CHECK_EQ(plugin.IsSupported("Z:/no/such/MODEL.DXF", 0), 1);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/model.dxf.bak", 0), 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/model.dwg", 0), 0);
    const std::string notDxf = WriteTempFile("not_a_drawing.dxf", "hello\n");
    CHECK_EQ(plugin.IsSupportedByHead(notDxf), 1);
}

E2E_TEST(prismocad, PictureByPathAndByMemory) {
    DeleteSettingsKeys();
    SpiPlugin plugin("prismocad");
    REQUIRE(plugin.Loaded());
    const std::string path = WriteTempFile("quad.dxf", kDrawing);
    const ReceivedPicture byPath = RequestPicture(plugin, path);
    REQUIRE(byPath.result == 0);
    CHECK_EQ(byPath.width, 320);
    CHECK_EQ(byPath.bitCount, 24);
    CHECK(byPath.CountNot(kBackground) > 5000);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, Bytes(kDrawing));
    CHECK_EQ(byMemory.result, 0);
    CHECK(byMemory.pixels == byPath.pixels);
}

E2E_TEST(prismocad, FailureResults) {
    SpiPlugin plugin("prismocad");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.dxf");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);

    std::string withoutBreak = kDrawing;
    withoutBreak.resize(withoutBreak.size() - 2);  // "EOF" without its line break
    const ReceivedPicture cut = RequestPictureFromMemory(plugin, Bytes(withoutBreak));
    CHECK_EQ(cut.result, 2);
    CHECK(cut.headerNull && cut.pixelNull);
}

E2E_TEST(prismocad, CorpusFiles) {
    REQUIRE_CORPUS();
    SpiPlugin plugin("prismocad");
    REQUIRE(plugin.Loaded());
    // PinkEggFromLW.dxf lists each corner's codes last to first, which the
    // per-axis code order refuses; points.dxf holds no surface.
    CheckCorpusFiles(plugin, {
        {"dxf/wuson.dxf", 0}, {"dxf/lineTest.dxf", 0}, {"dxf/PinkEggFromLW.dxf", 2}, {"dxf/points.dxf", 2},
    });
}
