// Recognition, the form dispatch, and inputs cut short at any byte.
#include "readers/lwo/lwo_reader.h"
#include "tests/support/test_support.h"
#include "tests/unit/lwo/lwo_builder.h"

namespace {

struct HeadCase {
    const char* name;
    std::string head;
    bool recognized;
};

class LwoRecognition : public ::testing::TestWithParam<HeadCase> {};

TEST_P(LwoRecognition, ByHeadAndByFile) {
    const HeadCase& c = GetParam();
    std::vector<uint8_t> hostBuffer(16, 0);
    std::copy_n(c.head.begin(), std::min<size_t>(c.head.size(), 16), hostBuffer.begin());
    EXPECT_EQ(RecognizeLwo({hostBuffer, false}), c.recognized) << "memory head";
    const std::string fileHead = c.head.substr(0, 16);
    EXPECT_EQ(RecognizeLwo({AsBytes(fileHead), true}), c.recognized) << "file head";
}

INSTANTIATE_TEST_SUITE_P(
    Heads, LwoRecognition,
    ::testing::Values(HeadCase{"lwob", "FORM" + Be32(100) + "LWOBPNTS", true},
                      HeadCase{"lwo2", "FORM" + Be32(100) + "LWO2TAGS", true},
                      HeadCase{"form_size_holds_a_line_feed", "FORM" + std::string(4, '\n') + "LWOB", true},
                      HeadCase{"header_alone", "FORM" + Be32(4) + "LWO2", true},
                      HeadCase{"other_iff_form", "FORM" + Be32(100) + "ILBMBMHD", false},
                      HeadCase{"lower_case_magic", "form" + Be32(100) + "LWOB", false},
                      HeadCase{"lwo3", "FORM" + Be32(100) + "LWO3", false},
                      HeadCase{"too_short", "FORM" + Be32(100) + "LWO", false},
                      HeadCase{"empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LwoDispatch, OnlyByteElevenIsLookedAt) {
    const std::string chunks = Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 0, 1, 0})) + Chunk("POLS", Words({3, 0, 1, 2, 1}));
    EXPECT_EQ(ReadAsMemory(ReadLwoModel, AsBytes("XXXX" + Be32(0) + "XXXB" + chunks)).model.faces.size(), 1u);
    for (const std::string& file : {"FORM" + Be32(0) + "LWOX" + chunks, std::string("FORM\0\0\0\0LWO", 11)}) {
        for (const ReadOutcome& outcome : {ReadAsFile(ReadLwoModel, AsBytes(file)), ReadAsMemory(ReadLwoModel, AsBytes(file))}) {
            EXPECT_EQ(outcome.result, 0);
            EXPECT_TRUE(outcome.model.vertices.empty());
            EXPECT_TRUE(outcome.model.faces.empty());
        }
    }
}

// Every prefix of a file reads without touching bytes beyond it, and both
// forms agree wherever no unknown chunk is cut (these files have none
// before their last known chunk).
TEST(LwoTruncation, EveryPrefixReadsAlikeInBothForms) {
    const std::string lwob = Form("LWOB", Chunk("SRFS", PaddedName("Red")) + Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})) +
                                              Chunk("POLS", Words({3, 0, 1, 2, 1, 3, 0, 2, 3, 1})) +
                                              LwobSurface("Red", LwobColor(255, 0, 0)));
    const std::string lwo2 =
        Form("LWO2", Chunk("TAGS", PaddedName("Red")) + Chunk("PNTS", Points({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})) +
                         Chunk("POLS", "FACE" + Words({3, 0, 1, 2, 3, 0xFF00, 0, 2, 3})) + SurfaceTags({0, 0, 1, 0}) +
                         Lwo2Surface("Red", "", Lwo2Color(1, 0, 0)));
    for (const std::string& file : {lwob, lwo2}) {
        size_t previousFaces = 0;
        for (size_t length = 0; length <= file.size(); ++length) {
            // Both helpers read from exact-size copies, so that the sanitizer
            // build sees any overread.
            const ByteSpan prefix = AsBytes(file).first(length);
            const ReadOutcome memory = ReadAsMemory(ReadLwoModel, prefix);
            const ReadOutcome byPath = ReadAsFile(ReadLwoModel, prefix);
            EXPECT_EQ(memory.result, 0) << length;
            EXPECT_TRUE(SameModel(memory.model, byPath.model)) << length;
            EXPECT_GE(memory.model.faces.size(), previousFaces) << "a longer prefix never loses faces, " << length;
            previousFaces = memory.model.faces.size();
        }
        const ReadOutcome whole = ReadAsMemory(ReadLwoModel, AsBytes(file));
        ASSERT_EQ(whole.model.faces.size(), 2u);
        EXPECT_EQ(whole.model.faces[1].materialIndex, 1);
        EXPECT_EQ(whole.model.Color(whole.model.faces[1]), (RgbColor{1, 0, 0}));
    }
}

}  // namespace
