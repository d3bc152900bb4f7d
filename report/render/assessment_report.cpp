#include "report/render/assessment_report.h"

#include <cmath>
#include <numbers>
#include <set>

#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

struct Mark {
    Verdict verdict;
    int marker, color;
};
constexpr Mark kMarks[] = {
    {Verdict::kPass, kMarkerCircle, 0x00A000},
    {Verdict::kFail, kMarkerCross, 0x0000E0},
    {Verdict::kNotAssessed, kMarkerSquare, 0x000000},
};
constexpr int kPointDiameter = 8;

std::string Ansi(const char* utf8) {
    return Utf8ToAnsi(utf8);
}

std::string Seconds(double t) {
    return FormatFixed(t, 3) + " s";
}

std::string ExpectedText(const Expectation& e) {
    if (!e.zone) return "no trip";
    const std::string name =
        e.zone->label.empty() ? "zone " + FormatInt(e.zone->index) : e.zone->label;
    return name + ", " + (e.zone->time ? Seconds(*e.zone->time) : "any time");
}

std::string VerdictText(Verdict v) {
    return v == Verdict::kNotAssessed ? "not assessed" : VerdictName(v);
}

std::vector<std::string> ParameterLines(const CShotModel& model) {
    const ImpedanceTolerance& z = model.Impedance();
    const TimeTolerance& t = model.Time();
    std::vector<std::string> lines{
        CFormat("Impedance tolerance: %g%% or %.3f ", z.relative * 100.0, z.absolute) +
            Ansi("\xCE\xA9"),
        CFormat("Time tolerance: %g%% or %.3f s", t.relative * 100.0, t.absolute)};
    std::set<int> done;
    for (const AssessedZone& zone : model.Zones()) {
        if (!done.insert(zone.index).second) continue;
        lines.push_back("Zone " + FormatInt(zone.index) +
                        " time: " + (zone.time ? Seconds(*zone.time) : "none, any trip"));
    }
    return lines;
}

}  // namespace

TestPoint AssessedTestPoint(const AssessedPoint& point) {
    TestPoint p;
    p.at = {point.shot.r, point.shot.x};
    for (const Mark& m : kMarks) {
        if (m.verdict != point.verdict) continue;
        p.marker = m.marker;
        p.color = m.color;
    }
    p.diameter = kPointDiameter;
    return p;
}

std::optional<Verdict> VerdictOfGraphPoint(const CGraphPoint& point) {
    for (const Mark& m : kMarks)
        if (point.drawType == m.marker && point.color == m.color) return m.verdict;
    return std::nullopt;
}

CharacteristicPlot AssessmentPlot(CharacteristicPlot characteristic,
                                  const std::vector<AssessedPoint>& points) {
    characteristic.title = "Test points: circle pass, cross fail, square not assessed";
    for (const AssessedPoint& p : points)
        characteristic.points.push_back(AssessedTestPoint(p));
    return characteristic;
}

CReportItem AssessmentReportItem(const std::string& title, const CShotModel& model,
                                 const std::vector<AssessedPoint>& points,
                                 const CharacteristicPlot& characteristic) {
    CReportItem item;
    item.title = title;
    item.testParaLines = ParameterLines(model);

    static const struct {
        const char* heading;
        int width;
    } kColumns[] = {{"Loop", 50},           {"R (\xCE\xA9)", 90},     {"X (\xCE\xA9)", 90},
                    {"|Z| (\xCE\xA9)", 90}, {"Angle (\xC2\xB0)", 80}, {"Expected", 190},
                    {"Measured", 110},      {"Verdict", 110}};
    const int rows = static_cast<int>(points.size()) + 1;
    CReportTable table(rows, static_cast<int>(std::size(kColumns)));
    table.title = "Test Points";
    table.kind = TableKind::kTestPoints;
    std::vector<CReportColumn> columns;
    for (size_t c = 0; c < std::size(kColumns); ++c) {
        columns.emplace_back(rows, static_cast<int>(c), kColumns[c].width);
        columns.back().AddRawCell(Ansi(kColumns[c].heading));
    }
    for (const AssessedPoint& p : points) {
        const double r = p.shot.r, x = p.shot.x;
        const std::string cells[] = {FaultLoopName(p.shot.loop),
                                     FormatFixed(r, 3),
                                     FormatFixed(x, 3),
                                     FormatFixed(std::hypot(r, x), 3),
                                     FormatFixed(std::atan2(x, r) * 180.0 / std::numbers::pi, 3),
                                     ExpectedText(p.expectation),
                                     p.shot.measured ? Seconds(*p.shot.measured) : "no trip",
                                     VerdictText(p.verdict)};
        for (size_t c = 0; c < columns.size(); ++c)
            columns[c].AddRawCell(cells[c]);
    }
    for (CReportColumn& column : columns)
        table.AddColumn(std::move(column));
    item.tables.push_back(std::move(table));

    CGraph graph = CharacteristicPlotToGraph(AssessmentPlot(characteristic, points));
    graph.picName = "RX";
    item.graphs.push_back(std::move(graph));
    item.result = ResultString(points);
    return item;
}

}  // namespace quorin
