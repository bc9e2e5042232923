// The registry settings of a real .spi under Wine: values written with the
// registry API, with reg.exe and with prismo.exe change the next picture.
#include <cstdio>
#include <cstring>

#include "tests/e2e/e2e_harness.h"

namespace {

const char kFamily[] = "Software\\kesto\\lumeq";

bool IsObjectGrey(std::array<uint8_t, 3> p) { return p == std::array<uint8_t, 3>{242, 242, 242}; }

// Runs a command line of the Wine system and returns what it printed.
std::string Run(const std::string& command) {
    std::string output;
    if (FILE* pipe = _popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        _pclose(pipe);
    }
    return output;
}

bool QueryValue(const std::string& key, const char* name, DWORD& type, std::vector<uint8_t>& data) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != 0) return false;
    data.assign(256, 0);
    DWORD size = DWORD(data.size());
    const bool found = RegQueryValueExA(handle, name, nullptr, &type, data.data(), &size) == 0;
    data.resize(found ? size : 0);
    RegCloseKey(handle);
    return found;
}

}  // namespace

E2E_TEST(settings, SizeModeAndColoursReachThePicture) {
    StoreStartSettings("prismofront");
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    const std::string cube = SamplePath("terrain.obj");
    SetSettingsDword("prismofront", "Width", 64);
    SetSettingsDword("prismofront", "Height", 48);
    const ReceivedPicture small = RequestPicture(plugin, cube);
    REQUIRE(small.result == 0);
    CHECK_EQ(small.width, 64);
    CHECK_EQ(small.height, 48);
    CHECK_EQ(small.pixelBytes, SIZE_T(48 * 192));
    SusiePictureInfo info{};
    plugin.GetPictureInfo("", 0, 0, &info);
    CHECK_EQ(info.width, 64);
    CHECK_EQ(info.height, 48);

    SetSettingsDword("prismofront", "Width", 160);
    SetSettingsDword("prismofront", "Height", 120);
    const int64_t solidPixels = RequestPicture(plugin, SamplePath("cube.obj")).CountNot({102, 76, 0});
    for (DWORD mode : {0u, 2u}) {
        SetSettingsDword("prismofront", "Mode", mode);
        const ReceivedPicture outline = RequestPicture(plugin, SamplePath("cube.obj"));
        CHECK_EQ(outline.result, 0);
        // Outlines only, all in the object colour.
        CHECK(outline.CountWhere(IsObjectGrey) > 50);
        CHECK_EQ(outline.CountNot({102, 76, 0}), outline.CountWhere(IsObjectGrey));
        CHECK(outline.CountWhere(IsObjectGrey) < solidPixels);
    }
    SetSettingsDword("prismofront", "Mode", 1);
    SetSettingsDword("prismofront", "ColorBack", 0x000000FF);
    SetSettingsDword("prismofront", "ColorObj", 0x0000FF00);
    const ReceivedPicture coloured = RequestPicture(plugin, cube);
    CHECK_EQ(coloured.Pixel(0, 0), (std::array<uint8_t, 3>{0, 0, 255}));
    const auto centre = coloured.Pixel(80, 60);
    CHECK(centre[1] > 100 && centre[0] < 40 && centre[2] < 40);
    StoreStartSettings("prismofront");
}

E2E_TEST(settings, GlobalSwitchesToTheFamilyKey) {
    StoreStartSettings("prismofront");
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    SetSettingsDword("prismofront", "Width", 50);
    SetSettingsDword("", "Width", 70);
    SetSettingsDword("", "Height", 30);
    CHECK_EQ(RequestPicture(plugin, SamplePath("cube.obj")).width, 50);
    SetSettingsDword("prismofront", "Global", 1);
    const ReceivedPicture shared = RequestPicture(plugin, SamplePath("cube.obj"));
    CHECK_EQ(shared.width, 70);
    CHECK_EQ(shared.height, 30);
    StoreStartSettings("prismofront");
}

E2E_TEST(settings, RegExeAndPrismoConfig) {
    StoreStartSettings("prismofront");
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    Run("reg add HKCU\\Software\\kesto\\lumeq\\prismofront /v Width /t REG_DWORD /d 100 /f");
    CHECK_EQ(RequestPicture(plugin, SamplePath("cube.obj")).width, 100);

    std::string prismo = std::string(PRISMO_PLUGIN_DIR) + "/prismo.exe";
    std::replace(prismo.begin(), prismo.end(), '/', '\\');
    Run(prismo + " config prismofront --width 640 --height 480 --mode wire --object-color FF8000 "
        "--background-color 000000 --shared off --reset-view");
    const std::string key = std::string(kFamily) + "\\prismofront";
    DWORD type = 0;
    std::vector<uint8_t> data;
    struct Expected {
        const char* name;
        DWORD type, size, value;
    };
    for (const Expected& e : {Expected{"Global", REG_DWORD, 4, 0}, {"Width", REG_DWORD, 4, 640},
                              {"Height", REG_DWORD, 4, 480}, {"Mode", REG_DWORD, 4, 0},
                              {"ColorObj", REG_DWORD, 4, 0x000080FF}, {"ColorBack", REG_DWORD, 4, 0},
                              {"Matrix", REG_BINARY, 128, 0}}) {
        REQUIRE(QueryValue(key, e.name, type, data));
        CHECK_EQ(type, e.type);
        CHECK_EQ(data.size(), size_t(e.size));
        if (e.size == 4) CHECK_EQ(*reinterpret_cast<const DWORD*>(data.data()), e.value);
    }
    CHECK(data.size() == 128 && data[6] == 0xF0 && data[7] == 0x3F);  // element 0 of the identity: 1.0
    const std::string listed = Run("reg query HKCU\\Software\\kesto\\lumeq\\prismofront");
    CHECK(listed.find("REG_DWORD") != std::string::npos && listed.find("0x280") != std::string::npos);
    CHECK(listed.find("REG_BINARY") != std::string::npos);
    const ReceivedPicture configured = RequestPicture(plugin, SamplePath("cube.obj"));
    CHECK_EQ(configured.width, 640);
    CHECK_EQ(configured.Pixel(0, 0), (std::array<uint8_t, 3>{0, 0, 0}));
    StoreStartSettings("prismofront");
}

E2E_TEST(settings, UnsoundSizesFailWithNullHandles) {
    StoreStartSettings("prismofront");
    SpiPlugin plugin("prismofront");
    REQUIRE(plugin.Loaded());
    for (DWORD width : {0u, 0xFFFFFFFFu, 20000u}) {
        SetSettingsDword("prismofront", "Width", width);
        const ReceivedPicture picture = RequestPicture(plugin, SamplePath("cube.obj"));
        CHECK_EQ(picture.result, 3);
        CHECK(picture.headerNull && picture.pixelNull);
    }
    StoreStartSettings("prismofront");
}
