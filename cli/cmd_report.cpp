#include "cli/cmd_report.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "cli/progress_bar.h"
#include "frontend/component_host.h"
#include "frontend/gui_app.h"
#include "frontend/sequence_report.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/render/report.h"
#include "report/render/report_output.h"
#include "report/report_xml.h"

namespace quorin::cli {
namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin report: %s\n", message.c_str());
    return 1;
}

// A settings file given by name must exist: a typo would otherwise give the defaults silently.
bool LoadSettings(const std::string& path, CReportSetting& setting, std::string& error) {
    if (path.empty()) {
        setting.Load(DefaultReportSettingPath());
        return true;
    }
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        error = "cannot read file '" + path + "'";
        return false;
    }
    setting.Load(path);
    return true;
}

}  // namespace

bool WriteReportFiles(const std::vector<CReportItem>& items, const CReportSetting& setting,
                      const std::vector<CReportTable>& extraHeaderTables, const ReportFiles& files,
                      bool progress, std::string* log, std::string* error) {
    const bool bar = WantProgressBar(progress, static_cast<int>(items.size()), stderr);
    if (!files.pdfPath.empty() || !files.pngDir.empty()) {
        EnsureGuiApplication();
        CReport report(setting);
        report.SetItems(items);
        report.SetExtraHeaderTables(extraHeaderTables);
        if (!files.pdfPath.empty()) {
            ProgressLine line(stderr, bar);
            if (!RenderReportPdf(report, files.pdfPath, error,
                                 [&line](int done, int total) { line.Update(done, total); }))
                return false;
            if (log)
                *log += "wrote " + files.pdfPath + " (" + FormatInt(report.PageCount()) +
                        (report.PageCount() == 1 ? " page)\n" : " pages)\n");
        }
        if (!files.pngDir.empty()) {
            ProgressLine line(stderr, bar);
            std::vector<std::string> written;
            const bool ok =
                RenderReportPngs(report, files.pngDir, &written, error,
                                 [&line](int done, int total) { line.Update(done, total); });
            if (log)
                for (const std::string& path : written)
                    *log += "wrote " + path + "\n";
            if (!ok) return false;
        }
        for (const std::string& omission : report.Omissions())
            std::fprintf(stderr, "quorin report: warning: %s\n", AnsiToUtf8(omission).c_str());
    }
    if (!files.xmlPath.empty()) {
        std::vector<CReportItem> copy = items;
        if (!ExportXml(copy, files.xmlPath, error)) return false;
        if (log)
            *log += "wrote " + files.xmlPath + " (" +
                    FormatInt(static_cast<long long>(copy.size())) +
                    (copy.size() == 1 ? " item)\n" : " items)\n");
    }
    return true;
}

int RunReport(const ReportOptions& o) {
    if (o.sequencePath.empty() && o.importPath.empty())
        return Fail("give a SEQUENCE file or --import FILE.xml");
    if (!o.sequencePath.empty() && !o.importPath.empty())
        return Fail("give either a SEQUENCE file or --import FILE.xml, not both");
    if (o.pdfPath.empty() && o.pngDir.empty() && o.xmlPath.empty())
        return Fail("give at least one output: --pdf FILE, --png-dir DIR or --xml FILE");

    std::string error;
    CReportSetting setting;
    if (!LoadSettings(o.settingsPath, setting, error)) return Fail(error);

    std::vector<CReportItem> items;
    std::vector<CReportTable> extraHeaderTables;
    if (!o.importPath.empty()) {
        if (!ImportXml(o.importPath, items, &error)) return Fail(error);
    } else {
        std::string sequence;
        if (!ReadInputFile(o.sequencePath, sequence, error)) return Fail(error);
        ComponentHost host;
        if (!host.Create(&error)) return Fail(error);
        host.Load(sequence);
        SequenceReport report = ComposeSequenceReport(host, setting, o.chapter);
        items = std::move(report.items);
        extraHeaderTables = std::move(report.extraHeaderTables);
    }

    std::string log;
    const bool ok = WriteReportFiles(items, setting, extraHeaderTables,
                                     {o.pdfPath, o.pngDir, o.xmlPath}, o.progress, &log, &error);
    std::fwrite(log.data(), 1, log.size(), stdout);
    return ok ? 0 : Fail(error);
}

void AddReportCommand(CLI::App& app) {
    auto [cmd, o] = AddCommand(
        app, "report", RunReport,
        "Compose a test sequence's report (or take an XML report) and write it as PDF, PNG pages "
        "and XML");
    cmd->add_option("SEQUENCE", o->sequencePath, "Test sequence file, - for standard input");
    cmd->add_option("--import", o->importPath, "Take this XML report instead of a sequence")
        ->type_name("FILE.xml");
    cmd->add_option("--pdf", o->pdfPath, "Write the report as an A4 PDF")->type_name("FILE");
    cmd->add_option("--png-dir", o->pngDir, "Write the pages as page-001.png, ... into DIR")
        ->type_name("DIR");
    cmd->add_option("--xml", o->xmlPath, "Write the report as XML")->type_name("FILE");
    cmd->add_option("--settings", o->settingsPath,
                    "Report settings (default: cfg/Report.ini beside libquorin.so)")
        ->type_name("INI");
    cmd->add_option("--chapter", o->chapter, "Chapter number of the first test (0: \"1.\")")
        ->check(CLI::Range(0, 9999));
    cmd->add_flag("--progress", o->progress,
                  "Show a progress bar on stderr (shown on a terminal for more than 20 items)");
}

}  // namespace quorin::cli
