// Renders an example distance-relay characteristic: quadrilateral zones 1 to 3, a MHO circle, a
// lens, an inverted reverse zone and a few test points.
// Usage: quorin_plot_example <file.png|.svg|.pdf> [width height]
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "graphs/characteristic_plot.h"
#include "platform/numtext.h"

namespace {

using quorin::RxPoint;
using quorin::ZoneSegment;

RxPoint Polar(double r, double degrees) {
    double a = degrees * std::numbers::pi / 180.0;
    return {r * std::cos(a), r * std::sin(a)};
}

// Where the line through p at angle a meets the line through q at angle b.
RxPoint Meet(RxPoint p, double a, RxPoint q, double b) {
    RxPoint u = Polar(1.0, a), v = Polar(1.0, b);
    double det = u.r * (-v.x) - u.x * (-v.r);
    double t = ((q.r - p.r) * (-v.x) - (q.x - p.x) * (-v.r)) / det;
    return {p.r + t * u.r, p.x + t * u.x};
}

// A quadrilateral zone: directional lines through the origin at -15 and 115 degrees, a resistive
// line at the line angle through (reachR, 0) and a reactance line at X = reachX tilted by -3.
quorin::CharacteristicZone Quad(const char* label, int palette, double reachR, double reachX) {
    const double lineAngle = 75.0;
    RxPoint o{0.0, 0.0}, r{reachR, 0.0}, x{0.0, reachX};
    RxPoint bottomRight = Meet(o, -15.0, r, lineAngle);
    RxPoint topRight = Meet(r, lineAngle, x, -3.0);
    RxPoint topLeft = Meet(x, -3.0, o, 115.0);
    quorin::CharacteristicZone zone;
    zone.label = label;
    zone.paletteIndex = palette;
    zone.boundary = {ZoneSegment::Line(o, bottomRight), ZoneSegment::Line(bottomRight, topRight),
                     ZoneSegment::Line(topRight, topLeft), ZoneSegment::Line(topLeft, o)};
    return zone;
}

quorin::CharacteristicPlot ExamplePlot() {
    quorin::CharacteristicPlot plot;
    plot.title = "Distance protection, line 1: zones in the impedance plane";
    plot.zones.push_back(Quad("Z1", 0, 5.0, 7.0));
    plot.zones.push_back(Quad("Z2", 1, 8.0, 12.0));
    plot.zones.push_back(Quad("Z3", 2, 12.0, 19.0));

    quorin::CharacteristicZone reverse = Quad("Z4 reverse", 4, 4.0, 5.0);
    reverse.inverted = true;
    reverse.penStyle = 1;
    plot.zones.push_back(reverse);

    quorin::CharacteristicZone mho;
    mho.label = "MHO";
    mho.paletteIndex = 3;
    mho.penStyle = 1;
    quorin::SetCircleFromReach(mho, 24.0, 75.0, 2.0);
    plot.zones.push_back(mho);

    quorin::CharacteristicZone lens;
    lens.label = "Lens";
    lens.paletteIndex = 5;
    lens.shape = quorin::ZoneShape::kLens;
    lens.lens = {28.0, 75.0, 0.42, 3.0, 0.0};
    plot.zones.push_back(lens);

    const RxPoint trips[] = {{2.0, 4.0}, {5.0, 10.0}, {8.0, 15.0}, {-2.0, -3.0}};
    for (RxPoint p : trips)
        plot.points.push_back({p, 0x000000, quorin::kMarkerCross, 9});
    plot.points.push_back({{18.0, 4.0}, 0x0000C0, quorin::kMarkerCircle, 9});
    return plot;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s <file.png|.svg|.pdf> [width height]\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSize size(900, 620);
    if (argc == 4) size = QSize(quorin::CAtoi(argv[2]), quorin::CAtoi(argv[3]));
    std::string error;
    if (!quorin::RenderCharacteristicPlot(ExamplePlot(), argv[1], size, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
