// quorin report: XML reports from the command line.
//   quorin report --import FILE.xml --xml OUT.xml   re-export an imported report
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "report/report_xml.h"

namespace quorin::cli {
namespace {

struct ReportOptions {
    std::string importPath;  // an XML report to read instead of composing one
    std::string xmlPath;     // where to write the XML report
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin report: %s\n", message.c_str());
    return 1;
}

int RunReport(const ReportOptions& o) {
    if (o.importPath.empty())
        return Fail(
            "give --import FILE.xml; composing a report from a test sequence is not "
            "available in this build.");
    if (o.xmlPath.empty()) return Fail("give --xml OUT.xml to say where the report goes.");
    std::vector<CReportItem> items;
    std::string error;
    if (!ImportXml(o.importPath, items, &error)) return Fail(error);
    if (!ExportXml(items, o.xmlPath, &error)) return Fail(error);
    return 0;
}

}  // namespace

void AddReportCommand(CLI::App& app) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* cmd = app.add_subcommand("report", "Write a test report as XML");
    cmd->add_option("--import", options->importPath, "Read this XML report")->type_name("FILE.xml");
    cmd->add_option("--xml", options->xmlPath, "Write the report to this XML file")
        ->type_name("OUT.xml");
    cmd->callback([options] { SetExitStatus(RunReport(*options)); });
}

}  // namespace quorin::cli
