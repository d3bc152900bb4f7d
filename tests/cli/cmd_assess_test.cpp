#include "cli/cmd_assess.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "tests/cli/run_program.h"
#include "tests/common/locale_guard.h"

namespace quorin::cli {
namespace {

using test::kSample;
using test::RunQuorin;

// Under a decimal-comma locale the files keep "." decimals. The points of the data file are
// hand-worked against the sample's zones: inside Z1 within and beyond the time tolerance, Z2 P-P
// with and without a trip, the origin (on the boundary of Z1 to Z3), the band of Z1 P-E beside
// Z2, the reverse zone without a time, no zone, and a quoted zone text that stays as it was.
TEST(AssessCommand, AssessesShotsAndWritesEveryOutput) {
    test::GermanLocale german;
    ASSERT_TRUE(german.ok());
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    auto run = RunQuorin({"assess", kSample, test::DataPath("assess_points.csv"), "--time", "1=T1",
                          "--time", "2=T2", "--time", "3=T3"});
    EXPECT_EQ(run, test::Ran(test::DataBytes("assess_points.ref")));

    run = RunQuorin({"shots", kSample, "--zones", "1", "--loop", "LN", "--angles", "0,90", "--time",
                     "1=T1", "--tolerance", "5%,0.05"});
    unsetenv("LC_ALL");
    EXPECT_EQ(run.out,
              "loop,r_ohm,x_ohm,measured_time_s,zone,angle_deg,expected_zone,expected_time_s\n"
              "LN,0.100000,0.000000,,Z1 P-E,0.000000,Z1 P-E,0.000000\n"
              "LN,5.400000,0.000000,,Z1 P-E,0.000000,Z1 P-E,0.000000\n"
              "LN,6.600000,0.000000,,Z1 P-E,0.000000,Z2 P-E,\n"
              "LN,0.000000,0.100000,,Z1 P-E,90.000000,Z1 P-E,0.000000\n"
              "LN,0.000000,3.600000,,Z1 P-E,90.000000,Z1 P-E,0.000000\n"
              "LN,0.000000,4.400000,,Z1 P-E,90.000000,Z2 P-E,\n");

    test::ScratchFolder dir;
    run = RunQuorin({"shots", kSample, "-o", dir / "shots.csv"});
    EXPECT_EQ(run.out, "wrote " + (dir / "shots.csv") + " (260 points)\n");
    run = RunQuorin({"assess", kSample, dir / "shots.csv", "-o", dir / "a.csv", "--xml",
                     dir / "r.xml", "--png", dir / "p.png"});
    // The summary counts the verdicts of the file written.
    const std::string assessed = test::FileBytes(dir / "a.csv");
    auto count = [&assessed](const std::string& verdict) {
        int n = 0;
        for (size_t at = 0; (at = assessed.find("," + verdict + "\n", at)) != std::string::npos;
             ++at)
            ++n;
        return std::to_string(n);
    };
    EXPECT_EQ(run.out, "260 points: " + count("pass") + " pass, " + count("fail") + " fail, " +
                           count("not-assessed") + " not assessed\nwrote " + (dir / "a.csv") +
                           "\nwrote " + (dir / "r.xml") + "\nwrote " + (dir / "p.png") + "\n");
    EXPECT_NE(test::FileBytes(dir / "r.xml").find("<Title>1.$$Test$points"), std::string::npos);
    EXPECT_EQ(QImage(QString::fromStdString(dir / "p.png")).size(), QSize(900, 700));
}

}  // namespace
}  // namespace quorin::cli
