#include "cli/zone_plot.h"

#include <cmath>
#include <map>

namespace quorin {
namespace {

constexpr double kPi = 3.14159265358979323846;

double AngleOf(double cx, double cy, double x, double y) {
    return std::atan2(y - cy, x - cx) * 180.0 / kPi;
}

// Counter-clockwise sweep from a to b, in [0, 360).
double CcwSweep(double a, double b) {
    double s = std::fmod(b - a, 360.0);
    if (s < 0) s += 360.0;
    return s;
}

bool IsArc(const CZoneShape& s) {
    return s.type == kShapeArc || s.type == kShapeArcP;
}

bool Finite(float v) {
    return std::isfinite(v);
}

// The arc of shape j between the corners it shares with its neighbours. Corners come from the
// geometry; where a corner is missing (a line that misses the circle, or an arc joined to an arc)
// the angle the geometry stored for the segment stands in.
bool ArcSegment(const CZone& zone, int j, IZoneEvaluator* evaluator, ZoneSegment& out) {
    const int n = zone.shapeCount;
    const CZoneShape& s = zone.shapes[static_cast<size_t>(j)];
    if (!(s.radius > 0.0f) || !Finite(s.centerX) || !Finite(s.centerY)) return false;
    const bool clockwise = s.direction == kArcClockwise;
    const RxPoint center{s.centerX, s.centerY};
    if (n == 1) {
        out = ZoneSegment::Arc(center, s.radius, s.startAngle, s.endAngle, clockwise);
        return true;
    }
    const CZoneShape& prev = zone.shapes[static_cast<size_t>((j + n - 1) % n)];
    double from = s.startAngle, to = s.endAngle;
    if (prev.cornerFound && !prev.arcToArc)
        from = AngleOf(s.centerX, s.centerY, prev.cornerX, prev.cornerY);
    if (s.cornerFound && !s.arcToArc) to = AngleOf(s.centerX, s.centerY, s.cornerX, s.cornerY);

    // Which way round: the way that passes through the middle of the arc as written.
    bool ccw = CcwSweep(from, to) <= 180.0;
    if (evaluator) {
        const double start = evaluator->CalcExpression(s.fields[3]);
        const double end = evaluator->CalcExpression(s.fields[4]);
        if (std::isfinite(start) && std::isfinite(end) && start != IZoneEvaluator::kFailure &&
            end != IZoneEvaluator::kFailure) {
            const double sweep = clockwise ? -CcwSweep(end, start) : CcwSweep(start, end);
            const double middle = start + sweep / 2.0;
            ccw = CcwSweep(from, middle) <= CcwSweep(from, to);
        }
    }
    out = ccw ? ZoneSegment::Arc(center, s.radius, from, to, false)
              : ZoneSegment::Arc(center, s.radius, from, to, true);
    return true;
}

void AddShapeBoundary(const CZone& zone, IZoneEvaluator* evaluator, CharacteristicZone& plotZone) {
    const int n = zone.shapeCount;
    for (int j = 0; j < n; ++j) {
        const CZoneShape& s = zone.shapes[static_cast<size_t>(j)];
        ZoneSegment segment;
        if (IsArc(s)) {
            if (ArcSegment(zone, j, evaluator, segment)) plotZone.boundary.push_back(segment);
            continue;
        }
        // A line runs between the corner with the previous shape and the corner with the next.
        const CZoneShape& prev = zone.shapes[static_cast<size_t>((j + n - 1) % n)];
        if (n < 2 || !prev.cornerFound || !s.cornerFound) continue;
        if (!Finite(prev.cornerX) || !Finite(prev.cornerY) || !Finite(s.cornerX) ||
            !Finite(s.cornerY))
            continue;
        plotZone.boundary.push_back(
            ZoneSegment::Line({prev.cornerX, prev.cornerY}, {s.cornerX, s.cornerY}));
    }
}

}  // namespace

CharacteristicPlot ZonesToCharacteristicPlot(const CZoneTable& zones, const std::string& title,
                                             IZoneEvaluator* evaluator) {
    CharacteristicPlot plot;
    plot.title = title;
    std::map<int, int> seenPerIndex;
    std::map<int, int> paletteOfIndex;
    for (int slot = 1; slot <= zones.Count(); ++slot) {
        const CZone& zone = zones.Zone(slot);
        CharacteristicZone plotZone;
        plotZone.label = zone.label;
        plotZone.inverted = zone.invert != 0;
        const auto palette =
            paletteOfIndex.try_emplace(zone.index, static_cast<int>(paletteOfIndex.size()));
        plotZone.paletteIndex = palette.first->second;
        plotZone.penStyle = seenPerIndex[zone.index]++ == 0 ? 0 : 1;
        switch (zone.kind) {
            case kZoneCircle:
                plotZone.shape = ZoneShape::kCircle;
                plotZone.circleCenter = {zone.circleCenterX, zone.circleCenterY};
                plotZone.circleRadius = zone.circleRadius;
                break;
            case kZoneLens:
                plotZone.shape = ZoneShape::kLens;
                for (size_t i = 0; i < plotZone.lens.size(); ++i)
                    plotZone.lens[i] = zone.lens[i];
                break;
            default:
                plotZone.shape = ZoneShape::kBoundary;
                AddShapeBoundary(zone, evaluator, plotZone);
                break;
        }
        plot.zones.push_back(std::move(plotZone));
    }
    return plot;
}

}  // namespace quorin
