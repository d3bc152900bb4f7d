#include "report/render/tools/sample_report.h"

#include <cmath>
#include <numbers>
#include <string>

#include "graphs/characteristic_plot.h"
#include "platform/codepage.h"
#include "platform/numtext.h"
#include "report/equipment.h"

namespace quorin {
namespace {

constexpr double kLineAngle = 75.0;
constexpr int kPassColor = 0x00A000;  // 0x00BBGGRR
constexpr int kFailColor = 0x0000E0;

std::string A(const char* utf8) {
    return Utf8ToAnsi(utf8);
}

std::string F(double v, int decimals) {
    return FormatFixed(v, decimals);
}

struct Column {
    const char* heading;
    int width;
};

// A table with a heading row and the rows given (each row one text per column, UTF-8).
CReportTable Table(const char* title, TableKind kind, const std::vector<Column>& columns,
                   const std::vector<std::vector<std::string>>& rows) {
    const int rowCount = static_cast<int>(rows.size()) + 1;
    CReportTable table(rowCount, static_cast<int>(columns.size()));
    table.title = A(title);
    table.kind = kind;
    for (size_t c = 0; c < columns.size(); ++c) {
        CReportColumn column(rowCount, static_cast<int>(c), columns[c].width);
        column.AddRawCell(A(columns[c].heading));
        for (const auto& row : rows)
            column.AddRawCell(c < row.size() ? Utf8ToAnsi(row[c]) : std::string());
        table.AddColumn(std::move(column));
    }
    return table;
}

struct Reach {
    const char* name;
    double x, r, time;
    bool reverse;
};

const Reach kZones[] = {
    {"Z1", 4.0, 3.2, 0.0, false},
    {"Z2", 6.4, 4.8, 0.3, false},
    {"Z3", 9.6, 7.2, 0.6, false},
    {"Z4", 2.0, 1.6, 1.0, true},
};

// A quadrilateral zone: reactance reach x, resistive reach r, right side along the line angle.
std::vector<RxPoint> QuadCorners(double x, double r) {
    const double cot = 1.0 / std::tan(kLineAngle * std::numbers::pi / 180.0);
    return {{-0.4 * r, -0.15 * x}, {r, -0.15 * x}, {r + x * cot, x}, {-0.4 * r - 0.15 * x, x}};
}

CharacteristicZone QuadZone(const Reach& reach, int palette) {
    CharacteristicZone zone;
    zone.label = reach.name;
    zone.paletteIndex = palette;
    zone.inverted = reach.reverse;
    zone.penStyle = reach.reverse ? 1 : 0;
    std::vector<RxPoint> c = QuadCorners(reach.x, reach.r);
    for (size_t i = 0; i < c.size(); ++i)
        zone.boundary.push_back(ZoneSegment::Line(c[i], c[(i + 1) % c.size()]));
    return zone;
}

// Where a ray from the origin at angle degrees leaves the zone (distance in ohms).
double RayReach(const std::vector<RxPoint>& corners, double degrees) {
    const double dx = std::cos(degrees * std::numbers::pi / 180.0);
    const double dy = std::sin(degrees * std::numbers::pi / 180.0);
    double best = 0.0;
    for (size_t i = 0; i < corners.size(); ++i) {
        RxPoint a = corners[i], b = corners[(i + 1) % corners.size()];
        const double ex = b.r - a.r, ey = b.x - a.x;
        const double det = dx * (-ey) + dy * ex;
        if (std::fabs(det) < 1e-12) continue;
        const double t = (a.r * (-ey) + a.x * ex) / det;
        const double u = (dx * a.x - dy * a.r) / det;
        if (t > 0 && u >= 0 && u <= 1) best = std::max(best, t);
    }
    return best;
}

// A passed point is a green cross, a failed one a red circle.
TestPoint Point(RxPoint at, bool pass, int diameter) {
    TestPoint p;
    p.at = at;
    p.color = pass ? kPassColor : kFailColor;
    p.marker = pass ? kMarkerCross : kMarkerCircle;
    p.diameter = diameter;
    return p;
}

CGraph ZonePlot(const std::vector<TestPoint>& points, bool allZones) {
    CharacteristicPlot plot;
    for (size_t i = 0; i < std::size(kZones); ++i)
        if (allZones || i == 1) plot.zones.push_back(QuadZone(kZones[i], static_cast<int>(i)));
    plot.points = points;
    CGraph graph = CharacteristicPlotToGraph(plot);
    graph.picName = "RX";
    return graph;
}

std::vector<std::string> CommonParameters() {
    return {A("Vnom: 57.735 V"),
            A("Inom: 1.000 A"),
            A("Fnom: 50.000 Hz"),
            A("Pre-fault time: 1.000 s"),
            A("Fault duration: 0.500 s"),
            A("Post-fault time: 0.200 s"),
            A("Fault inception angle: 0.0°"),
            A("CT star point: towards line"),
            A("Load current: 0.000 A"),
            A("Trip contact: BI 1 (trip L1, L2, L3)")};
}

std::vector<std::string> ZoneSettings() {
    std::vector<std::string> lines;
    for (const Reach& z : kZones) {
        lines.push_back(A((std::string(z.name) + " X reach = " + F(z.x, 3) + " Ω").c_str()));
        lines.push_back(A((std::string(z.name) + " R reach = " + F(z.r, 3) + " Ω").c_str()));
    }
    lines.push_back(A("Line angle = 75.0°"));
    lines.push_back(A("kN (residual compensation) = 0.67 / -3.2°"));
    return lines;
}

CReportItem ZoneReachTest(int number) {
    CReportItem item;
    item.title = A((FormatInt(number) + ".  Distance zone reach and timing - L1-E faults").c_str());
    item.testParaLines = CommonParameters();
    item.setLines = ZoneSettings();

    std::vector<std::vector<std::string>> zoneRows;
    for (const Reach& z : kZones) {
        zoneRows.push_back({z.name, z.reverse ? "Reverse" : "Forward", F(z.x, 3), F(z.r, 3), "75.0",
                            F(z.time, 3)});
    }
    item.tables.push_back(Table("Zone Settings", TableKind::kCharacteristic,
                                {{"Zone", 70},
                                 {"Direction", 110},
                                 {"X reach (Ω)", 120},
                                 {"R reach (Ω)", 120},
                                 {"Line angle (°)", 120},
                                 {"Trip time (s)", 120}},
                                zoneRows));
    item.tables.push_back(Table(
        "Binary Inputs and Outputs", TableKind::kBinary,
        {{"Channel", 90}, {"Signal", 260}, {"Kind", 120}, {"Contact", 120}, {"Debounce", 100}},
        {{"BI 1", "Trip L1, L2, L3", "Input", "Potential-free", "2 ms"},
         {"BI 2", "Start general", "Input", "Potential-free", "2 ms"},
         {"BI 3", "Zone 1 pick-up", "Input", "Wet 110 V", "2 ms"},
         {"BI 4", "Power swing blocking active", "Input", "Wet 110 V", "2 ms"},
         {"BO 1", "Circuit breaker 52a simulation", "Output", "Normally open", "-"},
         {"BO 2", "Auto-reclose blocked", "Output", "Normally open", "-"}}));
    item.tables.push_back(Table("Test Configuration", TableKind::kConfiguration,
                                {{"Setting", 260}, {"Value", 420}},
                                {{"Fault type", "L1-E"},
                                 {"Test method", "Shot test at 80 % of each zone's reach"},
                                 {"Trigger", "Binary input BI 1 (trip)"},
                                 {"Maximum fault time", "1.500 s"},
                                 {"Impedance tolerance", "±5 % or 0.050 Ω"},
                                 {"Time tolerance", "±1 % or 10 ms"}}));

    struct Shot {
        const char* zone;
        double z, angle, tNom, tAct;
    };
    const Shot shots[] = {{"Z1", 3.20, 75.0, 0.000, 0.021},
                          {"Z2", 5.12, 75.0, 0.300, 0.318},
                          {"Z3", 7.68, 75.0, 0.600, 0.704},
                          {"Z4", 1.60, 255.0, 1.000, 1.012}};
    std::vector<std::vector<std::string>> paramRows, pointRows;
    std::vector<TestPoint> points;
    const char* results = "1101";
    for (int i = 0; i < 4; ++i) {
        const Shot& s = shots[i];
        const double rad = s.angle * std::numbers::pi / 180.0;
        const double r = s.z * std::cos(rad), x = s.z * std::sin(rad);
        paramRows.push_back(
            {FormatInt(i + 1), "L1-E", F(s.z, 3), F(s.angle, 1), s.zone, F(s.tNom, 3)});
        const double deviation = s.tAct - s.tNom;
        const bool pass = results[i] == '1';
        pointRows.push_back({FormatInt(i + 1), F(r, 3), F(x, 3), F(s.tNom, 3), F(s.tAct, 3),
                             (deviation >= 0 ? "+" : "") + F(deviation * 1000.0, 0) + " ms",
                             pass ? "Passed" : "Failed"});
        points.push_back(Point({r, x}, pass, 10));
    }
    item.tables.push_back(Table("Test Point Parameters", TableKind::kTestPointParameters,
                                {{"Point", 60},
                                 {"Fault", 80},
                                 {"|Z| (Ω)", 110},
                                 {"Angle (°)", 110},
                                 {"Expected zone", 130},
                                 {"t nominal (s)", 130}},
                                paramRows));
    item.tables.push_back(Table("Test Points", TableKind::kTestPoints,
                                {{"No.", 50},
                                 {"R (Ω)", 100},
                                 {"X (Ω)", 100},
                                 {"t nominal (s)", 120},
                                 {"t actual (s)", 120},
                                 {"Deviation", 110},
                                 {"Result", 100}},
                                pointRows));
    item.graphs.push_back(ZonePlot(points, true));
    item.result = results;
    return item;
}

CReportItem BoundarySearchTest(int number) {
    CReportItem item;
    item.title = A((FormatInt(number) + ".  Zone 2 boundary search - L2-L3 faults").c_str());
    item.testParaLines = CommonParameters();
    item.setLines = {A("Search method = binary search, 8 steps"),
                     A("Search resolution = 0.010 Ω"),
                     A("Start angle = -20.0°"),
                     A("Angle step = 3.0°"),
                     A("Reference zone = Z2 (6.400 Ω / 4.800 Ω)"),
                     A("Tolerance = ±5 %")};
    const std::vector<RxPoint> corners = QuadCorners(kZones[1].x, kZones[1].r);
    std::vector<std::vector<std::string>> rows;
    std::vector<TestPoint> points;
    for (int i = 0; i < 39; ++i) {
        const double angle = -20.0 + 3.0 * i;
        const double set = RayReach(corners, angle);
        const double found = set * (1.0 + 0.012 * std::sin(1.7 * i));
        const double deviation = (found - set) / set * 100.0;
        rows.push_back({FormatInt(i + 1), F(angle, 1), F(set, 3), F(found, 3),
                        (deviation >= 0 ? "+" : "") + F(deviation, 2), "Passed"});
        const double rad = angle * std::numbers::pi / 180.0;
        points.push_back(Point({found * std::cos(rad), found * std::sin(rad)}, true, 7));
    }
    item.tables.push_back(Table("Search Results", TableKind::kTestPoints,
                                {{"No.", 60},
                                 {"Angle (°)", 120},
                                 {"|Z| set (Ω)", 140},
                                 {"|Z| found (Ω)", 140},
                                 {"Deviation (%)", 140},
                                 {"Result", 120}},
                                rows));
    item.graphs.push_back(ZonePlot(points, false));
    item.result = std::string(rows.size(), '1');
    return item;
}

CReportItem ManualCheckTest(int number) {
    CReportItem item;
    item.title = A((FormatInt(number) + ".  Power swing blocking - manual checks").c_str());
    item.setLines = {A("PSB zone width: ΔR = 1.500 Ω"), A("PSB detection time: 30 ms"),
                     A("PSB blocking: Z1, Z2"), A("Unblocking on fault: enabled")};
    item.tables.push_back(Table("Test Configuration", TableKind::kConfiguration,
                                {{"Setting", 260}, {"Value", 420}},
                                {{"Swing frequency", "1.0 Hz, from load into Z1"},
                                 {"Observation", "Relay event record and LED PSB"}}));
    item.tables.push_back(
        Table("Manual Checks", TableKind::kTestPoints,
              {{"No.", 50}, {"Check", 330}, {"Observation", 330}, {"Result", 120}},
              {{"1", "Swing through Z1 does not trip", "Not recorded", "Not assessed"},
               {"2", "Fault during swing unblocks and trips", "Event record unavailable",
                "Not assessed"}}));
    item.result = "--";
    return item;
}

}  // namespace

SampleReport BuildSampleReport(const CReportSetting& setting, int testItems) {
    SampleReport sample;
    CReportItem head;
    head.title = setting.Header(HeaderValue::kReportTitle);
    sample.items.push_back(std::move(head));
    for (int i = 0; i < testItems; ++i) {
        switch (i % 3) {
            case 0:
                sample.items.push_back(ZoneReachTest(i + 1));
                break;
            case 1:
                sample.items.push_back(BoundarySearchTest(i + 1));
                break;
            default:
                sample.items.push_back(ManualCheckTest(i + 1));
                break;
        }
    }
    CReportItem closing;
    closing.title = "End of report";
    sample.items.push_back(std::move(closing));
    sample.extraHeaderTables.push_back(BuildHardwareTable("QT-6600", "QT6-2024-00571"));
    sample.extraHeaderTables.push_back(BuildModuleTable("distance", "Distance"));
    return sample;
}

}  // namespace quorin
