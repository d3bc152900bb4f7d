#include "cli/cmd_demo.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "tests/cli/run_program.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

using test::DataBytes;
using test::FileBytes;
using test::RunQuorin;
using test::ScratchFolder;
namespace fs = std::filesystem;

// One run from a folder without the sample, with a relative OUTDIR: the sample is inside the
// program. The stored sequence keeps the sample's template, report section and foreign block
// byte for byte; its own blocks carry the results the demo entered, which the report shows.
TEST(DemoCommand, PrintsWhatTheComponentGaveAndWritesEveryNamedFile) {
    ScratchFolder dir;
    EXPECT_EQ(RunQuorin({"demo", "out"}, {}, dir.path()), test::Ran(DataBytes("demo_output.ref")));
    EXPECT_EQ(FileBytes(dir / "out/sequence.seq"), DataBytes("demo_sequence.ref"));
    EXPECT_EQ(FileBytes(dir / "out/report.xml"), DataBytes("demo_report.ref"));
    for (const char* file : {"characteristic.png", "report.pdf", "report-pages/page-004.png",
                             "shots.csv", "assessed.csv", "assessment.png"})
        EXPECT_TRUE(fs::is_regular_file(dir / ("out/" + std::string(file)))) << file;
    EXPECT_EQ(QImage(QString::fromStdString(dir / "out/characteristic.png")).size(),
              QSize(900, 700));
    EXPECT_NE(FileBytes(dir / "out/characteristic.svg").find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace quorin::cli
