#include "cli/cmd_template.h"

#include <gtest/gtest.h>
#include <CLI/CLI.hpp>

#include <string>

#include "cli/commands.h"
#include "platform/codepage.h"
#include "template/relay_template.h"

namespace quorin::cli {
namespace {

std::string SamplePath() {
    return QUORIN_SAMPLE_SEQUENCE;
}

// Runs the quorin command line; returns the exit status and what went to stdout and stderr.
int RunQuorin(std::vector<std::string> args, std::string& out, std::string& err) {
    CLI::App app;
    app.require_subcommand(1);
    RegisterCommands(app);
    args.insert(args.begin(), "quorin");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    SetExitStatus(-1);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    app.parse(static_cast<int>(argv.size()), argv.data());
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return ExitStatus();
}

TEST(DisplayWidth, WideCharactersTakeTwoColumnsAndMarksNone) {
    struct Case {
        const char* utf8;
        int width;
    } cases[] = {
        {"", 0},   {"Ia", 2},      {"相位角", 6}, {"°", 1},        {"Ω", 1}, {"Ａ", 2},
        {"，", 2}, {"e\u0301", 1}, {"\xFF", 1},   {"\xE7\xBA", 2}, {"😀", 2}, {"距离I段", 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayWidth(c.utf8), c.width) << c.utf8;
}

TEST(TemplateTables, AlignsColumnsByDisplayWidthAndConvertsToUtf8) {
    CRelayTemplate t;
    t.ReadTemplate(Utf8ToAnsi("<SettingBegin>N1=相位角;T1=Edit;L1=1;V1=75;U1=°;ID1=PHI;"
                              "N2=Ia;T2=Edit;L2=2;V2=1.25;U2=A;ID2=I1;"
                              "N3=Mode;T3=ComboBox;V3=1;Num3=2;ID3=M;<SettingEnd>"
                              "<ReportBegin>N=Trip time,ID=TT;N=结果,ID=RESULT;<ReportEnd>"),
                   0);
    EXPECT_EQ(TemplateTables(t),
              "Settings: 3 (indexed layout)\n"
              "Name    Value  Unit  ID   Kind\n"
              "相位角  75.0   °     PHI  Edit\n"
              "Ia      1.25   A     I1   Edit\n"
              "Mode    1            M    ComboBox\n"
              "\n"
              "Common parameters: 0 (record layout)\n"
              "\n"
              "Binary inputs: 0 (record layout)\n"
              "\n"
              "Report items: 2 (record layout)\n"
              "Name       ID\n"
              "Trip time  TT\n"
              "结果       RESULT\n");
}

TEST(TemplateCommand, PrintsTheSampleAndFailsClearlyOnAMissingFile) {
    std::string out, err;
    EXPECT_EQ(RunQuorin({"template", SamplePath()}, out, err), 0);
    EXPECT_EQ(err, "");
    EXPECT_NE(out.find("Settings: 24 (record layout)\n"), std::string::npos);
    EXPECT_NE(out.find("距离I段时间                 0.000  s     T1      Edit\n"),
              std::string::npos);
    EXPECT_NE(out.find("Common parameters: 7 (indexed layout)\n"), std::string::npos);
    EXPECT_NE(out.find("Report items: 3 (indexed layout)\n"), std::string::npos);

    EXPECT_EQ(RunQuorin({"template", "/nonexistent/relay.seq"}, out, err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "quorin: cannot read file '/nonexistent/relay.seq'\n");
}

TEST(ZonesCommand, PrintsTheZonesAsJson) {
    std::string out, err;
    EXPECT_EQ(RunQuorin({"zones", SamplePath()}, out, err), 0);
    EXPECT_EQ(out.rfind("{\"zones\":[{\"slot\":1,\"index\":1,\"invert\":0,\"kind\":0,", 0), 0u);
    EXPECT_NE(out.find("\"label\":\"Z5 reverse\""), std::string::npos);
    EXPECT_NE(out.find("\"box\":{\"rMin\":-20,\"rMax\":20,\"xMin\":-20,\"xMax\":20}}\n"),
              std::string::npos);
    EXPECT_EQ(RunQuorin({"zones", "/nonexistent/relay.seq"}, out, err), 1);
    EXPECT_EQ(err, "quorin: cannot read file '/nonexistent/relay.seq'\n");
}

TEST(EvalTemplateOption, EvaluatesOverTheTemplatesNames) {
    std::string out, err;
    EXPECT_EQ(RunQuorin({"eval", "--template", SamplePath(), "Z1X*2", "D", "T_1"}, out, err), 0);
    EXPECT_EQ(out,
              "8.000000\tstatus=10\tZ1X*2\n"
              "1.000000\tstatus=10\tD\n"
              "-100000.000000\tsyntax error at 1\tT_1\n");
    EXPECT_EQ(RunQuorin({"eval", "Z1X"}, out, err), 0);  // without a template: keywords only
    EXPECT_EQ(out, "-100000.000000\tsyntax error at 3\tZ1X\n");
    EXPECT_EQ(RunQuorin({"eval", "--template", "/nonexistent/x", "1"}, out, err), 1);
    EXPECT_EQ(err, "quorin: cannot read file '/nonexistent/x'\n");
}

}  // namespace
}  // namespace quorin::cli
