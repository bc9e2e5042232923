// The settings store over the native registry (a .reg file of our own).
#include "core/settings/settings_store.h"

#include <fstream>

#include "core/settings/native_registry_path.h"
#include "core/settings/reg_file.h"
#include "core/settings/registry.h"
#include "tests/support/test_support.h"

namespace {

const std::string kOwnKey = std::string(kFamilyKey) + "\\prismoseq";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { std::remove(NativeRegistryPath().c_str()); }

    static void Put(const std::string& key, const char* name, uint32_t type, std::vector<uint8_t> data) {
        RegistryKey handle;
        ASSERT_TRUE(CreateRegistryKeyForWrite({}, key.c_str(), handle));
        SetRegistryValue(handle, name, type, data.data(), uint32_t(data.size()));
        CloseRegistryKey(handle);
    }
    static void PutDword(const std::string& key, const char* name, uint32_t value) {
        Put(key, name, kRegDword, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
    }
    // The value's data, or nothing when it is missing.
    static std::vector<uint8_t> Get(const std::string& key, const char* name) {
        RegistryKey handle;
        if (!OpenRegistryKeyForRead({}, key.c_str(), handle)) return {};
        std::vector<uint8_t> data(4096);
        uint32_t size = uint32_t(data.size());
        const bool found = QueryRegistryValue(handle, name, data.data(), size);
        CloseRegistryKey(handle);
        data.resize(found ? size : 0);
        return data;
    }
    static uint32_t GetDword(const std::string& key, const char* name) {
        const std::vector<uint8_t> data = Get(key, name);
        return data.size() == 4 ? LoadLe32(data.data()) : 0xDEADBEEF;
    }
    static RenderSettings Loaded(RenderSettings settings, const char* name = "prismoseq") {
        ReadSharedFlag(settings, name);
        LoadSettings(settings, name);
        return settings;
    }
};

TEST_F(SettingsStore, NothingStoredKeepsTheStartValues) {
    const RenderSettings loaded = Loaded({});
    EXPECT_EQ(loaded.width, 320);
    EXPECT_EQ(loaded.height, 240);
    EXPECT_EQ(loaded.mode, kSolid);
    EXPECT_EQ(loaded.objectColor, 0x00F2F2F2u);
    EXPECT_EQ(loaded.backgroundColor, 0x00664C00u);
    EXPECT_EQ(loaded.shared, 0);

    PutDword(kFamilyKey, "Width", 999);  // a family key without this subkey
    EXPECT_EQ(Loaded({}).width, 320);
    RenderSettings sharing;
    sharing.shared = 1;  // as an earlier dialog may have left it
    LoadSettings(sharing, "prismoseq");
    EXPECT_EQ(sharing.width, 999);
}

TEST_F(SettingsStore, SharingSwitchesBetweenTheKeys) {
    RenderSettings own;
    own.width = 111;
    own.mode = kHiddenLine;
    own.objectColor = 0x000000FF;
    SaveSettings(own, "prismoseq");
    EXPECT_EQ(GetDword(kOwnKey, "Global"), 0u);
    EXPECT_EQ(GetDword(kOwnKey, "Width"), 111u);
    EXPECT_TRUE(Get(kFamilyKey, "Width").empty()) << "the family key is untouched";

    RenderSettings shared = own;
    shared.shared = 1;
    shared.width = 222;
    shared.viewMatrix[12] = 0.5;
    SaveSettings(shared, "prismoseq");
    EXPECT_EQ(GetDword(kOwnKey, "Global"), 1u);
    EXPECT_EQ(GetDword(kFamilyKey, "Width"), 222u);
    EXPECT_EQ(Get(kFamilyKey, "Matrix").size(), 128u);
    EXPECT_EQ(GetDword(kOwnKey, "Width"), 111u) << "the subkey keeps its own six values";

    const RenderSettings sharedLoad = Loaded({});
    EXPECT_EQ(sharedLoad.shared, 1);
    EXPECT_EQ(sharedLoad.width, 222);
    EXPECT_EQ(sharedLoad.viewMatrix[12], 0.5);
    EXPECT_EQ(sharedLoad.objectColor, 0x000000FFu);

    PutDword(kOwnKey, "Global", 0);
    const RenderSettings ownAgain = Loaded({});
    EXPECT_EQ(ownAgain.width, 111);
    EXPECT_EQ(ownAgain.mode, kHiddenLine);
    EXPECT_EQ(ownAgain.viewMatrix[12], 0.0);
}

TEST_F(SettingsStore, ValuesOfOtherTypesAndSizes) {
    PutDword(kOwnKey, "Global", 0);
    Put(kOwnKey, "Width", kRegBinary, {0x40, 0x01, 0, 0});  // 320 + 0 as REG_BINARY: taken
    Put(kOwnKey, "Height", kRegDword, {0x10, 0x00});        // 2 bytes: too short, refused
    std::vector<uint8_t> matrix(160, 0);
    for (int i = 0; i < 8; ++i) matrix[8 * 5 + i] = i == 7 ? 0x40 : 0;  // element 5 = 2.0
    Put(kOwnKey, "Matrix", kRegBinary, matrix);
    Put(kOwnKey, "ColorObj", kRegBinary, std::vector<uint8_t>(200, 0x11));  // over 192 bytes: ignored
    RenderSettings start;
    start.height = 77;
    const RenderSettings loaded = Loaded(start);
    EXPECT_EQ(loaded.width, 320);
    EXPECT_EQ(loaded.height, 77);
    EXPECT_EQ(loaded.viewMatrix[5], 2.0);
    EXPECT_EQ(loaded.viewMatrix[0], 0.0);
    EXPECT_EQ(loaded.objectColor, 0x00F2F2F2u);

    Put(kOwnKey, "Matrix", kRegBinary, std::vector<uint8_t>(200, 0));
    EXPECT_EQ(Loaded({}).viewMatrix[0], 1.0) << "a 200-byte matrix is ignored";
    Put(kOwnKey, "Matrix", kRegBinary, std::vector<uint8_t>(120, 0));
    EXPECT_EQ(Loaded({}).viewMatrix[0], 1.0) << "a matrix under 128 bytes is refused";
    Put(kOwnKey, "Global", kRegBinary, std::vector<uint8_t>(9, 1));
    EXPECT_EQ(Loaded({}).shared, 0) << "a Global over 8 bytes is not read";
}

TEST_F(SettingsStore, EmptyNameAddressesTheFamilyKey) {
    RenderSettings settings;
    settings.width = 640;
    SaveSettings(settings, "");
    EXPECT_EQ(GetDword(kFamilyKey, "Global"), 0u);
    EXPECT_EQ(GetDword(kFamilyKey, "Width"), 640u);
    EXPECT_EQ(Loaded({}, "").width, 640);
}

TEST_F(SettingsStore, StoreFileIsRegeditTextWrittenWhole) {
    RenderSettings settings;
    settings.width = 0x280;
    SaveSettings(settings, "prismoseq");
    std::ifstream file(NativeRegistryPath(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\kesto\\lumeq\\prismoseq]"), std::string::npos);
    EXPECT_NE(text.find("\"Width\"=dword:00000280"), std::string::npos);
    EXPECT_NE(text.find("\"Matrix\"=hex:00,00,00,00,00,00,f0,3f,"), std::string::npos);
    const RegFileDocument parsed = ParseRegFile(text);
    EXPECT_EQ(FormatRegFile(parsed), text) << "the text reads back to itself";
}

// A cut or damaged file is read as far as it is valid.
TEST_F(SettingsStore, DamagedStoreFiles) {
    const std::string good =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\kesto\\lumeq\\prismoseq]\r\n"
        "\"Width\"=dword:00000064\r\n\"Matrix\"=hex:00,00,00,00,00,00,f0,3f,00,00,00,00,00,00,\\\r\n  00,00\r\n"
        "\"Height\"=dword:00000032\r\n";
    struct Case {
        std::string text;
        int32_t width, height;
    };
    const Case cases[] = {
        {good.substr(0, good.find("\"Height\"")) + "\"Height\"=dword:0000", 100, 240},  // cut in a value
        {good.substr(0, good.find("00,00\r\n")), 100, 240},                          // cut in a continuation
        {good + "\"Mode\"=dword:zz\r\n\"ColorObj\"=dword:00000001\r\n", 100, 50},    // stops at the bad line
        {good + "[HKEY_CURRENT_USER\\unterminated\r\n", 100, 50},
        {std::string("\0\xff\xfe garbage", 12), 320, 240},
        {"", 320, 240},
        {good, 100, 50},
    };
    for (const Case& c : cases) {
        std::ofstream(NativeRegistryPath(), std::ios::binary) << c.text;
        const RenderSettings loaded = Loaded({});
        EXPECT_EQ(loaded.width, c.width) << c.text;
        EXPECT_EQ(loaded.height, c.height) << c.text;
        EXPECT_EQ(loaded.mode, kSolid);
        EXPECT_EQ(loaded.objectColor, 0x00F2F2F2u);
    }
}

}  // namespace
