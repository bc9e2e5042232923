// prismodirect through its exports, as a host uses it.
#include "tests/unit/x/x_test_files.h"

namespace {

const char kRedAndGreen[] = R"(xof 0303txt 0032
Mesh {
 4; -1;-1;0;, 1;-1;0;, 1;1;0;, -1;1;0;;
 2; 3;0,1,2;, 3;0,2,3;;
 MeshMaterialList { 2; 2; 1,0;;
  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
  Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }
 }
}
)";

bool IsRed(std::array<uint8_t, 3> bgr) { return bgr[2] > 150 && bgr[1] < 40 && bgr[0] < 40; }
bool IsGreen(std::array<uint8_t, 3> bgr) { return bgr[1] > 150 && bgr[2] < 40 && bgr[0] < 40; }

SusieWord HeadPointer(const std::vector<uint8_t>& head) { return SusieWord(reinterpret_cast<uintptr_t>(head.data())); }

TEST(Prismodirect, RecognisesTheMagicOnly) {
    PluginLibrary plugin("prismodirect");
    ASSERT_NE(plugin.IsSupported, nullptr);
    const struct {
        const char* name;
        std::string bytes;
        int32_t supported;
    } cases[] = {
        {"text", kRedAndGreen, 1},
        {"garbage after the magic", "xof garbage", 1},
        {"magic only", "xof ", 1},
        {"upper case", "XOF 0303txt 0032\n", 0},
        {"byte-order mark", "\xef\xbb\xbfxof 0303txt 0032\n", 0},
        {"no blank", "xof_0303txt 0032\n", 0},
        {"short", "xof", 0},
    };
    for (const auto& c : cases) {
        const std::string path = WriteTempFile("recognise.x", AsBytes(c.bytes));
        EXPECT_EQ(plugin.IsSupported(path.c_str(), 0), c.supported) << c.name << " by path";
        std::vector<uint8_t> head(8, 0);
        std::copy_n(c.bytes.begin(), std::min<size_t>(c.bytes.size(), head.size()), head.begin());
        EXPECT_EQ(plugin.IsSupported(path.c_str(), HeadPointer(head)), c.supported) << c.name << " by head";
    }
    EXPECT_EQ(plugin.IsSupported((TempFolder() + "/missing.x").c_str(), 0), 0);
}

// Solid mode shows the material's colour, by path and from memory alike.
TEST(Prismodirect, DrawsMaterialColours) {
    PluginLibrary plugin("prismodirect");
    const struct {
        const char* diffuse;
        int channel;  // of blue, green, red
    } cases[] = {{"1;0;0;1;;", 2}, {"0;1;0;1;;", 1}, {"0;0;1;1;;", 0}};
    for (const auto& c : cases) {
        const std::string text = std::string("xof 0303txt 0032\nMesh { 3; -1;-1;0;, 1;-1;0;, 0;1;0;; 1; 3;0,1,2;;\n") +
                                 " MeshMaterialList { 1; 1; 0;; Material { " + c.diffuse + " 0; 0;0;0;; 0;0;0;; } } }\n";
        const ReceivedPicture byPath = PictureByPathAndMemory(plugin, "colour.x", AsBytes(text));
        ASSERT_EQ(byPath.result, 0);
        const auto centre = byPath.Pixel(byPath.width / 2, byPath.height / 2);
        for (int channel = 0; channel < 3; ++channel) {
            if (channel == c.channel) {
                EXPECT_GT(centre[channel], 150) << c.diffuse;
            } else {
                EXPECT_LT(centre[channel], 40) << c.diffuse;
            }
        }
    }
}

// One picture shows both materials: the file lists the green triangle
// (lower right) first, the red one (upper left) second.
TEST(Prismodirect, DrawsTwoMaterialsInOnePicture) {
    PluginLibrary plugin("prismodirect");
    const ReceivedPicture picture = RequestPictureFromMemory(plugin, AsBytes(kRedAndGreen));
    ASSERT_EQ(picture.result, 0);
    const int32_t dx = picture.width / 10, dy = picture.height / 10;
    EXPECT_TRUE(IsRed(picture.Pixel(picture.width / 2 - dx, picture.height / 2 - dy)));
    EXPECT_TRUE(IsGreen(picture.Pixel(picture.width / 2 + dx, picture.height / 2 + dy)));
}

// Every failure to read is 7 with the slots untouched; a file without a
// face is 2 with both slots null.
TEST(Prismodirect, ResultCodes) {
    PluginLibrary plugin("prismodirect");
    const auto request = [&](const std::string& bytes, uint32_t flags) {
        const std::string path = WriteTempFile("request.x", AsBytes(bytes));
        SusieHandle header = reinterpret_cast<SusieHandle>(0x1234), pixels = reinterpret_cast<SusieHandle>(0x5678);
        const char* source = flags == 0 ? path.c_str() : bytes.data();
        const int32_t result = plugin.GetPicture(source, int32_t(bytes.size()), flags, &header, &pixels, nullptr, 0);
        const bool untouched = header == reinterpret_cast<SusieHandle>(0x1234) && pixels == reinterpret_cast<SusieHandle>(0x5678);
        const bool nulls = header == nullptr && pixels == nullptr;
        return std::make_tuple(result, untouched, nulls);
    };
    for (uint32_t flags : {0u, 1u}) {
        EXPECT_EQ(request("xof garbage", flags), std::make_tuple(7, true, false)) << flags;
        EXPECT_EQ(request("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,5;; }", flags),
                  std::make_tuple(7, true, false)) << flags;
        EXPECT_EQ(request("xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 0; }", flags),
                  std::make_tuple(2, false, true)) << flags;
        EXPECT_EQ(request("xof 0303txt 0032\n", flags), std::make_tuple(2, false, true)) << flags;
    }
    SusieHandle header = reinterpret_cast<SusieHandle>(0x1234), pixels = header;
    EXPECT_EQ(plugin.GetPicture((TempFolder() + "/missing.x").c_str(), 0, 0, &header, &pixels, nullptr, 0), 7);
    EXPECT_EQ(header, reinterpret_cast<SusieHandle>(0x1234));
}

}  // namespace
