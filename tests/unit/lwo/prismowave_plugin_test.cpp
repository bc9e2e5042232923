// prismowave through its exports, as a host uses it.
#include "tests/support/test_support.h"
#include "tests/unit/lwo/lwo_builder.h"

namespace {

// Two squares side by side, facing the viewer: red on the left, blue on the right.
std::string TwoSurfaceFile() {
    const std::string points = Chunk("PNTS", Points({-2, -1, 0, 0, -1, 0, 0, 1, 0, -2, 1, 0, 2, -1, 0, 2, 1, 0}));
    const std::string polygons = Chunk("POLS", "FACE" + Words({4, 0, 1, 2, 3, 4, 1, 4, 5, 2}));
    return Form("LWO2", Chunk("TAGS", PaddedName("Red") + PaddedName("Blue")) + points + polygons + SurfaceTags({0, 0, 1, 1}) +
                            Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)) + Lwo2Surface("Blue", "", Lwo2Color(0, 0, 1)));
}

bool Reddish(std::array<uint8_t, 3> bgr) { return bgr[2] > 2 * bgr[1] && bgr[2] > 2 * bgr[0]; }
bool Bluish(std::array<uint8_t, 3> bgr) { return bgr[0] > 2 * bgr[1] && bgr[0] > 2 * bgr[2]; }

TEST(Prismowave, SolidPictureShowsBothSurfaceColours) {
    PluginLibrary plugin("prismowave");
    const std::string file = TwoSurfaceFile();
    const std::string path = WriteTempFile("two_surfaces.lwo", AsBytes(file));
    for (const ReceivedPicture& picture : {RequestPicture(plugin, path), RequestPictureFromMemory(plugin, AsBytes(file))}) {
        ASSERT_EQ(picture.result, 0);
        const int32_t y = picture.height / 2;
        EXPECT_TRUE(Reddish(picture.Pixel(picture.width * 3 / 8, y)));
        EXPECT_TRUE(Bluish(picture.Pixel(picture.width * 5 / 8, y)));
    }
}

TEST(Prismowave, RecognitionByPathAndByHead) {
    PluginLibrary plugin("prismowave");
    const std::string file = TwoSurfaceFile();
    EXPECT_EQ(plugin.IsSupported(WriteTempFile("head.lwo", AsBytes(file)).c_str(), 0), 1);
    EXPECT_EQ(plugin.IsSupported(WriteTempFile("short.lwo", AsBytes(file.substr(0, 11))).c_str(), 0), 0);
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.lwo").c_str(), 0), 0);
    std::vector<uint8_t> head(file.begin(), file.begin() + 16);
    EXPECT_EQ(plugin.IsSupported("any.lwo", reinterpret_cast<SusieWord>(head.data())), 1);
    head[11] = 'X';
    EXPECT_EQ(plugin.IsSupported("any.lwo", reinterpret_cast<SusieWord>(head.data())), 0);
}

TEST(Prismowave, ResultCodes) {
    PluginLibrary plugin("prismowave");
    EXPECT_EQ(RequestPicture(plugin, TempFolder() + "/missing.lwo").result, 5);
    // An LWOB chunk that cannot be skipped fails a memory image; the file renders.
    const std::string cut = Form("LWOB", Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 0, 1, 0})) + Chunk("POLS", Words({3, 0, 1, 2, 0})) +
                                             "CRVS" + Be32(1000));
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(cut)).result, 2);
    EXPECT_EQ(RequestPicture(plugin, WriteTempFile("cut.lwo", AsBytes(cut))).result, 0);
    // Points without polygons, and an index beyond the points: nothing to draw.
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(Form("LWO2", Chunk("PNTS", Points({0, 0, 0}))))).result, 2);
    const std::string outside = Form("LWO2", Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 0, 1, 0})) + Chunk("POLS", "FACE" + Words({3, 0, 1, 3})));
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(outside)).result, 2);
}

}  // namespace
