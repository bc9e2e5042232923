// A small test harness for the Win32 end-to-end program: the real .spi files
// loaded with LoadLibrary and used only through their six exports, as a
// Susie host uses them. Runs under Wine in the build.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "core/frame/susie_api.h"
#include "tests/support/picture_rows.h"

// The default background colour 0x00664C00 as a pixel reads it: blue, green, red.
const std::array<uint8_t, 3> kBackground = {102, 76, 0};

// E2E_TEST(group, name) { ... }: the group is the plug-in (or topic), so that
// one group can be run alone: prismo_e2e.exe <group>.
#define E2E_TEST(group, name)                                                          \
    static void e2e_##group##_##name();                                                \
    static const bool e2e_##group##_##name##_registered =                              \
        RegisterE2eTest(#group, #name, e2e_##group##_##name);                          \
    static void e2e_##group##_##name()

// Pixels print as "(blue, green, red)" in failure messages.
inline std::ostream& operator<<(std::ostream& out, const std::array<uint8_t, 3>& bgr) {
    return out << "(" << int(bgr[0]) << ", " << int(bgr[1]) << ", " << int(bgr[2]) << ")";
}

bool RegisterE2eTest(const char* group, const char* name, void (*run)());
void RecordFailure(const char* file, int line, const std::string& message);
void RecordSkip(const std::string& reason);

#define CHECK(condition)                                                               \
    do {                                                                               \
        if (!(condition)) RecordFailure(__FILE__, __LINE__, "CHECK(" #condition ")"); \
    } while (0)

#define CHECK_EQ(actual, expected)                                                     \
    do {                                                                               \
        const auto& a_ = (actual);                                                     \
        const auto& e_ = (expected);                                                   \
        if (!(a_ == e_)) {                                                             \
            std::ostringstream message_;                                               \
            message_ << #actual " is " << a_ << ", expected " << e_;                   \
            RecordFailure(__FILE__, __LINE__, message_.str());                         \
        }                                                                              \
    } while (0)

// Recognition of a file as a viewer asks for it: by path, and by the head of
// the file the viewer has read.
#define CHECK_RECOGNITION(plugin, path, expected)                                     \
    do {                                                                               \
        CHECK_EQ((plugin).IsSupported((path).c_str(), 0), (expected));                 \
        CHECK_EQ((plugin).IsSupportedByHead(path), (expected));                        \
    } while (0)

#define REQUIRE(condition)                                                             \
    do {                                                                               \
        if (!(condition)) {                                                            \
            RecordFailure(__FILE__, __LINE__, "REQUIRE(" #condition ")");             \
            return;                                                                    \
        }                                                                              \
    } while (0)

// Skips the rest of the test, saying why, when the shared corpus is absent.
#define REQUIRE_CORPUS()                                                               \
    do {                                                                               \
        if (!CorpusAvailable()) {                                                      \
            RecordSkip("corpus folder absent: " + CorpusPath(""));                     \
            return;                                                                    \
        }                                                                              \
    } while (0)

std::string CorpusPath(const std::string& relative);
bool CorpusAvailable();
std::string SamplePath(const std::string& relative);  // the project's samples/
std::string NativeReferencePath(const std::string& name);  // pictures of the native build
std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string WriteTempFile(const std::string& name, const std::string& bytes);

// A .spi of the build, loaded as a host loads it.
class SpiPlugin : public SusieExports {
public:
    explicit SpiPlugin(const std::string& pluginName);
    ~SpiPlugin();
    SpiPlugin(const SpiPlugin&) = delete;
    SpiPlugin& operator=(const SpiPlugin&) = delete;
    bool Loaded() const { return module_ != nullptr; }

    // IsSupported with the file's first 2 KB in memory, as a viewer asks.
    int32_t IsSupportedByHead(const std::string& path);

private:
    HMODULE module_ = nullptr;
};

// A picture as the host received it; the blocks are freed with GlobalFree
// once copied, as a host frees them.
struct ReceivedPicture : PictureRows {
    int32_t result = -1;
    bool headerSlotTouched = false, pixelSlotTouched = false;
    bool headerNull = true, pixelNull = true;
    SIZE_T headerBytes = 0, pixelBytes = 0;
    int32_t bitCount = 0;
    std::vector<uint8_t> header;
};
ReceivedPicture RequestPicture(SpiPlugin& plugin, const std::string& path, uint32_t flags = 0);
ReceivedPicture RequestPictureFromMemory(SpiPlugin& plugin, const std::vector<uint8_t>& image, uint32_t flags = 1);
// A real file of the shared corpus and the result a picture request of it
// must give.
struct CorpusExpectation {
    const char* file;  // below the corpus folder
    int32_t result;
    bool sameFromMemory = true;  // false where the format reads a memory image differently
};
// Requests each file by path and as a memory image: both give the expected
// result and, for a picture, the same pixels.
void CheckCorpusFiles(SpiPlugin& plugin, std::initializer_list<CorpusExpectation> files);

// Checks that memory images of the file (flags 1, 2 and 4) and a second
// request by path give the picture `byPath`.
void CheckSamePictureEveryWay(SpiPlugin& plugin, const std::string& path, const ReceivedPicture& byPath);
// Reads a picture written by the native build (header block then pixel block).
bool ReadReferencePicture(const std::string& path, ReceivedPicture& out);

// The settings of the family under HKEY_CURRENT_USER.
void DeleteSettingsKeys();
// Stores the start values (sharing off) for the plug-in: a loaded plug-in
// keeps the values it last loaded for whatever the registry lacks.
void StoreStartSettings(const char* pluginName);
void SetSettingsDword(const char* subkey, const char* name, DWORD value);  // subkey "" = family key
