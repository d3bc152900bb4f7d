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

using test::kSample;

TEST(Commands, TemplateZonesPlotAndEvalPrintWhatTheSampleHolds) {
    auto run = RunQuorin({"template", kSample});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, test::DataBytes("template_output.ref"));
    run = RunQuorin({"zones", "-"}, test::FileBytes(kSample));
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
    const auto expand = [&](std::string text) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"$DIR", dir.path()},
                                       {"$SAMPLE", kSample},
                                       {"$POINTS", test::DataPath("assess_points.csv")}})
            for (size_t at; (at = text.find(from)) != std::string::npos;)
                text.replace(at, from.size(), to);
        return text;
    };
    for (const auto& c : test::DataCases("bad_invocations.txt")) {
        SCOPED_TRACE(c.at(0));
        std::vector<std::string> args;
        for (size_t at = 0, end; at < c[0].size(); at = end + 1)
            args.push_back(
                expand(c[0].substr(at, (end = std::min(c[0].find(' ', at), c[0].size())) - at)));
        const auto run = RunQuorin(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, expand(c.at(1)));
        if (args[0] != "demo") {  // the demo prints as it goes
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "r.xml"));
    EXPECT_FALSE(std::filesystem::exists(dir / "p.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.csv"));
    EXPECT_FALSE(std::filesystem::exists(dir / "r.seq"));
    // Usage errors of the option parser exit with 1 too.
    EXPECT_EQ(RunQuorin({"report", kSample, "--chapter", "x", "--xml", dir / "r.xml"}).status, 1);
    EXPECT_EQ(RunQuorin({"plot", kSample}).status, 1);
}

}  // namespace
}  // namespace quorin::cli
