#include "cli/cmd_assess.h"

#include <CLI/CLI.hpp>

#include <QSize>
#include <cstdio>

#include "cli/cmd_report.h"
#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "frontend/gui_app.h"
#include "frontend/zone_plot.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/render/assessment_report.h"
#include "report/render/points_csv.h"
#include "report/render/result_assessment.h"
#include "template/relay_template.h"

namespace quorin::cli {
namespace {

constexpr int kPlotWidth = 900, kPlotHeight = 700;

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin assess: %s\n", message.c_str());
    return 1;
}

}  // namespace

int RunAssess(const AssessOptions& o) {
    std::string error;
    ShotSetup setup;
    if (!LoadShotSetup(o, setup, error)) return Fail(error);
    std::string bytes;
    if (!ReadInputFile(o.pointsPath, bytes, error)) return Fail(error);
    PointsTable table;
    if (!ReadPointsCsv(bytes, o.pointsPath == "-" ? "<stdin>" : o.pointsPath, table, error))
        return Fail(error);
    const std::vector<AssessedPoint> points = AssessShots(*setup.model, table.shots);
    const std::string csv = WriteAssessedCsv(table, points);

    const bool report = !o.pdfPath.empty() || !o.xmlPath.empty();
    if (o.outputPath.empty() && !report && o.pngPath.empty()) {
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return 0;
    }

    CRelayTemplate& t = *setup.relayTemplate;
    std::vector<std::pair<std::string, FileWriter>> files;
    if (!o.outputPath.empty())
        files.emplace_back(o.outputPath, [&csv](const std::string& path, std::string&) {
            return WriteFileAtomic(path, csv);
        });
    CharacteristicPlot characteristic;
    if (report || !o.pngPath.empty()) {
        EnsureGuiApplication();
        characteristic = ZonesToCharacteristicPlot(t.Zones(), t.ProtectiveRelayName(), &t);
    }
    CReportSetting setting;
    std::vector<CReportItem> items;
    if (report) {
        setting.Load(DefaultReportSettingPath());
        if (setting.Header(HeaderValue::kDeviceName).empty())
            setting.SetHeader(HeaderValue::kDeviceName, t.ProtectiveRelayName());
        items.resize(1);
        items[0].title = setting.Header(HeaderValue::kReportTitle);
        items.push_back(AssessmentReportItem(
            "1.  Test points against the characteristic - " + t.ProtectiveRelayName(), *setup.model,
            points, characteristic));
        items.emplace_back().title = "End of report";
    }
    for (const std::string* path : {&o.pdfPath, &o.xmlPath}) {
        if (path->empty()) continue;
        const bool pdf = path == &o.pdfPath;
        files.emplace_back(*path, [&, pdf](const std::string& temporary, std::string& e) {
            const ReportFiles target{pdf ? temporary : "", "", pdf ? "" : temporary};
            return WriteReportFiles(items, setting, {}, target, false, nullptr, &e);
        });
    }
    if (!o.pngPath.empty())
        files.emplace_back(o.pngPath, [&](const std::string& temporary, std::string& e) {
            return RenderCharacteristicPlot(AssessmentPlot(characteristic, points), temporary,
                                            QSize(kPlotWidth, kPlotHeight), &e);
        });
    if (!WriteAllOrNothing(files, error)) return Fail(error);

    const ResultAssessment summary = AssessResult(ResultString(points));
    std::printf("%d points: %d pass, %d fail, %d not assessed\n", static_cast<int>(points.size()),
                summary.passed, summary.failed, summary.notAssessed);
    for (const auto& [path, write] : files)
        std::printf("wrote %s\n", path.c_str());
    return 0;
}

void AddAssessCommand(CLI::App& app) {
    auto [cmd, o] = AddCommand(
        app, "assess", RunAssess,
        "Judge measured trip times of test points against the characteristic and the zone times");
    AddShotOptions(*cmd, *o, true);
    cmd->add_option("POINTS", o->pointsPath,
                    "Points file: loop,r_ohm,x_ohm,measured_time_s (- for standard input)")
        ->required()
        ->type_name("POINTS.csv");
    cmd->add_option("-o,--output", o->outputPath, "Write the assessed points here")
        ->type_name("OUT.csv");
    cmd->add_option("--pdf", o->pdfPath, "Write the assessment report as PDF")->type_name("FILE");
    cmd->add_option("--xml", o->xmlPath, "Write the assessment report as XML")->type_name("FILE");
    cmd->add_option("--png", o->pngPath, "Draw the points on the characteristic as PNG")
        ->type_name("FILE");
}

}  // namespace quorin::cli
