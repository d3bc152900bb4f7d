#include "cli/commands.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "tests/cli/run_program.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

using test::ProgramRun;
using test::Ran;
using test::RunQuorin;
using test::ScratchFolder;

using test::kSample;

TEST(Commands, TemplateZonesPlotAndEvalPrintWhatTheSampleHolds) {
    EXPECT_EQ(RunQuorin({"template", kSample}), Ran(test::DataBytes("template_output.ref")));
    EXPECT_EQ(RunQuorin({"zones", "-"}, test::FileBytes(kSample)),
              Ran(test::DataBytes("zones_output.ref")));
    ScratchFolder dir;
    EXPECT_EQ(
        RunQuorin({"plot", kSample, "-o", dir / "p.png", "--width", "640", "--height", "480"}),
        Ran(""));
    EXPECT_EQ(QImage(QString::fromStdString(dir / "p.png")).size(), QSize(640, 480));
    EXPECT_EQ(RunQuorin({"eval", "--template", kSample, "Z1X*2", "D", "T_1"}),
              Ran("8.000000\tstatus=10\tZ1X*2\n"
                  "1.000000\tstatus=10\tD\n"
                  "-100000.000000\tsyntax error at 1\tT_1\n"));
    // Without a template: keywords only.
    EXPECT_EQ(RunQuorin({"eval", "Z1X"}), Ran("-100000.000000\tsyntax error at 3\tZ1X\n"));
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
        // The demo prints as it goes.
        EXPECT_EQ(run, (ProgramRun{1, args[0] == "demo" ? run.out : "", expand(c.at(1))}));
    }
    for (const char* file : {"r.xml", "p.bmp", "a.csv", "r.seq"})
        EXPECT_FALSE(std::filesystem::exists(dir / file)) << file;
    // Usage errors of the option parser exit with 1 too.
    EXPECT_EQ(RunQuorin({"report", kSample, "--chapter", "x", "--xml", dir / "r.xml"}).status, 1);
    EXPECT_EQ(RunQuorin({"plot", kSample}).status, 1);
}

}  // namespace
}  // namespace quorin::cli
