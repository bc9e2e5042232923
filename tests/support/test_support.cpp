#include "tests/support/test_support.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/frame/file_bytes.h"
#include "core/render/picture_block.h"

std::string CorpusPath(std::string_view relative) {
    return std::string(PRISMO_CORPUS_DIR) + "/" + std::string(relative);
}

bool CorpusAvailable() {
    struct stat status;
    return stat(PRISMO_CORPUS_DIR, &status) == 0 && S_ISDIR(status.st_mode);
}

std::string FixturePath(std::string_view relative) {
    return std::string(PRISMO_SOURCE_DIR) + "/tests/fixtures/" + std::string(relative);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string TempFolder() {
    static const std::string folder = [] {
        std::string pattern = ::testing::TempDir() + "prismo-test-XXXXXX";
        return std::string(mkdtemp(pattern.data()));
    }();
    return folder;
}

std::string TestConfigFolder() { return TempFolder() + "/config"; }

namespace {
// The native registry of every test program lives in its temporary folder,
// never in the user's own configuration.
[[maybe_unused]] const bool kConfigRedirected = [] { return setenv("XDG_CONFIG_HOME", TestConfigFolder().c_str(), 1) == 0; }();
}  // namespace

std::string WriteTempFile(std::string_view name, ByteSpan bytes) {
    const std::string path = TempFolder() + "/" + std::string(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

ReadOutcome ReadAsFile(ReadModelFunction read, ByteSpan bytes) {
    static int serial = 0;
    const std::string path = WriteTempFile("input" + std::to_string(serial++), bytes);
    MappedFile mapped;
    ReadOutcome outcome;
    if (!mapped.Open(path.c_str())) return outcome;
    InputSource input;
    input.path = path.c_str();
    input.bytes = mapped.Bytes();
    input.fromFile = true;
    outcome.result = read(input, outcome.model);
    return outcome;
}

ReadOutcome ReadAsMemory(ReadModelFunction read, ByteSpan bytes) {
    // A copy of exactly the image's size, so that ASan sees any read past it.
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    InputSource input;
    input.bytes = image;
    ReadOutcome outcome;
    outcome.result = read(input, outcome.model);
    return outcome;
}

std::vector<std::vector<int32_t>> FaceCorners(const ModelGeometry& model) {
    std::vector<std::vector<int32_t>> faces;
    for (const FaceRecord& face : model.faces) {
        const auto corners = model.Corners(face);
        faces.emplace_back(corners.begin(), corners.end());
    }
    return faces;
}

::testing::AssertionResult SameModel(const ModelGeometry& a, const ModelGeometry& b) {
    if (a.vertices.size() != b.vertices.size()) {
        return ::testing::AssertionFailure() << "vertex counts " << a.vertices.size() << " and " << b.vertices.size();
    }
    for (size_t i = 0; i < a.vertices.size(); ++i) {
        const Point3f &p = a.vertices[i], &q = b.vertices[i];
        if (p.x != q.x || p.y != q.y || p.z != q.z) return ::testing::AssertionFailure() << "vertex " << i << " differs";
    }
    if (FaceCorners(a) != FaceCorners(b)) return ::testing::AssertionFailure() << "face corners differ";
    for (size_t i = 0; i < a.faces.size(); ++i) {
        const FaceRecord &f = a.faces[i], &g = b.faces[i];
        if (f.materialIndex != g.materialIndex) return ::testing::AssertionFailure() << "material of face " << i;
        if (f.materialIndex >= 0 && !(a.Color(f) == b.Color(g))) {
            return ::testing::AssertionFailure() << "colour of face " << i;
        }
    }
    return ::testing::AssertionSuccess();
}

PluginLibrary::PluginLibrary(const std::string& pluginName) {
    const std::string path = std::string(PRISMO_PLUGIN_DIR) + "/" + pluginName + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
        return;
    }
    const char* missing = nullptr;
    if (!Bind([&](const char* name) { return dlsym(handle_, name); }, &missing)) {
        ADD_FAILURE() << pluginName << " does not export " << missing;
    }
}

PluginLibrary::~PluginLibrary() {
    if (handle_) dlclose(handle_);
}

namespace {

ReceivedPicture Receive(int32_t result, SusieHandle header, SusieHandle pixels) {
    ReceivedPicture picture;
    picture.result = result;
    if (result != 0 || !header || !pixels) return picture;
    const auto* h = static_cast<const uint8_t*>(LockBlock(header));
    picture.headerBytes = uint32_t(BlockSize(header));
    picture.header.assign(h, h + picture.headerBytes);
    std::memcpy(&picture.width, h + 4, 4);
    std::memcpy(&picture.height, h + 8, 4);
    picture.bitCount = h[14] | h[15] << 8;
    const auto* p = static_cast<const uint8_t*>(LockBlock(pixels));
    picture.pixels.assign(p, p + BlockSize(pixels));
    FreeBlock(header);
    FreeBlock(pixels);
    return picture;
}

}  // namespace

ReceivedPicture RequestPicture(PluginLibrary& plugin, const std::string& path) {
    SusieHandle header = nullptr, pixels = nullptr;
    const int32_t result = plugin.GetPicture(path.c_str(), 0, 0, &header, &pixels, nullptr, 0);
    return Receive(result, header, pixels);
}

ReceivedPicture PictureByPathAndMemory(PluginLibrary& plugin, const std::string& fileName, ByteSpan bytes) {
    ReceivedPicture byPath = RequestPicture(plugin, WriteTempFile(fileName, bytes));
    const ReceivedPicture byMemory = RequestPictureFromMemory(plugin, bytes);
    EXPECT_EQ(byPath.result, 0) << fileName << " by path";
    EXPECT_EQ(byMemory.result, 0) << fileName << " from memory";
    EXPECT_EQ(byPath.pixels, byMemory.pixels) << fileName;
    return byPath;
}

void ExpectClearlyRed(std::array<uint8_t, 3> bgr) {
    EXPECT_GT(bgr[2], 150) << "red";
    EXPECT_LT(bgr[1], 40) << "green";
    EXPECT_LT(bgr[0], 40) << "blue";
}

ReceivedPicture RequestPictureFromMemory(PluginLibrary& plugin, ByteSpan image) {
    std::vector<uint8_t> copy(image.begin(), image.end());
    SusieHandle header = nullptr, pixels = nullptr;
    const int32_t result = plugin.GetPicture(reinterpret_cast<const char*>(copy.data()), int32_t(copy.size()), 1,
                                             &header, &pixels, nullptr, 0);
    return Receive(result, header, pixels);
}
