#include "frontend/sequence_report.h"

#include "frontend/component_host.h"
#include "frontend/zone_plot.h"
#include "graphs/characteristic_plot.h"
#include "platform/codepage.h"
#include "platform/numtext.h"
#include "report/equipment.h"
#include "template/relay_template.h"

namespace quorin {
namespace {

struct Column {
    const char* heading;
    int width;
};

// A table whose first row holds the headings (UTF-8), as the report draws item tables.
CReportTable HeadedTable(const std::string& title, TableKind kind,
                         const std::vector<Column>& columns,
                         const std::vector<std::vector<std::string>>& rows) {
    const int rowCount = static_cast<int>(rows.size()) + 1;
    CReportTable table(rowCount, static_cast<int>(columns.size()));
    table.title = title;
    table.kind = kind;
    for (size_t c = 0; c < columns.size(); ++c) {
        CReportColumn column(rowCount, static_cast<int>(c), columns[c].width);
        column.AddRawCell(Utf8ToAnsi(columns[c].heading));
        for (const auto& row : rows)
            column.AddRawCell(c < row.size() ? row[c] : std::string());
        table.AddColumn(std::move(column));
    }
    return table;
}

std::string Range(double from, double to) {
    return FormatFixed(from, 3) + " to " + FormatFixed(to, 3);
}

std::string ShapeText(const CZone& zone) {
    if (zone.kind == kZoneCircle) return "circle";
    if (zone.kind == kZoneLens) return "lens";
    int lines = 0, arcs = 0;
    for (int s = 0; s < zone.shapeCount; ++s) {
        const int type = zone.shapes[static_cast<size_t>(s)].type;
        (type == kShapeArc || type == kShapeArcP ? arcs : lines) += 1;
    }
    auto count = [](int n, const char* one, const char* many) {
        return FormatInt(n) + " " + (n == 1 ? one : many);
    };
    if (arcs == 0) return count(lines, "line", "lines");
    if (lines == 0) return count(arcs, "arc", "arcs");
    return count(arcs, "arc", "arcs") + ", " + count(lines, "line", "lines");
}

// The report's graphs carry no labels: the zone table names each zone's line instead.
std::string LineText(const CharacteristicZone& zone) {
    static const struct {
        int color;
        const char* name;
    } kNames[] = {{0x1E1EDC, "red"},    {0x288C14, "green"},   {0xDC501E, "blue"},
                  {0x0078E6, "orange"}, {0xAA288C, "purple"},  {0x969600, "teal"},
                  {0x285A8C, "brown"},  {0x8C28D2, "magenta"}, {0x00826E, "olive"},
                  {0x5A5A5A, "grey"}};
    const int color = ZoneColor(zone);
    std::string name;
    for (const auto& known : kNames)
        if (known.color == color) name = known.name;
    if (name.empty())  // 0x00BBGGRR as #RRGGBB
        name = CFormat("#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return name + (zone.penStyle == 0 ? ", solid" : ", dashed");
}

std::vector<std::string> ParameterLines(const CRelayTemplate& t, ParamKind kind) {
    std::vector<std::string> lines;
    for (int i = 0; i < t.Count(kind); ++i)
        lines.push_back(t.Name(kind, i) + ": " + ParameterDisplayValue(t, kind, i));
    return lines;
}

}  // namespace

std::string ParameterDisplayValue(const CRelayTemplate& t, ParamKind kind, int record) {
    const std::string& type = t.Type(kind, record);
    std::string choice;
    if (type == "ComboBox") {
        choice = t.Choice(kind, record, static_cast<int>(t.Value(kind, record)));
    } else if (type == "CheckBox") {
        choice = t.Choice(kind, record, t.Value(kind, record) > 0.0f ? 0 : 1);
    } else {
        const std::string& unit = t.Unit(kind, record);
        return unit.empty() ? t.ValueText(kind, record) : t.ValueText(kind, record) + " " + unit;
    }
    return choice.empty() ? t.ValueText(kind, record) : choice;
}

std::vector<std::vector<std::string>> ZoneRows(CRelayTemplate& relayTemplate) {
    const CZoneTable& zones = relayTemplate.Zones();
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(zones, std::string(), &relayTemplate);
    std::vector<std::vector<std::string>> rows;
    for (int slot = 1; slot <= zones.Count(); ++slot) {
        const CZone& zone = zones.Zone(slot);
        const RxExtents e = ZoneExtents(plot.zones[static_cast<size_t>(slot - 1)]);
        rows.push_back({zone.label, FormatInt(zone.index), zone.faultLoop, ShapeText(zone),
                        zone.invert ? "Reverse" : "Forward",
                        LineText(plot.zones[static_cast<size_t>(slot - 1)]),
                        e.empty ? "-" : Range(e.rMin, e.rMax),
                        e.empty ? "-" : Range(e.xMin, e.xMax)});
    }
    return rows;
}

CReportItem TemplateReportItem(CRelayTemplate& relayTemplate, const std::string& title) {
    CRelayTemplate& t = relayTemplate;
    CReportItem item;
    item.title = title;
    item.testParaLines = ParameterLines(t, ParamKind::kCommonParameter);
    item.setLines = ParameterLines(t, ParamKind::kSetting);

    if (t.Zones().Count() > 0) {
        item.tables.push_back(HeadedTable("Characteristic Zones", TableKind::kCharacteristic,
                                          {{"Zone", 100},
                                           {"Index", 50},
                                           {"Loop", 50},
                                           {"Shape", 110},
                                           {"Direction", 80},
                                           {"Line", 120},
                                           {"R as drawn (Ω)", 165},
                                           {"X as drawn (Ω)", 165}},
                                          ZoneRows(t)));
    }
    if (t.Count(ParamKind::kBinaryInput) > 0) {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < t.Count(ParamKind::kBinaryInput); ++i)
            rows.push_back({t.Name(ParamKind::kBinaryInput, i), t.Id(ParamKind::kBinaryInput, i),
                            ParameterDisplayValue(t, ParamKind::kBinaryInput, i)});
        item.tables.push_back(HeadedTable("Binary Inputs", TableKind::kBinary,
                                          {{"Input", 300}, {"ID", 140}, {"Setting", 200}}, rows));
    }
    if (t.Zones().Count() > 0) {
        CGraph graph = CharacteristicPlotToGraph(
            ZonesToCharacteristicPlot(t.Zones(), t.ProtectiveRelayName(), &t));
        graph.picName = "RX";
        item.graphs.push_back(std::move(graph));
    }
    return item;
}

SequenceReport ComposeSequenceReport(const ComponentHost& host, CReportSetting& setting,
                                     int chapter) {
    SequenceReport report;
    CRelayTemplate* relayTemplate = host.Template();
    if (relayTemplate && setting.Header(HeaderValue::kDeviceName).empty())
        setting.SetHeader(HeaderValue::kDeviceName, relayTemplate->ProtectiveRelayName());

    CReportItem head;
    head.title = setting.Header(HeaderValue::kReportTitle);
    report.items.push_back(std::move(head));

    std::vector<CReportItem> componentItems = host.ComposeReportItems(chapter);
    const long long next =
        static_cast<long long>(chapter) + 1 + static_cast<long long>(componentItems.size());
    for (CReportItem& item : componentItems)
        report.items.push_back(std::move(item));

    if (relayTemplate) {
        report.items.push_back(TemplateReportItem(
            *relayTemplate, CFormat("%lld.  Relay settings and characteristic - %s", next,
                                    relayTemplate->ProtectiveRelayName().c_str())));
    }

    CReportItem closing;
    closing.title = "End of report";
    report.items.push_back(std::move(closing));

    report.extraHeaderTables.push_back(BuildHardwareTable(
        setting.Running(RunningValue::kModel), setting.Running(RunningValue::kSerialNumber)));
    report.extraHeaderTables.push_back(BuildModuleTable("quorin", "Quorin"));
    return report;
}

}  // namespace quorin
