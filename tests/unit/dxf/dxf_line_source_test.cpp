#include "readers/dxf/dxf_line_source.h"

#include "tests/support/test_support.h"

namespace {

std::vector<std::string> LinesOf(std::string_view text, bool textMode) {
    DxfLineSource source(AsBytes(text), textMode);
    std::vector<std::string> lines;
    std::string_view line;
    while (source.ReadDxfLine(line)) lines.emplace_back(line);
    return lines;
}

struct LineCase {
    const char* name;
    std::string text;
    std::vector<std::string> memory, file;
};

class DxfLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(DxfLines, SplitAsTheFormRequires) {
    const LineCase& c = GetParam();
    EXPECT_EQ(LinesOf(c.text, false), c.memory) << "memory image";
    EXPECT_EQ(LinesOf(c.text, true), c.file) << "file in text mode";
}

const std::string k511(511, 'a');

INSTANTIATE_TEST_SUITE_P(
    Breaks, DxfLines,
    ::testing::Values(
        LineCase{"lf_cr_crlf", "a\nb\rc\r\nd\n", {"a", "b", "c", "d"}, {"a", "b", "c", "d"}},
        LineCase{"empty_lines", "\n\r\n\r", {"", "", ""}, {"", "", ""}},
        LineCase{"last_line_without_break", "a\nb", {"a"}, {"a"}},
        // Text mode drops the CR before LF first, so CR CR LF is CR LF there.
        LineCase{"cr_cr_lf", "a\r\r\nb\n", {"a", "", "b"}, {"a", "b"}},
        LineCase{"511_characters_fit", k511 + "\nb\n", {k511, "b"}, {k511, "b"}},
        LineCase{"512th_character_dropped", k511 + "XYZ\n", {k511, "YZ"}, {k511, "YZ"}},
        LineCase{"cut_then_crlf", k511 + "X\r\nb\n", {k511, "", "b"}, {k511, "", "b"}},
        LineCase{"cut_line_ends_the_input", k511 + "X", {k511}, {k511}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfLineSource, SkipPassesOverTheRestOfACutLineOnly) {
    const std::string text = std::string(600, 'x') + "\r\nnext\nafter\n";
    DxfLineSource source(AsBytes(text), false);
    std::string_view line;
    ASSERT_TRUE(source.ReadDxfLine(line));
    EXPECT_EQ(line.size(), 511u);
    source.SkipDxfLineRest();
    ASSERT_TRUE(source.ReadDxfLine(line));
    EXPECT_EQ(line, "next");
    source.SkipDxfLineRest();  // "next" was whole: nothing to skip
    ASSERT_TRUE(source.ReadDxfLine(line));
    EXPECT_EQ(line, "after");
    EXPECT_FALSE(source.ReadDxfLine(line));
}

}  // namespace
