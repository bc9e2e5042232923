// Helpers shared by the native unit tests: fixture files, the two input
// forms of a reader, and native plug-ins loaded as a host loads them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/frame/susie_api.h"
#include "core/model/model_geometry.h"
#include "tests/support/picture_rows.h"
#include "readers/common/reader_input.h"

// The shared corpus of real files from other tools; tests that need it skip,
// saying so, when it is absent.
std::string CorpusPath(std::string_view relative);
bool CorpusAvailable();
#define PRISMO_REQUIRE_CORPUS()                                                              \
    do {                                                                                     \
        if (!CorpusAvailable()) GTEST_SKIP() << "corpus folder absent: " << CorpusPath(""); \
    } while (0)

// tests/fixtures/<relative>.
std::string FixturePath(std::string_view relative);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
inline ByteSpan AsBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}
// Writes the bytes to a new file in this test program's temporary folder.
std::string WriteTempFile(std::string_view name, ByteSpan bytes);
std::string TempFolder();
// $XDG_CONFIG_HOME of the test program (the native registry lives below it).
std::string TestConfigFolder();

using ReadModelFunction = int32_t (*)(const InputSource&, ModelGeometry&);

// The model a reader makes of `bytes` given as a file (written to a
// temporary file, read back mapped, with its path) or as a memory image.
struct ReadOutcome {
    int32_t result = -1;
    ModelGeometry model;
};
ReadOutcome ReadAsFile(ReadModelFunction read, ByteSpan bytes);
ReadOutcome ReadAsMemory(ReadModelFunction read, ByteSpan bytes);

// Face corners as vectors, for readable comparisons.
std::vector<std::vector<int32_t>> FaceCorners(const ModelGeometry& model);
// True when both hold the same vertices, faces, materials and colours.
::testing::AssertionResult SameModel(const ModelGeometry& a, const ModelGeometry& b);

// A native plug-in (build/plugins/<name>.so) used only through its exports.
class PluginLibrary : public SusieExports {
public:
    explicit PluginLibrary(const std::string& pluginName);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

private:
    void* handle_ = nullptr;
};

// A picture as the host received it: the header fields and the BGR rows.
struct ReceivedPicture : PictureRows {
    int32_t result = -1;
    int32_t bitCount = 0;
    uint32_t headerBytes = 0;
    std::vector<uint8_t> header;
};
// Calls GetPicture by path (flags 0) or on a memory image (flags 1) and
// takes the two blocks over, freeing them as the host does.
ReceivedPicture RequestPicture(PluginLibrary& plugin, const std::string& path);
ReceivedPicture RequestPictureFromMemory(PluginLibrary& plugin, ByteSpan image);
// The picture of `bytes` requested from a file of that name and as a memory
// image; expects both to give 0 and the same pixels, and returns the first
// (check its result before reading pixels).
ReceivedPicture PictureByPathAndMemory(PluginLibrary& plugin, const std::string& fileName, ByteSpan bytes);
// Expects a pixel lit clearly red: much red, little green or blue.
void ExpectClearlyRed(std::array<uint8_t, 3> bgr);
