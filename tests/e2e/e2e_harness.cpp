#include "tests/e2e/e2e_harness.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

struct RegisteredTest {
    const char* group;
    const char* name;
    void (*run)();
};

std::vector<RegisteredTest>& Tests() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

int failuresInTest = 0;
bool skipped = false;

const char kSettingsKey[] = "Software\\kesto\\lumeq";

}  // namespace

bool RegisterE2eTest(const char* group, const char* name, void (*run)()) {
    Tests().push_back({group, name, run});
    return true;
}

void RecordFailure(const char* file, int line, const std::string& message) {
    std::printf("    %s:%d: %s\n", file, line, message.c_str());
    ++failuresInTest;
}

void RecordSkip(const std::string& reason) {
    std::printf("    skipped: %s\n", reason.c_str());
    skipped = true;
}

std::string CorpusPath(const std::string& relative) { return std::string(PRISMO_CORPUS_DIR) + "/" + relative; }

bool CorpusAvailable() {
    const DWORD attributes = GetFileAttributesA(PRISMO_CORPUS_DIR);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SamplePath(const std::string& relative) { return std::string(PRISMO_SAMPLES_DIR) + "/" + relative; }

std::string NativeReferencePath(const std::string& name) {
    return std::string(PRISMO_NATIVE_REFERENCE_DIR) + "/" + name;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "prismo-e2e-" + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

SpiPlugin::SpiPlugin(const std::string& pluginName) {
    const std::string path = std::string(PRISMO_PLUGIN_DIR) + "/" + pluginName + ".spi";
    module_ = LoadLibraryA(path.c_str());
    if (!module_) {
        RecordFailure(__FILE__, __LINE__, "cannot load " + path);
        return;
    }
    const char* missing = nullptr;
    if (!Bind([&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); }, &missing)) {
        RecordFailure(__FILE__, __LINE__, pluginName + " does not export " + missing);
    }
}

SpiPlugin::~SpiPlugin() {
    if (module_) FreeLibrary(module_);
}

int32_t SpiPlugin::IsSupportedByHead(const std::string& path) {
    std::vector<uint8_t> head = ReadFileBytes(path);
    head.resize(2048, 0);
    return IsSupported(path.c_str(), SusieWord(reinterpret_cast<uintptr_t>(head.data())));
}

namespace {

// Slots start as a marker, so a test sees whether the plug-in wrote them.
const HANDLE kUntouched = reinterpret_cast<HANDLE>(uintptr_t(0x5A5A5A5A));

ReceivedPicture Receive(int32_t result, HANDLE header, HANDLE pixels) {
    ReceivedPicture picture;
    picture.result = result;
    picture.headerSlotTouched = header != kUntouched;
    picture.pixelSlotTouched = pixels != kUntouched;
    picture.headerNull = header == nullptr;
    picture.pixelNull = pixels == nullptr;
    if (result != 0 || !header || !pixels || !picture.headerSlotTouched || !picture.pixelSlotTouched) return picture;
    picture.headerBytes = GlobalSize(header);
    picture.pixelBytes = GlobalSize(pixels);
    const auto* h = static_cast<const uint8_t*>(GlobalLock(header));
    const auto* p = static_cast<const uint8_t*>(GlobalLock(pixels));
    if (h && p) {
        picture.header.assign(h, h + picture.headerBytes);
        picture.pixels.assign(p, p + picture.pixelBytes);
        std::memcpy(&picture.width, h + 4, 4);
        std::memcpy(&picture.height, h + 8, 4);
        picture.bitCount = h[14] | h[15] << 8;
    } else {
        RecordFailure(__FILE__, __LINE__, "GlobalLock refused a picture block");
    }
    GlobalUnlock(header);
    GlobalUnlock(pixels);
    if (GlobalFree(header) != nullptr || GlobalFree(pixels) != nullptr) {
        RecordFailure(__FILE__, __LINE__, "GlobalFree did not release a picture block");
    }
    return picture;
}

}  // namespace

ReceivedPicture RequestPicture(SpiPlugin& plugin, const std::string& path, uint32_t flags) {
    HANDLE header = kUntouched, pixels = kUntouched;
    const int32_t result = plugin.GetPicture(path.c_str(), 0, flags, &header, &pixels, nullptr, 0);
    return Receive(result, header, pixels);
}

ReceivedPicture RequestPictureFromMemory(SpiPlugin& plugin, const std::vector<uint8_t>& image, uint32_t flags) {
    HANDLE header = kUntouched, pixels = kUntouched;
    const int32_t result = plugin.GetPicture(reinterpret_cast<const char*>(image.data()), int32_t(image.size()),
                                             flags, &header, &pixels, nullptr, 0);
    return Receive(result, header, pixels);
}

void CheckCorpusFiles(SpiPlugin& plugin, std::initializer_list<CorpusExpectation> files) {
    for (const CorpusExpectation& expected : files) {
        const ReceivedPicture byPath = RequestPicture(plugin, CorpusPath(expected.file));
        if (byPath.result != expected.result) {
            RecordFailure(__FILE__, __LINE__, std::string(expected.file) + " gave " + std::to_string(byPath.result));
        }
        if (!expected.sameFromMemory) continue;
        const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, ReadFileBytes(CorpusPath(expected.file)));
        if (fromMemory.result != expected.result || fromMemory.pixels != byPath.pixels) {
            RecordFailure(__FILE__, __LINE__, std::string(expected.file) + " from memory gave " +
                                                  std::to_string(fromMemory.result));
        }
    }
}

void CheckSamePictureEveryWay(SpiPlugin& plugin, const std::string& path, const ReceivedPicture& byPath) {
    const std::vector<uint8_t> image = ReadFileBytes(path);
    for (uint32_t flags : {1u, 2u, 4u}) {
        const ReceivedPicture fromMemory = RequestPictureFromMemory(plugin, image, flags);
        CHECK_EQ(fromMemory.result, 0);
        CHECK(fromMemory.pixels == byPath.pixels);
    }
    // Nothing of the first request survives into the next.
    CHECK(RequestPicture(plugin, path).pixels == byPath.pixels);
}

bool ReadReferencePicture(const std::string& path, ReceivedPicture& out) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (bytes.size() < 44) return false;
    out.result = 0;
    out.header.assign(bytes.begin(), bytes.begin() + 44);
    out.pixels.assign(bytes.begin() + 44, bytes.end());
    std::memcpy(&out.width, bytes.data() + 4, 4);
    std::memcpy(&out.height, bytes.data() + 8, 4);
    out.bitCount = bytes[14] | bytes[15] << 8;
    return out.pixels.size() == size_t(out.Stride()) * size_t(out.height);
}

void DeleteSettingsKeys() { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

void StoreStartSettings(const char* pluginName) {
    DeleteSettingsKeys();
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const std::string path = std::string(kSettingsKey) + "\\" + pluginName;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == 0) {
        RegSetValueExA(key, "Matrix", 0, REG_BINARY, reinterpret_cast<const BYTE*>(identity), sizeof identity);
        RegCloseKey(key);
    }
    const std::pair<const char*, DWORD> values[] = {{"Global", 0},     {"Width", 320},           {"Height", 240},
                                                    {"Mode", 1},       {"ColorObj", 0x00F2F2F2}, {"ColorBack", 0x00664C00}};
    for (const auto& [name, value] : values) SetSettingsDword(pluginName, name, value);
}

void SetSettingsDword(const char* subkey, const char* name, DWORD value) {
    std::string path = kSettingsKey;
    if (*subkey) path += std::string("\\") + subkey;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == 0) {
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(key);
    }
}

int main(int argc, char** argv) {
    const char* group = argc > 1 ? argv[1] : nullptr;
    int passed = 0, failed = 0, skippedCount = 0;
    for (const RegisteredTest& test : Tests()) {
        if (group && std::strcmp(group, test.group) != 0) continue;
        failuresInTest = 0;
        skipped = false;
        std::printf("[ RUN  ] %s.%s\n", test.group, test.name);
        std::fflush(stdout);
        test.run();
        const char* verdict = failuresInTest ? "FAIL" : skipped ? "SKIP" : "  OK";
        std::printf("[ %s ] %s.%s\n", verdict, test.group, test.name);
        std::fflush(stdout);
        if (failuresInTest) ++failed; else if (skipped) ++skippedCount; else ++passed;
    }
    std::printf("%d passed, %d failed, %d skipped\n", passed, failed, skippedCount);
    return failed == 0 && passed + skippedCount > 0 ? 0 : 1;
}
