// prismowave.spi through its six exports, as a viewer uses it.
#include <cstring>

#include "tests/e2e/e2e_harness.h"
#include "tests/unit/lwo/lwo_builder.h"

namespace {

// Two squares side by side, facing the viewer: red on the left, blue on the right.
std::string TwoSurfaceFile() {
    const std::string points = Chunk("PNTS", Points({-2, -1, 0, 0, -1, 0, 0, 1, 0, -2, 1, 0, 2, -1, 0, 2, 1, 0}));
    const std::string polygons = Chunk("POLS", "FACE" + Words({4, 0, 1, 2, 3, 4, 1, 4, 5, 2}));
    return Form("LWO2", Chunk("TAGS", PaddedName("Red") + PaddedName("Blue")) + points + polygons + SurfaceTags({0, 0, 1, 1}) +
                            Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)) + Lwo2Surface("Blue", "", Lwo2Color(0, 0, 1)));
}

std::vector<uint8_t> AsVector(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

bool Reddish(std::array<uint8_t, 3> bgr) { return bgr[2] > 2 * bgr[1] && bgr[2] > 2 * bgr[0]; }
bool Bluish(std::array<uint8_t, 3> bgr) { return bgr[0] > 2 * bgr[1] && bgr[0] > 2 * bgr[2]; }

}  // namespace

E2E_TEST(prismowave, IdentityStrings) {
    SpiPlugin plugin("prismowave");
    REQUIRE(plugin.Loaded());
    CHECK_EQ(plugin.Info(0), std::string("00IN"));
    CHECK_EQ(plugin.Info(1), std::string("prismowave v0.98 3D model import filter"));
    CHECK_EQ(plugin.Info(2), std::string("*.lwo"));
    CHECK_EQ(plugin.Info(3), std::string("LightWave3D  LWOB/LWO2 format"));
}

E2E_TEST(prismowave, Recognition) {
    SpiPlugin plugin("prismowave");
    REQUIRE(plugin.Loaded());
    const std::string lwo2 = WriteTempFile("two.lwo", TwoSurfaceFile());
    CHECK_RECOGNITION(plugin, lwo2, 1);
    // The form size is not looked at, even when it holds line feeds.
    const std::string lwob = WriteTempFile("b.lwo", "FORM\n\n\n\nLWOB" + Chunk("PNTS", ""));
    CHECK_RECOGNITION(plugin, lwob, 1);
    const std::string other = WriteTempFile("ilbm.lwo", "FORM" + Be32(4) + "ILBM");
    CHECK_RECOGNITION(plugin, other, 0);
    CHECK_EQ(plugin.IsSupported(WriteTempFile("short.lwo", std::string("FORM\0\0\0\4LWO", 11)).c_str(), 0), 0);
    CHECK_EQ(plugin.IsSupported("Z:/no/such/file.lwo", 0), 0);
}

E2E_TEST(prismowave, SolidPictureShowsBothSurfaceColours) {
    DeleteSettingsKeys();
    StoreStartSettings("prismowave");
    SpiPlugin plugin("prismowave");
    REQUIRE(plugin.Loaded());
    const std::string file = TwoSurfaceFile();
    const ReceivedPicture byPath = RequestPicture(plugin, WriteTempFile("two_surfaces.lwo", file));
    REQUIRE(byPath.result == 0);
    CHECK_EQ(byPath.bitCount, 24);
    CHECK_EQ(byPath.Pixel(0, 0), kBackground);
    CHECK(Reddish(byPath.Pixel(byPath.width * 3 / 8, byPath.height / 2)));
    CHECK(Bluish(byPath.Pixel(byPath.width * 5 / 8, byPath.height / 2)));
    CHECK(byPath.CountWhere(Reddish) > 5000);
    CHECK(byPath.CountWhere(Bluish) > 5000);
    const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, AsVector(file));
    CHECK_EQ(fromMemory.result, 0);
    CHECK(fromMemory.pixels == byPath.pixels);
}

E2E_TEST(prismowave, CorpusByPathAndByMemory) {
    REQUIRE_CORPUS();
    DeleteSettingsKeys();
    StoreStartSettings("prismowave");
    SpiPlugin plugin("prismowave");
    REQUIRE(plugin.Loaded());
    struct Expected {
        const char* file;
        int64_t drawnAtLeast;
    };
    // The two concave polygons lie in a plane seen edge-on from the front;
    // lwo2_concave_polygon.lwo also assigns its polygon a surface without a
    // colour, which must not refuse the file.
    const Expected files[] = {
        {"lwob_ConcavePolygon.lwo", 0}, {"lwob_sphere_with_mat_gloss_10pc.lwo", 5000}, {"lwo2_Subdivision.lwo", 5000},
        {"lwo2_UglyVertexColors.lwo", 5000}, {"lwo2_boxuv.lwo", 5000}, {"lwo2_concave_polygon.lwo", 0},
        {"lwo2_hierarchy.lwo", 5000}, {"lwo2_simple_cube.lwo", 5000}, {"lwo2_sphere_with_gradient.lwo", 5000},
    };
    for (const Expected& expected : files) {
        const std::string path = CorpusPath(std::string("lwo/") + expected.file);
        CHECK_EQ(plugin.IsSupportedByHead(path), 1);
        const ReceivedPicture byPath = RequestPicture(plugin, path);
        const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, ReadFileBytes(path));
        if (byPath.result != 0 || byMemory.result != 0 || byPath.pixels != byMemory.pixels ||
            byPath.CountNot(kBackground) < expected.drawnAtLeast) {
            RecordFailure(__FILE__, __LINE__, std::string(expected.file) + " gave " + std::to_string(byPath.result) +
                                                  " by path, " + std::to_string(byMemory.result) + " by memory, " +
                                                  std::to_string(byPath.CountNot(kBackground)) + " pixels drawn");
        }
    }
}

E2E_TEST(prismowave, FailureResults) {
    SpiPlugin plugin("prismowave");
    REQUIRE(plugin.Loaded());
    const ReceivedPicture missing = RequestPicture(plugin, "Z:/no/such/model.lwo");
    CHECK_EQ(missing.result, 5);
    CHECK(!missing.headerSlotTouched && !missing.pixelSlotTouched);

    // An LWOB chunk that cannot be skipped fails a memory image; the file
    // renders what came before it, as a seek past the end succeeds.
    const std::string cut = Form("LWOB", Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 0, 1, 0})) + Chunk("POLS", Words({3, 0, 1, 2, 0})) +
                                             "CRVS" + Be32(1000));
    const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, AsVector(cut));
    CHECK_EQ(fromMemory.result, 2);
    CHECK(fromMemory.headerNull && fromMemory.pixelNull);
    CHECK_EQ(RequestPicture(plugin, WriteTempFile("cut.lwo", cut)).result, 0);

    const ReceivedPicture noPolygons = RequestPictureFromMemory(plugin, AsVector(Form("LWO2", Chunk("PNTS", Points({0, 0, 0})))));
    CHECK_EQ(noPolygons.result, 2);
    CHECK(noPolygons.headerNull && noPolygons.pixelNull);
}
