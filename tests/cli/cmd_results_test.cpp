#include "cli/cmd_results.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "template/sequence_text.h"
#include "tests/cli/run_program.h"

namespace quorin::cli {
namespace {

using test::FileBytes;
using test::kSample;
using test::Ran;
using test::RunQuorin;
using test::ScratchFolder;

std::string Block(std::string_view inner) {
    return std::string(SequenceText::kItemBegin).append(inner).append(SequenceText::kItemEnd);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A sequence as a host keeps it: the sample's GBK template and report section, its own items as
// the component writes them (so that only entered results may change them), comments and CR LF
// between the blocks, a foreign block with foreignInner and an unfinished block at the end. Two
// results of item 0 are entered in place; every other byte must stay, and the listing shows them.
void ExpectOnlyTheEnteredResultsChange(const std::string& foreignInner) {
    ScratchFolder dir;
    // Keys missing in the sample are written empty and read back as a blank: two rounds.
    ASSERT_EQ(RunQuorin({"results", kSample, "-o", dir / "canon.seq"}).status, 0);
    ASSERT_EQ(RunQuorin({"results", dir / "canon.seq", "--in-place"}).status, 0);
    const SequenceText canon(FileBytes(dir / "canon.seq"));
    ASSERT_EQ(canon.BlockCount(), 3);
    const std::string file = std::string(canon.TemplateText()) + std::string(canon.Block(0)) +
                             "\r\n; reach checks\r\n" + Block(foreignInner) + "\r\n\r\n" +
                             std::string(canon.Block(2)) + "\r\n; end\r\n" +
                             std::string(SequenceText::kItemBegin) + "unfinished";
    const std::string path = dir / "in.seq";
    ASSERT_TRUE(WriteFileAtomic(path, file));

    const std::string expected = Replaced(Replaced(file, "\tVALUE1= ;", "\tVALUE1=4.01;"),
                                          "\tVALUE2= ;", "\tVALUE2=\xBA\xCF\xB8\xF1;");
    EXPECT_EQ(RunQuorin({"results", path, "--set", "0.1=4.01", "--set", "0.2=合格", "--in-place"}),
              Ran("wrote " + path + " (" + std::to_string(expected.size()) + " bytes)\n"));
    EXPECT_EQ(FileBytes(path), expected);
    EXPECT_EQ(RunQuorin({"results", "-"}, expected), Ran(test::DataBytes("results_output.ref")));
}

// The foreign block in GBK with TAB and LF, and with bytes no code page maps.
TEST(ResultsCommand, EnteringResultsChangesNoOtherByte) {
    for (const char* foreign :
         {"TestComName2=Vendor.Harmonic;\r\n\tTESTNAME=\xD0\xB3\xB2\xA8;\r\n\tNOTE=a\tb;\n",
          "TestComName2=Vendor.Raw;DATA=\xFF\xA1\x40\xFE\xFE;\x81"}) {
        SCOPED_TRACE(foreign);
        ExpectOnlyTheEnteredResultsChange(foreign);
    }
}

}  // namespace
}  // namespace quorin::cli
