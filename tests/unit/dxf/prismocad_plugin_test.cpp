// prismocad through its exports.
#include "tests/support/test_support.h"
#include "tests/unit/dxf/dxf_test_text.h"

namespace {

TEST(Prismocad, RecognisesByExtensionAlone) {
    PluginLibrary plugin("prismocad");
    ASSERT_NE(plugin.IsSupported, nullptr);
    const std::vector<uint8_t> head(16, 0);
    const SusieWord headPointer = SusieWord(reinterpret_cast<uintptr_t>(head.data()));
    struct Case {
        const char* fileName;
        int32_t supported;
    };
    for (const Case& c : {Case{"MODEL.DXF", 1}, Case{"dir.v2/model.dxf", 1}, Case{"model.dxf.bak", 0},
                          Case{"model.dwg", 0}, Case{"dxf", 0}, Case{"a.dxf/model", 0}}) {
        // Nothing is opened: the files do not exist.
        EXPECT_EQ(plugin.IsSupported(c.fileName, 0), c.supported) << c.fileName;
        EXPECT_EQ(plugin.IsSupported(c.fileName, headPointer), c.supported) << c.fileName << " with a head";
    }
}

TEST(Prismocad, PicturesOfSurfacesOnly) {
    PluginLibrary plugin("prismocad");
    const Point3f a{0, 0, 0}, b{1, 0, 0}, c{1, 1, 0};
    const std::string outline = Polyline(0, PositionVertices(4, 0));
    const std::string withFace = Drawing(outline + Face3d({a, b, c}));
    const ReceivedPicture byPath = PictureByPathAndMemory(plugin, "outline_and_face.dxf", AsBytes(withFace));
    ASSERT_EQ(byPath.result, 0);
    const std::array<uint8_t, 3> background = byPath.Pixel(0, 0);
    EXPECT_GT(byPath.CountNot(background), 1000) << "the face is drawn";

    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(Drawing(outline))).result, 2) << "an outline alone";
    EXPECT_EQ(RequestPictureFromMemory(plugin, AsBytes(withFace.substr(0, withFace.size() - 1))).result, 2)
        << "EOF without a line break";
    EXPECT_EQ(RequestPicture(plugin, TempFolder() + "/missing.dxf").result, 5);
}

}  // namespace
