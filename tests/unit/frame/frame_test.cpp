// The native prismofront plug-in through its six exports.
#include <sys/stat.h>

#include <fstream>

#include "core/settings/settings_store.h"
#include "tests/support/test_support.h"

namespace {

constexpr std::array<uint8_t, 3> kBackground = {102, 76, 0};

std::string Sample(const char* name) { return std::string(PRISMO_SOURCE_DIR) + "/samples/" + name; }

// A loaded plug-in keeps the values it last loaded for whatever the registry
// lacks, so tests store the start values rather than remove the store.
void StoreStartSettings() {
    RenderSettings start;
    ApplyAttachDefaults(start);
    SaveSettings(start, "prismofront");
}

TEST(Frame, PluginInfoBoundaries) {
    PluginLibrary plugin("prismofront");
    char buffer[8] = "QQQQQQQ";
    EXPECT_EQ(plugin.GetPluginInfo(0, buffer, 0), 0) << "no room even for the zero byte";
    EXPECT_EQ(std::string(buffer), "QQQQQQQ");
    EXPECT_EQ(plugin.GetPluginInfo(3, buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(plugin.GetPluginInfo(2, buffer, sizeof buffer), 5);
    EXPECT_EQ(std::string(buffer), "*.obj");
}

// The dialog exists only in the Windows build.
TEST(Frame, NoDialogNatively) {
    PluginLibrary plugin("prismofront");
    EXPECT_EQ(plugin.ConfigurationDlg(nullptr, 1), -1);
    EXPECT_EQ(plugin.ConfigurationDlg(nullptr, 0), -1);
    EXPECT_EQ(plugin.GetPreview("x", 1, 1, nullptr, nullptr, nullptr, 0), -1);
}

TEST(Frame, ResultCodesAndSlots) {
    StoreStartSettings();
    PluginLibrary plugin("prismofront");
    void* const untouched = reinterpret_cast<void*>(uintptr_t(0x5A5A5A5A));
    SusieHandle header = untouched, pixels = untouched;
    EXPECT_EQ(plugin.GetPicture("/no/such/model.obj", 0, 0, &header, &pixels, nullptr, 0), 5);
    EXPECT_EQ(header, untouched);
    EXPECT_EQ(pixels, untouched);

    const std::string points = WriteTempFile("points.obj", AsBytes("v 0 0 0\nv 1 0 0\nv 0 1 0\n"));
    EXPECT_EQ(plugin.GetPicture(points.c_str(), 0, 0, &header, &pixels, nullptr, 0), 2);
    EXPECT_EQ(header, nullptr);
    EXPECT_EQ(pixels, nullptr);

    const std::string empty;
    header = pixels = untouched;
    EXPECT_EQ(plugin.GetPicture(empty.data(), 0, 1, &header, &pixels, nullptr, 0), 2) << "an empty memory image";
    EXPECT_EQ(header, nullptr);
}

// The picture of the terrain sample, kept for the Windows build to compare
// its own with (both draw with Mesa).
TEST(Frame, PictureByPathAndMemoryAndTheReference) {
    StoreStartSettings();
    PluginLibrary plugin("prismofront");
    const ReceivedPicture byPath = RequestPicture(plugin, Sample("terrain.obj"));
    ASSERT_EQ(byPath.result, 0);
    EXPECT_EQ(byPath.width, 320);
    EXPECT_EQ(byPath.height, 240);
    EXPECT_EQ(byPath.headerBytes, 44u);
    EXPECT_EQ(byPath.pixels.size(), 960u * 240u);
    EXPECT_GT(byPath.CountNot(kBackground), 10000);
    const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, ReadFileBytes(Sample("terrain.obj")));
    EXPECT_EQ(fromMemory.pixels, byPath.pixels);
    EXPECT_EQ(RequestPicture(plugin, Sample("terrain.obj")).pixels, byPath.pixels) << "nothing survives a request";

    mkdir(PRISMO_REFERENCE_DIR, 0755);
    std::ofstream reference(std::string(PRISMO_REFERENCE_DIR) + "/prismofront_terrain.bmp", std::ios::binary);
    reference.write(reinterpret_cast<const char*>(byPath.header.data()), std::streamsize(byPath.header.size()));
    reference.write(reinterpret_cast<const char*>(byPath.pixels.data()), std::streamsize(byPath.pixels.size()));
}

TEST(Frame, StoredSettingsReachTheNextPicture) {
    StoreStartSettings();
    PluginLibrary plugin("prismofront");
    RenderSettings stored;
    stored.width = 64;
    stored.height = 48;
    stored.backgroundColor = 0x000000FF;
    SaveSettings(stored, "prismofront");
    const ReceivedPicture picture = RequestPicture(plugin, Sample("cube.obj"));
    ASSERT_EQ(picture.result, 0);
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.height, 48);
    EXPECT_EQ(picture.pixels.size(), 48u * 192u);
    EXPECT_EQ(picture.Pixel(0, 0), (std::array<uint8_t, 3>{0, 0, 255}));
    SusiePictureInfo info{};
    EXPECT_EQ(plugin.GetPictureInfo("ignored", 0, 0, &info), 0);
    EXPECT_EQ(info.width, 64) << "GetPictureInfo reports the size the last picture loaded";
    EXPECT_EQ(info.height, 48);

    for (auto [width, height] : {std::pair{0, 48}, {64, -1}, {20000, 48}}) {
        stored.width = width;
        stored.height = height;
        SaveSettings(stored, "prismofront");
        SusieHandle header = &stored, pixels = &stored;
        EXPECT_EQ(plugin.GetPicture(Sample("cube.obj").c_str(), 0, 0, &header, &pixels, nullptr, 0), 3);
        EXPECT_EQ(header, nullptr);
        EXPECT_EQ(pixels, nullptr);
    }
    StoreStartSettings();
}

TEST(Frame, CorpusObjFiles) {
    PRISMO_REQUIRE_CORPUS();
    StoreStartSettings();
    PluginLibrary plugin("prismofront");
    struct Expected {
        const char* file;
        bool recognised;
        int32_t result;
    };
    // point_cloud.obj holds vertices only; the malformed files keep enough
    // faces that name real vertices (the others are dropped); empty.obj is
    // empty.
    for (const Expected& e : {Expected{"obj/WusonOBJ.obj", true, 0}, {"obj/box.obj", true, 0},
                              {"obj/box_without_lineending.obj", true, 0}, {"obj/concave_polygon.obj", true, 0},
                              {"obj/multiple_spaces.obj", true, 0}, {"obj/number_formats.obj", true, 0},
                              {"obj/point_cloud.obj", true, 2}, {"obj/spider.obj", true, 0},
                              {"invalid/empty.obj", false, 2}, {"invalid/malformed.obj", true, 0},
                              {"invalid/malformed2.obj", true, 0}}) {
        const std::string path = CorpusPath(e.file);
        EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), e.recognised ? 1 : 0) << e.file;
        EXPECT_EQ(RequestPicture(plugin, path).result, e.result) << e.file;
    }
}

}  // namespace
