// prismohexa through its exports.
#include "tests/support/test_support.h"
#include "tests/unit/rok/rok_writer.h"

namespace {

std::string RedSquare(const std::string& lineEnd = "\r") {
    RokWriter writer;
    writer.points = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    writer.AddLoop({0, 1, 2, 3}, 1);
    writer.writePalette = true;
    writer.palette = {{0, 255, 0}, {255, 0, 0}};
    writer.lineEnd = lineEnd;
    return writer.Write();
}

TEST(Prismohexa, RecognisesByPathAndByHead) {
    PluginLibrary plugin("prismohexa");
    ASSERT_NE(plugin.IsSupported, nullptr);
    for (const auto& [name, text, supported] : {std::tuple{"square.rok", RedSquare(), 1},
                                                std::tuple{"square.txt", RedSquare(), 1},  // no extension test
                                                std::tuple{"crlf.rok", RedSquare("\r\n"), 0}}) {
        const std::string path = WriteTempFile(name, AsBytes(text));
        EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), supported) << name << " by path";
        std::vector<uint8_t> head(2000, 0);
        std::copy_n(text.begin(), std::min<size_t>(text.size(), head.size()), head.begin());
        EXPECT_EQ(plugin.IsSupported(name, SusieWord(reinterpret_cast<uintptr_t>(head.data()))), supported)
            << name << " by head";
    }
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.rok").c_str(), 0), 0);
}

// Solid mode draws the face in its palette colour, by path and from memory.
TEST(Prismohexa, DrawsPaletteColours) {
    PluginLibrary plugin("prismohexa");
    const std::string text = RedSquare();
    const ReceivedPicture picture = PictureByPathAndMemory(plugin, "red.rok", AsBytes(text));
    ASSERT_EQ(picture.result, 0);
    ExpectClearlyRed(picture.Pixel(picture.width / 2, picture.height / 2));
}

TEST(Prismohexa, ResultCodes) {
    PluginLibrary plugin("prismohexa");
    EXPECT_EQ(RequestPicture(plugin, TempFolder() + "/missing.rok").result, 5);
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes("ROKU3\r")).result, 2) << "not a ROK model";
    std::string badPalette = RedSquare();
    badPalette.replace(badPalette.find("FACE0\r4\r1\r"), 10, "FACE0\r4\r14\r");
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(badPalette)).result, 2) << "palette number 14";
}

}  // namespace
