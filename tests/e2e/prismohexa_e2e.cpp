// prismohexa.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"

namespace {

// A square of palette colour 1 (pure red), laid out as Rokkaku Daioh writes:
// CR line ends, fifteen header lines, fixed-length records.
std::string RedSquare() {
    std::string text = "ROKU4 square\r";
    for (int k = 0; k < 14; ++k) text += "0\r";
    text += "POINT\r";
    for (const char* xyz : {"-1\r-1\r0\r", "1\r-1\r0\r", "1\r1\r0\r", "-1\r1\r0\r"}) text += std::string("0\r0\r0\r0\r0\r") + xyz;
    text += "LINE0\r1\r2\r0\r0\r2\r3\r0\r0\r3\r4\r0\r0\r4\r1\r0\r0\r";
    text += "FACE0\r4\r1\r0\r1\r2\r3\r4\rEND00\r";
    text += "PALC0\r0\r0\r0\r255\r0\r0\r0\r0\r0\r255\r0\r0\r0\r0\r0\r0\rENDP0\r";
    return text;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

E2E_TEST(prismohexa, IdentityStrings) {
    SpiPlugin plugin("prismohexa");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(2), std::string("*.rok"));
    // 六角大王 in code page 932, byte for byte.
    CHECK_EQ(plugin.Info(3), std::string("\x98\x5A\x8A\x70\x91\xE5\x89\xA4 rok format"));
}

E2E_TEST(prismohexa, Recognition) {
    SpiPlugin plugin("prismohexa");
    REQUIRE(plugin.Loaded());
    const std::string square = WriteTempFile("square.rok", RedSquare());
    CHECK_RECOGNITION(plugin, square, 1);
    std::string crlf;
    for (char c : RedSquare()) crlf += c == '\r' ? std::string("\r\n") : std::string(1, c);
    const std::string crlfPath = WriteTempFile("crlf.rok", crlf);
    CHECK_RECOGNITION(plugin, crlfPath, 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.rok", 0), 0);
}

// Solid mode draws the face in its palette colour.
E2E_TEST(prismohexa, PaletteColourByPathAndByMemory) {
    DeleteSettingsKeys();
    SpiPlugin plugin("prismohexa");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture byPath = RequestPicture(plugin, WriteTempFile("red.rok", RedSquare()));
    REQUIRE(byPath.result == 0);
    const auto centre = byPath.Pixel(byPath.width / 2, byPath.height / 2);
    CHECK(centre[2] > 150);
    CHECK(centre[1] < 40);
    CHECK(centre[0] < 40);
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, Bytes(RedSquare()));
    CHECK_EQ(byMemory.result, 0);
    CHECK(byMemory.pixels == byPath.pixels);
}

E2E_TEST(prismohexa, FailureResults) {
    SpiPlugin plugin("prismohexa");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.rok");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);
    std::string badPalette = RedSquare();
    badPalette.replace(badPalette.find("FACE0\r4\r1\r"), 10, "FACE0\r4\r14\r");
    const ReceivedPicture refused = RequestPictureFromMemory(plugin, Bytes(badPalette));
    CHECK_EQ(refused.result, 2);
    CHECK(refused.headerNull && refused.pixelNull);
}
