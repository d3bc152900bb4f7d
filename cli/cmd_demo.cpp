#include "cli/cmd_demo.h"

#include <CLI/CLI.hpp>

#include <QSize>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/assessment_demo.h"
#include "cli/bundled_sample.h"
#include "cli/cmd_report.h"
#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "expression/expression.h"
#include "frontend/component_host.h"
#include "frontend/gui_app.h"
#include "frontend/sequence_report.h"
#include "frontend/zone_plot.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/file_utils.h"
#include "template/key_value_list.h"
#include "template/relay_template.h"
#include "template/sequence_text.h"

namespace quorin::cli {
namespace {

// What GetEvaluatedParameters prints for a text that does not evaluate.
const std::string kNoValue = FormatFixed(kCalcFailure, 3);
constexpr int kPlotWidth = 900, kPlotHeight = 700;

int Fail(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "quorin demo: %s\n", message.c_str());
    return 1;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

std::string Heading(const std::string& title) {
    return "\n== " + title + "\n";
}

std::string Utf8(const std::string& ansi) {
    return AnsiToUtf8(ansi);
}

std::string PathIn(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

CKeyValueList BlockKeys(std::string_view inner) {
    std::string block(inner);
    block.erase(std::remove_if(block.begin(), block.end(),
                               [](char c) { return c == '\r' || c == '\n' || c == '\t'; }),
                block.end());
    return CKeyValueList(block, ';');
}

// "key=value;" pairs one to a line.
std::string PairLines(const std::string& ansi) {
    std::string out;
    size_t begin = 0;
    while (begin < ansi.size()) {
        size_t end = ansi.find(';', begin);
        if (end == std::string::npos) end = ansi.size();
        out += "  " + Utf8(ansi.substr(begin, end - begin)) + "\n";
        begin = end + 1;
    }
    return out.empty() ? "  (none)\n" : out;
}

std::string ZonesSummary(CRelayTemplate& t) {
    const CZoneTable& zones = t.Zones();
    int shapes = 0, circles = 0, lenses = 0, mirrored = 0;
    for (int slot = 1; slot <= zones.Count(); ++slot) {
        const CZone& zone = zones.Zone(slot);
        (zone.kind == kZoneCircle ? circles : zone.kind == kZoneLens ? lenses : shapes) += 1;
        if (zone.invert) ++mirrored;
    }
    std::string out = CFormat(
        "%d zones: %d drawn from lines and arcs, %d circle%s, %d lens%s; %d mirrored (reverse)\n",
        zones.Count(), shapes, circles, circles == 1 ? "" : "s", lenses, lenses == 1 ? "" : "es",
        mirrored);
    const CZoneBox& box = zones.Box();
    out += "Box of all zones: R " + FormatFixed(box.rMin, 3) + " to " + FormatFixed(box.rMax, 3) +
           " Ω, X " + FormatFixed(box.xMin, 3) + " to " + FormatFixed(box.xMax, 3) + " Ω\n";
    std::vector<std::vector<std::string>> rows{{"Zone", "Index", "Loop", "Shape", "Direction",
                                                "Line", "R as drawn (Ω)", "X as drawn (Ω)"}};
    for (const auto& row : ZoneRows(t)) {
        std::vector<std::string> utf8;
        for (const std::string& cell : row)
            utf8.push_back(Utf8(cell));
        rows.push_back(std::move(utf8));
    }
    return out + FormatColumns(rows);
}

// Whether text parses as a formula over the template's names. The component gives 0 for a text
// that fails at its first character, so its value alone cannot tell "0" from prose.
bool IsFormula(CRelayTemplate& t, std::string_view text) {
    CExpression expression;
    CalcOutcome outcome;
    CalcExpressionText(expression, &t.NameTable(), text, &outcome);
    return outcome.parse && !IsBlank(text);
}

// An own item as the demo read it through the interfaces.
struct OwnItem {
    int index = 0;
    std::string text;  // GetItemText
    std::vector<ItemParameter> parameters;
    std::vector<std::string> evaluated;  // GetEvaluatedParameters
    std::vector<bool> formula;           // per parameter: its requirement is a formula
    const std::string& EvaluatedRequire(int k) const {
        static const std::string none;
        const size_t at = static_cast<size_t>(4 * (k - 1) + 3);
        return at < evaluated.size() ? evaluated[at] : none;
    }
};

std::string ItemsSection(const ComponentHost& host, const SequenceText& sequence,
                         const std::vector<OwnItem>& own) {
    std::string out;
    const int count = host.ItemCount();
    for (int i = 0; i < count; ++i) {
        const auto it = std::find_if(own.begin(), own.end(),
                                     [i](const OwnItem& item) { return item.index == i; });
        if (it == own.end()) {
            CKeyValueList keys = BlockKeys(sequence.Inner(i));
            out += CFormat("Item %d: %s - a block of %s, passed through unchanged\n", i,
                           Utf8(keys.Lookup("TESTNAME")).c_str(),
                           Utf8(keys.Lookup("TestComName2")).c_str());
            continue;
        }
        out += CFormat("Item %d: %s - own item, %d parameters\n", i,
                       Utf8(host.Edit()->GetItemTitle(i)).c_str(),
                       static_cast<int>(it->parameters.size()));
        std::vector<std::vector<std::string>> rows{
            {"  k", "Name", "Requirement", "Evaluated", "Result"}};
        for (size_t n = 0; n < it->parameters.size(); ++n) {
            const ItemParameter& p = it->parameters[n];
            const std::string& value = it->EvaluatedRequire(p.number);
            rows.push_back({"  " + FormatInt(p.number), Utf8(p.name), Utf8(p.require),
                            !it->formula[n]     ? value + " (not a formula)"
                            : value == kNoValue ? value + " (no value)"
                                                : value,
                            IsBlank(p.value) ? "" : Utf8(p.value)});
        }
        out += FormatColumns(rows);
    }
    return out;
}

// A tester's results without a window: each empty result whose requirement is a formula takes its
// value, the value the relay is expected to show.
std::string EnterResults(ComponentHost& host, const std::vector<OwnItem>& own) {
    std::string out;
    for (const OwnItem& item : own) {
        std::string text = item.text;
        for (size_t n = 0; n < item.parameters.size(); ++n) {
            const ItemParameter& p = item.parameters[n];
            const std::string& value = item.EvaluatedRequire(p.number);
            if (!IsBlank(p.value) || !item.formula[n] || value.empty() || value == kNoValue)
                continue;
            text = ReplaceItemKey(text, "VALUE" + FormatInt(p.number), value);
            out += CFormat("  item %d VALUE%d = %s  (REQUIRE%d %s)\n", item.index, p.number,
                           value.c_str(), p.number, Utf8(p.require).c_str());
        }
        if (text != item.text) host.SetItemText(item.index, text);
    }
    return out.empty() ? "  no result entered: no empty result has a formula as its requirement\n"
                       : out;
}

}  // namespace

int RunDemo(const std::string& outDir) {
    if (outDir.empty()) return Fail("give a folder for the outputs");
    const std::string sample(BundledSampleSequence());
    std::string error;
    ComponentHost host;
    if (!host.Create(&error)) return Fail(error);
    host.Load(sample);
    CRelayTemplate* t = host.Template();
    if (!t) return Fail("the component gave no template");

    const SequenceText sequence(sample);
    std::vector<OwnItem> own;
    const int count = host.ItemCount();
    for (int i = 0; i < count; ++i) {
        if (!host.IsOwnItem(i)) continue;
        OwnItem item;
        item.index = i;
        item.text = host.ItemText(i);
        item.parameters = ItemParameters(item.text);
        item.evaluated = host.EvaluatedParameters(i);
        for (const ItemParameter& p : item.parameters)
            item.formula.push_back(IsFormula(*t, p.require));
        own.push_back(std::move(item));
    }

    Print(
        CFormat("Quorin demo: the bundled sample sequence (samples/distance_relay.seq, %d bytes, "
                "GBK)\nCreated Quorin.QuorinCom through the class factory of libquorin.so and "
                "loaded the sample: %d test items, %d of them the component's own.\n",
                static_cast<int>(sample.size()), count, static_cast<int>(own.size())));
    Print(Heading("Template: " + Utf8(t->ProtectiveRelayName())) + TemplateTables(*t));
    Print(Heading("Characteristic zones") + ZonesSummary(*t));
    Print(Heading("Test items with their evaluated requirements (GetEvaluatedParameters)") +
          ItemsSection(host, sequence, own));
    Print(Heading("Result data (GetResultData)") + PairLines(host.ResultData()));
    std::string fields = host.Edit()->GetReportFieldList();
    fields.erase(std::remove(fields.begin(), fields.end(), '\r'), fields.end());
    Print(Heading("Report field list (GetReportFieldList)") + Utf8(fields));

    Print(Heading("Results entered through SetItemText (no relay is connected: each empty result "
                  "whose requirement is a formula takes the formula's value)") +
          EnterResults(host, own));
    std::string stored;
    if (!sequence.SpliceBlocks(host.Edit()->GetTestItemsText(), &stored, &error))
        return Fail(error);
    host.Load(stored);
    Print("Stored the sequence (GetTestItemsText) and loaded it again; result data now:\n" +
          PairLines(host.ResultData()));

    DemoAssessment assessment = AssessDemoShots(*t, std::string());
    Print(Heading("Test points against the characteristic (quorin shots, quorin assess)") +
          assessment.text);

    Print(Heading("Files"));
    if (!CreateFolderPath(outDir)) return Fail("cannot create folder " + outDir);
    const std::string sequencePath = PathIn(outDir, "sequence.seq");
    if (!WriteFileAtomic(sequencePath, stored)) return Fail("cannot write " + sequencePath);
    Print(CFormat("wrote %s (%d bytes, GBK)\n", sequencePath.c_str(),
                  static_cast<int>(stored.size())));

    EnsureGuiApplication();
    const CharacteristicPlot plot =
        ZonesToCharacteristicPlot(t->Zones(), t->ProtectiveRelayName(), t);
    for (const char* name : {"characteristic.png", "characteristic.svg"}) {
        const std::string path = PathIn(outDir, name);
        if (!RenderCharacteristicPlot(plot, path, QSize(kPlotWidth, kPlotHeight), &error))
            return Fail(error);
        Print(CFormat("wrote %s (%d x %d)\n", path.c_str(), kPlotWidth, kPlotHeight));
    }
    std::string log;
    if (!WriteDemoAssessment(assessment, outDir, log, error)) return Fail(error);
    Print(log);

    CReportSetting setting;
    setting.Load(DefaultReportSettingPath());
    SequenceReport report = ComposeSequenceReport(host, setting, 0);
    InsertAssessmentItem(assessment, t->ProtectiveRelayName(), report.items);
    log.clear();
    const bool ok = WriteReportFiles(report.items, setting, report.extraHeaderTables,
                                     {PathIn(outDir, "report.pdf"), PathIn(outDir, "report-pages"),
                                      PathIn(outDir, "report.xml")},
                                     false, &log, &error);
    Print(log);
    return ok ? 0 : Fail(error);
}

void AddDemoCommand(CLI::App& app) {
    auto outDir = std::make_shared<std::string>("demo-out");
    CLI::App* cmd = AddCommand(
        app, "demo",
        "Drive the component on the bundled sample sequence and write its stored sequence, "
        "characteristic plot and report into OUTDIR",
        [outDir] { return RunDemo(*outDir); });
    cmd->add_option("OUTDIR", *outDir, "Folder for the outputs (default demo-out)");
}

}  // namespace quorin::cli
