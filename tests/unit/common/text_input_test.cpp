// The small text helpers every text reader relies on: numbers must read
// exactly as the C library reads them.
#include "readers/common/text_input.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "tests/support/test_support.h"

namespace {

// Plain decimals take a short cut; it must agree with strtof/strtod to the bit.
TEST(TextInput, PlainDecimalsReadExactlyAsStrtod) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + int(random() % 17), fraction = int(random() % (digits + 1));
        std::string number = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            if (d == digits - fraction) number += '.';
            number += char('0' + random() % 10);
        }
        const float expectedFloat = std::strtof(number.c_str(), nullptr);
        const double expectedDouble = std::strtod(number.c_str(), nullptr);
        // Alone, ended by a line break and more text, and as a view that
        // stops before digits that follow in memory.
        const std::string line = number + "\n12345678";
        const std::string longer = number + "98765432";
        for (std::string_view text : {std::string_view(number), std::string_view(line),
                                      std::string_view(longer).substr(0, number.size())}) {
            float f = 0;
            double d = 0;
            ASSERT_EQ(ParseCFloat(text, f), number.size()) << text;
            ASSERT_EQ(ParseCDouble(text, d), number.size()) << text;
            ASSERT_EQ(std::memcmp(&f, &expectedFloat, sizeof f), 0) << text;
            ASSERT_EQ(std::memcmp(&d, &expectedDouble, sizeof d), 0) << text;
        }
    }
}

TEST(TextInput, NumberSpellingsAsScanfReadsThem) {
    struct Case {
        const char* text;
        size_t used;
        float value;
    };
    for (const Case& c : {Case{"  +1.5 rest", 6, 1.5f}, Case{"\t-2e3,", 5, -2000.0f}, Case{"0x1p4", 5, 16.0f},
                          Case{".25", 3, 0.25f}, Case{"5.", 2, 5.0f}, Case{"1.5e", 3, 1.5f}, Case{"7e-1x", 4, 0.7f},
                          Case{"1e39", 4, INFINITY}, Case{"abc", 0, 0.0f}, Case{"--1", 0, 0.0f}, Case{"", 0, 0.0f}}) {
        float value = 0;
        EXPECT_EQ(ParseCFloat(c.text, value), c.used) << c.text;
        if (c.used) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    float value = 0;
    EXPECT_EQ(ParseCFloat("nan", value), 3u);
    EXPECT_TRUE(std::isnan(value));
}

TEST(TextInput, IntegersAsStrtolReadsThem) {
    struct Case {
        const char* text;
        size_t used;
        int32_t value;
    };
    for (const Case& c : {Case{" 42/7", 3, 42}, Case{"-0012", 5, -12}, Case{"+3", 2, 3}, Case{"x1", 0, 0},
                          Case{"99999999999", 11, 2147483647}, Case{"-99999999999", 12, -2147483647 - 1}}) {
        int32_t value = 1;
        EXPECT_EQ(ParseCInt(c.text, value), c.used) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(TextInput, TextModeAndExtensions) {
    EXPECT_EQ(FoldTextMode(AsBytes("a\r\nb\r\r\nc\rd\r")), "a\nb\r\nc\rd\r");
    EXPECT_EQ(LowerExtension("C:\\Models\\Cube.MQO"), ".mqo");
    EXPECT_EQ(LowerExtension("dir.v2/model"), "");
    EXPECT_EQ(LowerExtension("model"), "");
}

}  // namespace
