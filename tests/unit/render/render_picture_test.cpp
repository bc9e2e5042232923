// Pictures drawn through OSMesa, checked pixel by pixel.
#include "core/render/render_picture.h"

#include <array>
#include <cmath>

#include "core/render/draw_model.h"
#include "core/render/offscreen_surface.h"
#include "tests/support/test_support.h"
#include "tests/support/picture_rows.h"

namespace {

constexpr std::array<uint8_t, 3> kBackground = {102, 76, 0};

struct Picture : PictureRows {
    int32_t result = -1;
    std::vector<uint8_t> header;
};

bool NotBackground(std::array<uint8_t, 3> bgr) { return bgr != kBackground; }

RenderSettings Settings(int32_t width, int32_t height, int32_t mode = kSolid) {
    RenderSettings settings;
    ApplyAttachDefaults(settings);
    settings.width = width;
    settings.height = height;
    settings.mode = mode;
    return settings;
}

Picture Render(ModelGeometry model, const RenderSettings& settings) {
    PictureBlocks blocks;
    Picture picture;
    picture.result = RenderPicture(model, settings, blocks);
    if (picture.result != 0) return picture;
    const auto* h = static_cast<const uint8_t*>(LockBlock(blocks.header));
    picture.header.assign(h, h + BlockSize(blocks.header));
    const auto* p = static_cast<const uint8_t*>(LockBlock(blocks.pixels));
    picture.pixels.assign(p, p + BlockSize(blocks.pixels));
    FreeBlock(blocks.header);
    FreeBlock(blocks.pixels);
    picture.width = settings.width;
    picture.height = settings.height;
    return picture;
}

// A square in the z = 0 plane, facing the camera when `counterClockwise`.
ModelGeometry Square(bool counterClockwise = true) {
    ModelGeometry model;
    for (Point3f v : {Point3f{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}}) AppendVertex(model, v);
    const std::vector<int32_t> corners = counterClockwise ? std::vector<int32_t>{0, 1, 2, 3} : std::vector<int32_t>{3, 2, 1, 0};
    AppendFace(model, corners, -1);
    return model;
}

ModelGeometry Cube() {
    ModelGeometry model;
    for (int i = 0; i < 8; ++i) AppendVertex(model, {i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f});
    const std::vector<std::vector<int32_t>> faces = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                                     {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& face : faces) AppendFace(model, face, -1);
    return model;
}

// A view turned 30 degrees about x and 40 about y, showing three faces.
RenderSettings TurnedView(RenderSettings settings) {
    OffscreenSurface surface;
    EXPECT_TRUE(surface.Create(1, 1));
    ResetView();
    RotateView(-40, -30);
    GetViewMatrix(settings.viewMatrix);
    return settings;
}

TEST(RenderPicture, HeaderAndStrides) {
    struct Case {
        int32_t width, height;
        uint32_t stride;
    };
    for (const Case c : {Case{1, 1, 4}, Case{10, 7, 32}, Case{257, 3, 772}}) {
        const Picture picture = Render(Square(), Settings(c.width, c.height));
        ASSERT_EQ(picture.result, 0);
        ASSERT_EQ(picture.header.size(), 44u);
        int32_t word[11];
        std::memcpy(word, picture.header.data(), 44);
        EXPECT_EQ(word[0], 40);
        EXPECT_EQ(word[1], c.width);
        EXPECT_EQ(word[2], c.height);
        EXPECT_EQ(picture.header[12] | picture.header[13] << 8, 1);   // planes
        EXPECT_EQ(picture.header[14] | picture.header[15] << 8, 24);  // bits
        for (int i = 4; i < 11; ++i) EXPECT_EQ(word[i], 0) << "field " << i;
        EXPECT_EQ(picture.pixels.size(), size_t(c.stride) * size_t(c.height));
    }
}

TEST(RenderPicture, UnsoundSizesAllocateNothing) {
    for (auto [w, h] : {std::pair{0, 240}, {320, 0}, {-5, 10}, {16385, 1}, {1, 16385}}) {
        ModelGeometry model = Square();
        PictureBlocks blocks;
        EXPECT_EQ(RenderPicture(model, Settings(w, h), blocks), 3) << w << " x " << h;
        EXPECT_EQ(blocks.header, nullptr);
        EXPECT_EQ(blocks.pixels, nullptr);
    }
}

TEST(RenderPicture, BackgroundBytes) {
    const Picture picture = Render(Square(), Settings(64, 48));
    EXPECT_EQ(picture.Pixel(0, 0), kBackground);
    EXPECT_EQ(picture.Pixel(63, 47), kBackground);
}

TEST(RenderPicture, SolidRedAndLitFromBothSides) {
    RenderSettings settings = Settings(64, 48);
    settings.objectColor = 0x000000FF;
    const Picture front = Render(Square(true), settings);
    const Picture back = Render(Square(false), settings);
    const auto centre = front.Pixel(32, 24);
    EXPECT_GT(centre[2], 150);
    EXPECT_LT(centre[1], 20);
    EXPECT_EQ(centre[0], centre[1]);
    EXPECT_EQ(front.pixels, back.pixels) << "two-sided lighting: winding does not matter";
}

// Faces after the first coloured face take its colour; faces before it
// take the object colour.
TEST(RenderPicture, FaceColourStaysForLaterFaces) {
    ModelGeometry model;
    for (Point3f v : {Point3f{-2, -1, 0}, {0, -1, 0}, {0, 1, 0}, {-2, 1, 0}, {2, -1, 0}, {2, 1, 0}}) AppendVertex(model, v);
    const int32_t left[] = {0, 1, 2, 3}, right[] = {1, 4, 5, 2};
    AppendFace(model, left, 0, {0, 0, 1});
    AppendFace(model, right, -1);
    const Picture picture = Render(model, Settings(80, 40));
    for (int32_t x : {30, 50}) {
        const auto pixel = picture.Pixel(x, 20);
        EXPECT_GT(pixel[0], 150) << "x " << x;
        EXPECT_LT(pixel[2], 20) << "x " << x;
    }
}

TEST(RenderPicture, HiddenLineShowsOnlyVisibleEdges) {
    const RenderSettings turned = TurnedView(Settings(200, 200));
    RenderSettings wire = turned, hidden = turned, other = turned;
    wire.mode = kWireframe;
    hidden.mode = kHiddenLine;
    other.mode = 5;
    const Picture wirePicture = Render(Cube(), wire);
    const Picture hiddenPicture = Render(Cube(), hidden);
    const int64_t wireEdges = wirePicture.CountWhere(NotBackground);
    const int64_t hiddenEdges = hiddenPicture.CountWhere(NotBackground);
    // Nine of the twelve edges are visible.
    EXPECT_GT(hiddenEdges, wireEdges * 6 / 12);
    EXPECT_LT(hiddenEdges, wireEdges * 10 / 12);
    EXPECT_EQ(Render(Cube(), other).pixels, wirePicture.pixels) << "mode 5 draws like wireframe";
    // The outlines take the object colour, whatever the faces' own colours.
    EXPECT_EQ(wirePicture.CountWhere([](std::array<uint8_t, 3> p) { return p != kBackground && p != std::array<uint8_t, 3>{242, 242, 242}; }), 0);
}

TEST(RenderPicture, TwoCornerFaceDrawsNothing) {
    ModelGeometry model;
    AppendVertex(model, {0, 0, 0});
    AppendVertex(model, {1, 1, 1});
    const int32_t corners[] = {0, 1};
    AppendFace(model, corners, -1);
    for (int32_t mode : {kSolid, kWireframe, kHiddenLine}) {
        EXPECT_EQ(Render(model, Settings(32, 32, mode)).CountWhere(NotBackground), 0) << "mode " << mode;
    }
}

// Mesa corrupts filled polygons in 24-bit buffers at odd widths; the
// picture must come out clean: red lit by white light has blue == green.
TEST(RenderPicture, OddWidthFilledFacesAreClean) {
    RenderSettings settings = TurnedView(Settings(257, 131));
    settings.objectColor = 0x000000FF;
    const Picture picture = Render(Cube(), settings);
    EXPECT_GT(picture.CountWhere(NotBackground), 5000);
    EXPECT_EQ(picture.CountWhere([](std::array<uint8_t, 3> p) { return p != kBackground && p[0] != p[1]; }), 0);
    EXPECT_EQ(Render(Cube(), settings).pixels, picture.pixels) << "the same request, the same picture";
}

TEST(PreviewOperations, RotateResetAndMatrices) {
    OffscreenSurface surface;
    ASSERT_TRUE(surface.Create(16, 16));
    SetupPreviewScene();
    double before[16], after[16];
    const double turned[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    SetViewMatrix(turned);
    GetViewMatrix(before);
    RotateView(10, 0);
    RotateView(-10, 0);
    GetViewMatrix(after);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(after[i], before[i], 1e-6) << i;
    // Thirty pixels to the right (deltaX = -30) turns thirty degrees about y.
    ResetView();
    RotateView(-30, 0);
    GetViewMatrix(after);
    EXPECT_NEAR(after[0], std::cos(M_PI / 6), 1e-6);
    EXPECT_NEAR(after[8], std::sin(M_PI / 6), 1e-6);
    ResetView();
    GetViewMatrix(after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], i % 5 == 0 ? 1.0 : 0.0);
}

TEST(PreviewOperations, CubeShowsItsThreeColours) {
    OffscreenSurface surface;
    ASSERT_TRUE(surface.Create(64, 64));
    SetupPreviewScene();
    ResetView();
    RotateView(-30, -30);
    DrawPreviewCube();
    const uint8_t* bgra = surface.FinishedPixels();
    bool magenta = false, cyan = false, green = false;
    for (int i = 0; i < 64 * 64; ++i) {
        const uint8_t b = bgra[4 * i], g = bgra[4 * i + 1], r = bgra[4 * i + 2];
        magenta |= r > 60 && b > 60 && g < 30;
        cyan |= g > 60 && b > 60 && r < 30;
        green |= g > 60 && r < 30 && b < 30;
    }
    EXPECT_TRUE(magenta && cyan && green);
}

}  // namespace
