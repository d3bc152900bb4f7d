#include "cli/commands.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "tests/cli/run_program.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

using test::RunQuorin;
using test::ScratchFolder;

const std::string kSample = std::string(QUORIN_SOURCE_DIR) + "/samples/distance_relay.seq";

TEST(Commands, TemplateZonesPlotAndEvalPrintWhatTheSampleHolds) {
    auto run = RunQuorin({"template", kSample});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, test::DataBytes("template_output.ref"));
    run = RunQuorin({"zones", "-"}, test::ReadBytes(kSample));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, test::DataBytes("zones_output.ref"));

    ScratchFolder dir;
    run = RunQuorin({"plot", kSample, "-o", dir / "p.png", "--width", "640", "--height", "480"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(QImage(QString::fromStdString(dir / "p.png")).size(), QSize(640, 480));

    run = RunQuorin({"eval", "--template", kSample, "Z1X*2", "D", "T_1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "8.000000\tstatus=10\tZ1X*2\n"
              "1.000000\tstatus=10\tD\n"
              "-100000.000000\tsyntax error at 1\tT_1\n");
    run = RunQuorin({"eval", "Z1X"});  // without a template: keywords only
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "-100000.000000\tsyntax error at 3\tZ1X\n");
}

TEST(Commands, BadInvocationsExitOneWithAClearMessage) {
    ScratchFolder dir;
    std::ofstream(dir / "file") << "x";
    const std::string none = dir / "none.seq";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"template", none}, "quorin: cannot read file '" + none + "'\n"},
        {{"zones", none}, "quorin: cannot read file '" + none + "'\n"},
        {{"eval", "--template", none, "1"}, "quorin: cannot read file '" + none + "'\n"},
        {{"plot", none, "-o", dir / "p.png"}, "quorin plot: cannot read file '" + none + "'\n"},
        {{"plot", kSample, "-o", dir / "p.bmp"},
         "quorin plot: unknown plot file type \".bmp\": use .png, .svg or .pdf\n"},
        {{"plot", kSample, "-o", dir / "file/p.png"},
         "quorin plot: cannot write " + (dir / "file/p.png") + "\n"},
        {{"demo", dir / "file/out"},
         "quorin demo: cannot create folder " + (dir / "file/out") + "\n"},
        {{"report", "--xml", dir / "r.xml"},
         "quorin report: give a SEQUENCE file or --import FILE.xml\n"},
        {{"report", kSample, "--import", dir / "x.xml", "--xml", dir / "r.xml"},
         "quorin report: give either a SEQUENCE file or --import FILE.xml, not both\n"},
        {{"report", kSample},
         "quorin report: give at least one output: --pdf FILE, --png-dir DIR or --xml FILE\n"},
        {{"report", none, "--xml", dir / "r.xml"},
         "quorin report: cannot read file '" + none + "'\n"},
        {{"report", kSample, "--settings", dir / "none.ini", "--xml", dir / "r.xml"},
         "quorin report: cannot read file '" + (dir / "none.ini") + "'\n"},
        {{"report", kSample, "--pdf", dir / "file/r.pdf"},
         "quorin report: cannot write " + (dir / "file/r.pdf") + "\n"},
        {{"report", kSample, "--png-dir", dir / "file/pages"},
         "quorin report: cannot create folder " + (dir / "file/pages") + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        const auto run = RunQuorin(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.err);
        if (c.args[0] != "demo") {  // the demo prints as it goes
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "r.xml"));
    EXPECT_FALSE(std::filesystem::exists(dir / "p.bmp"));
    // Usage errors of the option parser exit with 1 too.
    EXPECT_EQ(RunQuorin({"report", kSample, "--chapter", "x", "--xml", dir / "r.xml"}).status, 1);
    EXPECT_EQ(RunQuorin({"plot", kSample}).status, 1);
}

}  // namespace
}  // namespace quorin::cli
