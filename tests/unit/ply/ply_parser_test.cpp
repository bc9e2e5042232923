#include "readers/ply/ply_parser.h"

#include <algorithm>
#include <cmath>

#include "tests/support/test_support.h"
#include "tests/unit/ply/ply_test_support.h"

namespace {

struct Received {
    std::string element, property;
    int32_t instance, listLength, valueIndex;
    double value;
    bool operator==(const Received&) const = default;
};

struct ParseOutcome {
    bool opened = false, header = false, body = false;
    std::vector<std::string> messages;
    std::vector<Received> values;
    std::vector<int32_t> counts;  // what each registration returned

    bool Reported(const std::string& message) const {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }
    std::vector<double> ValuesOf(const std::string& property) const {
        std::vector<double> out;
        for (const Received& r : values) {
            if (r.property == property && r.valueIndex >= 0) out.push_back(r.value);
        }
        return out;
    }
};

std::vector<std::string> reported;
void Record(const char* message) { reported.emplace_back(message); }

// Integer datum 1 stops the read at its first value.
int32_t Collect(PlyArgument* argument) {
    void* sink = nullptr;
    int32_t stop = 0;
    GetPlyArgumentUserData(argument, &sink, &stop);
    const PlyProperty* property = nullptr;
    int32_t listLength = 0, valueIndex = 0;
    GetPlyArgumentProperty(argument, &property, &listLength, &valueIndex);
    static_cast<std::vector<Received>*>(sink)->push_back({argument->element->name, property->name,
                                                         argument->instanceIndex, listLength, valueIndex,
                                                         GetPlyArgumentValue(argument)});
    return stop ? 0 : 1;
}

struct Registration {
    std::string element, property;
    int32_t stop = 0;
};

// Opens the bytes as a file or a memory image and reads them whole, with
// a callback on the given properties (every declared one when none given).
ParseOutcome Parse(const std::string& bytes, bool fromFile, std::vector<Registration> registrations = {}) {
    reported.clear();
    ParseOutcome outcome;
    static int serial = 0;
    const std::string path = fromFile ? WriteTempFile("parse" + std::to_string(serial++) + ".ply", AsBytes(bytes)) : "";
    std::vector<uint8_t> image(bytes.begin(), bytes.end());
    PlyParser* parser = OpenPly(fromFile ? PlySource::File(path.c_str()) : PlySource::Memory(image.data(), image.size()), Record);
    outcome.opened = parser != nullptr;
    if (parser && (outcome.header = ReadPlyHeader(parser) != 0)) {
        if (registrations.empty()) {
            for (const PlyElement& element : GetPlyElements(parser)) {
                for (const PlyProperty& property : element.properties) registrations.push_back({element.name, property.name});
            }
        }
        for (const Registration& r : registrations) {
            outcome.counts.push_back(SetPlyReadCallback(parser, r.element.c_str(), r.property.c_str(), Collect,
                                                        &outcome.values, r.stop));
        }
        outcome.body = ReadPlyBody(parser) != 0;
    }
    ClosePly(parser);
    outcome.messages = reported;
    return outcome;
}

struct FailureCase {
    const char* name;
    std::string bytes;
    bool opens, headerParses;
    std::string message;
};

class PlyParserFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PlyParserFailures, FailWithTheirMessage) {
    const FailureCase& c = GetParam();
    for (bool fromFile : {false, true}) {
        const ParseOutcome outcome = Parse(c.bytes, fromFile);
        EXPECT_EQ(outcome.opened, c.opens) << (fromFile ? "file" : "memory");
        EXPECT_EQ(outcome.header, c.headerParses);
        EXPECT_FALSE(outcome.body);
        EXPECT_TRUE(outcome.Reported(c.message)) << "reported: " << ::testing::PrintToString(outcome.messages);
    }
}

const std::string kAsciiByte = PlyHeader("ascii", "element a 1\nproperty uchar v\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, PlyParserFailures,
    ::testing::Values(
        FailureCase{"magic_with_crlf", "ply\r\nformat ascii 1.0\nend_header\n", false, false,
                    "Not a PLY file. Expected magic number 'ply\\n'"},
        FailureCase{"shorter_than_the_magic", "ply", false, false, "Error reading from file"},
        FailureCase{"version_1_1", "ply\nformat binary_little_endian 1.1\nend_header\n", true, false, "Invalid file format"},
        FailureCase{"unknown_storage", "ply\nformat binary 1.0\nend_header\n", true, false, "Invalid file format"},
        FailureCase{"no_format_line", "ply\nelement a 1\nend_header\n", true, false, "Invalid file format"},
        FailureCase{"count_not_a_number", "ply\nformat ascii 1.0\nelement vertex abc\nend_header\n", true, false,
                    "Expected number got 'abc'"},
        FailureCase{"unknown_type", "ply\nformat ascii 1.0\nelement a 1\nproperty quad v\nend_header\n", true, false,
                    "Invalid file format"},
        FailureCase{"ends_right_after_end_header", "ply\nformat ascii 1.0\nend_header", true, false,
                    "Unexpected end of file"},
        FailureCase{"ends_inside_the_header", "ply\nformat ascii 1.0\nelement a 1\n", true, false, "Unexpected end of file"},
        FailureCase{"word_of_256", "ply\nformat ascii 1.0\nelement " + std::string(256, 'n') + " 1\nend_header\n", true,
                    false, "Word too long"},
        FailureCase{"word_beyond_the_text_buffer", "ply\nformat ascii 1.0\nelement " + std::string(9000, 'n') + " 1\nend_header\n",
                    true, false, "Token too large"},
        FailureCase{"header_line_of_1024", "ply\nformat ascii 1.0\ncomment " + std::string(1100, 'c') + "\nend_header\n", true,
                    false, "Line too long"},
        FailureCase{"unknown_line_of_1024", "ply\nformat ascii 1.0\nfoo " + std::string(1100, 'c') + "\nend_header\n", true,
                    false, "Line too long"},
        FailureCase{"uchar_300", kAsciiByte + "300\n", true, true, "Error reading 'v' of 'a' number 0"},
        FailureCase{"int_1_5", PlyHeader("ascii", "element a 2\nproperty int v\n") + "1\n1.5\n", true, true,
                    "Error reading 'v' of 'a' number 1"},
        FailureCase{"ascii_word_too_long", kAsciiByte + std::string(300, '1') + "\n", true, true, "Word too long"},
        FailureCase{"ascii_last_value_without_separator", kAsciiByte + "7", true, true, "Unexpected end of file"},
        FailureCase{"binary_body_cut_short", PlyHeader("binary_little_endian", "element a 1\nproperty int v\n") + "abc",
                    true, true, "Error reading 'v' of 'a' number 0"},
        FailureCase{"list_entry_missing", PlyHeader("ascii", "element f 1\nproperty list uchar int l\n") + "3 1 2 ",
                    true, true, "Error reading value number 3 of 'l' of 'f' number 0"},
        FailureCase{"list_length_unreadable", PlyHeader("ascii", "element f 1\nproperty list uchar int l\n") + "x 1\n",
                    true, true, "Error reading 'l' of 'f' number 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlyParser, MissingFileIsReported) {
    reported.clear();
    EXPECT_EQ(OpenPly(PlySource::File((TempFolder() + "/no-such.ply").c_str()), Record), nullptr);
    EXPECT_EQ(reported, std::vector<std::string>{"Unable to open file"});
}

TEST(PlyParser, HeaderLinesOfEveryKind) {
    const std::string text =
        "ply\nformat ascii 1.0   \ncomment made by hand\nobj_info scanner 7\nproperty int stray\nelement a 1\nproperty int v\n"
        "comment between properties\nproperty float w\nfoo bar\ncomment\nelement b 2\nproperty uchar u\n"
        "obj_info\nelement empty 1000000\nend_header\n"
        "-5 2.5\n7 8\n";
    for (bool fromFile : {false, true}) {
        const ParseOutcome outcome = Parse(text, fromFile);
        ASSERT_TRUE(outcome.body) << ::testing::PrintToString(outcome.messages);
        // "foo bar" and a property before any element are passed over; a bare
        // "comment" does not swallow the element line below it.
        EXPECT_EQ(outcome.counts, (std::vector<int32_t>{1, 1, 2}));
        EXPECT_EQ(outcome.ValuesOf("v"), std::vector<double>{-5});
        EXPECT_EQ(outcome.ValuesOf("w"), std::vector<double>{2.5});
        EXPECT_EQ(outcome.ValuesOf("u"), (std::vector<double>{7, 8}));
    }
    std::vector<uint8_t> image(text.begin(), text.end());
    PlyParser* parser = OpenPly(PlySource::Memory(image.data(), image.size()));
    ASSERT_TRUE(ReadPlyHeader(parser));
    EXPECT_EQ(GetPlyComments(parser), (std::vector<std::string>{"made by hand", "between properties", ""}));
    EXPECT_EQ(GetPlyObjInfos(parser), (std::vector<std::string>{"scanner 7", ""}));
    ClosePly(parser);
}

TEST(PlyParser, WordAndLineLimits) {
    const auto header = [](const std::string& name, const std::string& comment) {
        return "ply\nformat ascii 1.0\ncomment " + comment + "\nelement " + name + " 1\nproperty int v\nend_header\n5\n";
    };
    const ParseOutcome longest = Parse(header(std::string(255, 'n'), std::string(1000, 'c')), false);
    EXPECT_TRUE(longest.body) << ::testing::PrintToString(longest.messages);
    EXPECT_EQ(longest.ValuesOf("v"), std::vector<double>{5});
}

TEST(PlyParser, ListsAreAnnouncedThenDelivered) {
    const std::string declarations = "element face 2\nproperty list uchar int vertex_indices\nproperty short s\n";
    const std::string binary = PlyBytes()
                                   .Text(PlyHeader("binary_little_endian", declarations))
                                   .Value<uint8_t>(3).Value<int32_t>(7).Value<int32_t>(-1).Value<int32_t>(70000)
                                   .Value<int16_t>(-2)
                                   .Value<uint8_t>(0).Value<int16_t>(9)
                                   .Bytes();
    const std::string ascii = PlyHeader("ascii", declarations) + "3 7 -1 70000 -2\n0 9\n";
    const std::vector<Received> expected = {
        {"face", "vertex_indices", 0, 3, -1, 3}, {"face", "vertex_indices", 0, 3, 0, 7},
        {"face", "vertex_indices", 0, 3, 1, -1}, {"face", "vertex_indices", 0, 3, 2, 70000},
        {"face", "s", 0, 1, 0, -2},              {"face", "vertex_indices", 1, 0, -1, 0},
        {"face", "s", 1, 1, 0, 9}};
    for (const std::string& bytes : {binary, ascii}) {
        for (bool fromFile : {false, true}) {
            const ParseOutcome outcome = Parse(bytes, fromFile);
            ASSERT_TRUE(outcome.body) << ::testing::PrintToString(outcome.messages);
            EXPECT_EQ(outcome.values, expected);
        }
    }
}

// Every type, in both byte orders, reads as the same value.
TEST(PlyParser, BinaryByteOrdersAgree) {
    const std::string declarations =
        "element t 1\nproperty char a\nproperty uchar b\nproperty short c\nproperty ushort d\nproperty int e\n"
        "property uint f\nproperty float g\nproperty double h\nproperty list ushort float64 l\n";
    const auto build = [&](bool bigEndian) {
        return PlyBytes(bigEndian)
            .Text(PlyHeader(bigEndian ? "binary_big_endian" : "binary_little_endian", declarations))
            .Value<int8_t>(-100).Value<uint8_t>(200).Value<int16_t>(-30000).Value<uint16_t>(60000)
            .Value<int32_t>(-2000000000).Value<uint32_t>(4000000000u).Value<float>(1.5f).Value<double>(-0.1)
            .Value<uint16_t>(2).Value<double>(1e300).Value<double>(-2.25)
            .Bytes();
    };
    const std::vector<double> expected = {-100, 200, -30000, 60000, -2000000000, 4000000000.0, 1.5, -0.1, 1e300, -2.25};
    for (bool bigEndian : {false, true}) {
        const ParseOutcome outcome = Parse(build(bigEndian), false);
        ASSERT_TRUE(outcome.body) << ::testing::PrintToString(outcome.messages);
        std::vector<double> values;
        for (const Received& r : outcome.values) {
            if (r.valueIndex >= 0) values.push_back(r.value);
        }
        EXPECT_EQ(values, expected) << (bigEndian ? "big" : "little");
    }
}

struct AsciiCase {
    const char* type;
    const char* word;
    bool accepted;
    double value;
};

TEST(PlyParser, AsciiValuesWithinTheirTypeRange) {
    const AsciiCase cases[] = {
        {"char", "-128", true, -128},   {"char", "-129", false, 0},  {"int8", "127", true, 127},
        {"uchar", "255", true, 255},    {"uchar", "300", false, 0},  {"uint8", "-1", false, 0},
        {"short", "-32768", true, -32768}, {"ushort", "65536", false, 0}, {"uint16", "+65535", true, 65535},
        {"int", "-2147483648", true, -2147483648.0}, {"int", "2147483648", false, 0}, {"int", "1.5", false, 0},
        {"int", "0x10", false, 0},      {"int", "12a", false, 0},    {"int32", "99999999999999999999999", false, 0},
        {"uint", "4294967295", true, 4294967295.0}, {"uint", "4294967296", false, 0}, {"uint32", "-5", false, 0},
        {"float", "1.5e3", true, 1500}, {"float", "4e38", false, 0}, {"float", "1,5", false, 0},
        {"float32", "0x1p3", true, 8},  {"double", "4e38", true, 4e38}, {"float64", "1e999", false, 0},
        {"double", "-inf", false, 0},   {"float", "-.5", true, -0.5},
    };
    for (const AsciiCase& c : cases) {
        const std::string bytes = PlyHeader("ascii", std::string("element a 1\nproperty ") + c.type + " v\n") + c.word + "\n";
        const ParseOutcome outcome = Parse(bytes, false);
        EXPECT_EQ(outcome.body, c.accepted) << c.type << " " << c.word;
        if (c.accepted && outcome.body) {
            EXPECT_EQ(outcome.ValuesOf("v"), std::vector<double>{c.value}) << c.type << " " << c.word;
        }
    }
    const ParseOutcome nan = Parse(PlyHeader("ascii", "element a 1\nproperty float v\n") + "nan\n", false);
    ASSERT_TRUE(nan.body);
    EXPECT_TRUE(std::isnan(nan.ValuesOf("v").at(0)));
}

TEST(PlyParser, UnregisteredValuesAreStillConsumed) {
    const std::string bytes = PlyBytes()
                                  .Text(PlyHeader("binary_little_endian",
                                                  "element skipped 2\nproperty list uchar double l\nproperty int i\n"
                                                  "element kept 1\nproperty float k\n"))
                                  .Value<uint8_t>(2).Value<double>(1).Value<double>(2).Value<int32_t>(3)
                                  .Value<uint8_t>(0).Value<int32_t>(4)
                                  .Value<float>(6.5f)
                                  .Bytes();
    const ParseOutcome outcome = Parse(bytes, true, {{"kept", "k"}, {"nothing", "k"}, {"kept", "missing"}});
    ASSERT_TRUE(outcome.body);
    EXPECT_EQ(outcome.counts, (std::vector<int32_t>{1, 0, 0}));
    EXPECT_EQ(outcome.values, (std::vector<Received>{{"kept", "k", 0, 1, 0, 6.5}}));
}

TEST(PlyParser, CallbackStopsTheRead) {
    const ParseOutcome outcome = Parse(kAsciiByte + "4\n", false, {{"a", "v", 1}});
    EXPECT_FALSE(outcome.body);
    EXPECT_EQ(outcome.values.size(), 1u);
    EXPECT_TRUE(outcome.Reported("Aborted by user"));
}

// A binary body follows "end_header" and its line end: one separator, or
// CR LF as a whole.
TEST(PlyParser, BinaryBodyStartsAfterTheLineEnd) {
    const auto body = [](const std::string& end) {
        return PlyBytes().Text("ply\nformat binary_little_endian 1.0\nelement a 1\nproperty uchar v\nend_header" + end)
            .Value<uint8_t>(9).Bytes();
    };
    EXPECT_EQ(Parse(body("\n"), false).ValuesOf("v"), std::vector<double>{9});
    EXPECT_EQ(Parse(body("\r\n"), false).ValuesOf("v"), std::vector<double>{9});
    EXPECT_EQ(Parse(body(" "), false).ValuesOf("v"), std::vector<double>{9});
    EXPECT_EQ(Parse(body("\r"), false).ValuesOf("v"), std::vector<double>{9}) << "a lone CR is a line end too";
}

// Headers and bodies far larger than the read-ahead buffer, with binary
// values straddling every block boundary.
TEST(PlyParser, InputsLargerThanTheBuffer) {
    std::string comments;
    for (int i = 0; i < 3000; ++i) comments += "comment " + std::string(100 + i % 7, 'c') + "\n";
    PlyBytes binary(true);
    binary.Text(PlyHeader("binary_big_endian", comments + "element p 30000\nproperty uchar a\nproperty double b\n"));
    std::string ascii = PlyHeader("ascii", comments + "element p 30000\nproperty uchar a\nproperty double b\n");
    for (int i = 0; i < 30000; ++i) {
        binary.Value<uint8_t>(uint8_t(i)).Value<double>(i * 0.5);
        ascii += std::to_string(i % 256) + "  \t" + std::to_string(i * 0.5) + "\r\n";
    }
    for (const std::string& bytes : {binary.Bytes(), ascii}) {
        for (bool fromFile : {false, true}) {
            const ParseOutcome outcome = Parse(bytes, fromFile);
            ASSERT_TRUE(outcome.body) << ::testing::PrintToString(outcome.messages);
            const std::vector<double> a = outcome.ValuesOf("a"), b = outcome.ValuesOf("b");
            ASSERT_EQ(b.size(), 30000u);
            EXPECT_EQ(a[12345], 12345 % 256);
            EXPECT_EQ(b[29999], 29999 * 0.5);
        }
    }
}

// A count the body cannot back ends in an error, not in a long loop or a
// large allocation; an element without properties costs nothing.
TEST(PlyParser, LyingCountsEndWithTheInput) {
    const ParseOutcome outcome = Parse(PlyHeader("ascii",
                                                 "element nothing 2147483647\nelement f 2147483647\n"
                                                 "property list int int l\n") + "2147483647 1 2\n", false);
    EXPECT_FALSE(outcome.body);
    EXPECT_TRUE(outcome.Reported("Error reading value number 3 of 'l' of 'f' number 0"));
}

}  // namespace
