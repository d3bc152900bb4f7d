#include "zones/zone_geometry.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>
#include <utility>

#include "zones/shape_parsers.h"
#include "zones/zone_reader.h"

namespace quorin {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr float kRadianToDegree = static_cast<float>(180.0 / std::numbers::pi);
constexpr float kCornerRadiusPad = 0.0001f;

// Narrowing a double beyond the float range is not defined by the language; spell it out.
float ToFloat(double v) {
    if (v > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (v < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

void Widen(CZoneBox& box, double r, double x) {
    const float fr = ToFloat(r), fx = ToFloat(x);
    if (std::isfinite(fr)) {
        box.rMin = std::min(box.rMin, fr);
        box.rMax = std::max(box.rMax, fr);
    }
    if (std::isfinite(fx)) {
        box.xMin = std::min(box.xMin, fx);
        box.xMax = std::max(box.xMax, fx);
    }
}

// A shape with its fields evaluated: point and line angle for lines, centre and arc for arcs.
struct Evaluated {
    bool arc = false;
    double x = 0.0, y = 0.0;
    double angle = 0.0, slope = 0.0;
    double radius = 0.0, start = 0.0, end = 0.0;
    int direction = kArcClockwise;
};

Evaluated Evaluate(CZoneShape& shape, IZoneEvaluator& eval) {
    Evaluated e;
    auto& f = shape.fields;
    const bool polar = shape.type == kShapeLineP || shape.type == kShapeArcP;
    e.arc = shape.type == kShapeArc || shape.type == kShapeArcP;
    if (e.arc) {
        int direction = kArcClockwise;
        if (shape.type == kShapeArc)
            ParseArc(shape.record, f, direction);
        else
            ParseArcP(shape.record, f, direction);
        shape.direction = e.direction = direction;
        e.radius = eval.CalcExpression(f[2]);
        e.start = eval.CalcExpression(f[3]);
        e.end = eval.CalcExpression(f[4]);
    } else {
        const std::span<std::string, 3> lineFields(f.data(), 3);
        if (shape.type == kShapeLine)
            ParseLine(shape.record, lineFields, shape.slope, eval);
        else
            ParseLineP(shape.record, lineFields, shape.slope, eval);
        e.slope = shape.slope;
        e.angle = eval.CalcExpression(f[2]);
    }
    const double a = eval.CalcExpression(f[0]);
    const double b = eval.CalcExpression(f[1]);
    if (polar) {
        e.x = a * std::cos(b * kDegree);
        e.y = a * std::sin(b * kDegree);
    } else {
        e.x = a;
        e.y = b;
    }
    return e;
}

void SetCorner(CZoneShape& segment, double x, double y) {
    segment.cornerFound = 1;
    segment.cornerX = segment.cornerX2 = ToFloat(x);
    segment.cornerY = segment.cornerY2 = ToFloat(y);
}

void SetArc(CZoneShape& segment, const Evaluated& arc, double radius, double start, double end) {
    segment.centerX = ToFloat(arc.x);
    segment.centerY = ToFloat(arc.y);
    segment.radius = ToFloat(radius);
    segment.startAngle = ToFloat(start);
    segment.endAngle = ToFloat(end);
}

// A line and an arc meeting at the corner of segment j; swap 1 when the line comes first.
void LineArcCorner(CZone& zone, int slot, int j, const Evaluated& line, const Evaluated& arc,
                   int swap, CZoneBox& box, double sign) {
    float a = 0.0f, b = 0.0f, x = 0.0f, y = 0.0f;
    const float radius = ToFloat(arc.radius);
    if (!LineCircleIntersection(ToFloat(line.x), ToFloat(line.y), ToFloat(line.angle),
                                ToFloat(arc.x), ToFloat(arc.y), radius, ToFloat(arc.start),
                                ToFloat(arc.end), slot, j, arc.direction, swap, a, b, x, y))
        return;
    CZoneShape& segment = zone.shapes[static_cast<size_t>(j)];
    SetCorner(segment, x, y);
    SetArc(segment, arc, radius + kCornerRadiusPad, a, b);
    segment.arcToArc = 0;
    Widen(box, sign * x, sign * y);
}

using EvaluatedShapes = std::array<Evaluated, kMaxZoneShapes>;

void BuildShapes(CZone& zone, int slot, const EvaluatedShapes& shapes, CZoneBox& box, double sign) {
    const int count = zone.shapeCount;
    if (count == 1) {
        if (shapes[0].arc)
            SetArc(zone.shapes[0], shapes[0], shapes[0].radius, shapes[0].start, shapes[0].end);
        return;
    }
    for (int j = 0; j < count; ++j) {
        const Evaluated& here = shapes[static_cast<size_t>(j)];
        const Evaluated& next = shapes[j + 1 == count ? 0 : static_cast<size_t>(j + 1)];
        CZoneShape& segment = zone.shapes[static_cast<size_t>(j)];
        if (!here.arc && !next.arc) {
            double x = 0.0, y = 0.0;
            LineIntersection(here.x, here.y, here.slope, next.x, next.y, next.slope, x, y);
            SetCorner(segment, x, y);
            segment.arcToArc = 0;
            Widen(box, sign * x, sign * y);
        } else if (here.arc && !next.arc) {
            LineArcCorner(zone, slot, j, next, here, 0, box, sign);
        } else if (!here.arc) {
            LineArcCorner(zone, slot, j, here, next, 1, box, sign);
        } else {
            SetCorner(segment, here.x, here.y);
            SetArc(segment, here, ToFloat(here.radius) + kCornerRadiusPad, here.start, here.end);
            segment.arcToArc = 1;
            const double cx = sign * segment.centerX, cy = sign * segment.centerY;
            Widen(box, cx, cy);
            Widen(box, cx - segment.radius, cy - segment.radius);
            Widen(box, cx + segment.radius, cy + segment.radius);
        }
    }
}

void BuildCircle(CZone& zone, CZoneBox& box, double sign, IZoneEvaluator& eval) {
    const double forward = eval.CalcExpression(zone.circleFields[0]);
    const double angle = eval.CalcExpression(zone.circleFields[1]) * kDegree;
    const double reverse = eval.CalcExpression(zone.circleFields[2]);
    const double radius = (forward + reverse) / 2.0;
    const double offset = radius - reverse;
    zone.circleCenterX = ToFloat(offset * std::cos(angle));
    zone.circleCenterY = ToFloat(offset * std::sin(angle));
    zone.circleRadius = ToFloat(radius);
    const double cx = sign * zone.circleCenterX, cy = sign * zone.circleCenterY;
    Widen(box, cx - zone.circleRadius, cy - zone.circleRadius);
    Widen(box, cx + zone.circleRadius, cy + zone.circleRadius);
}

void BuildLens(CZone& zone, CZoneBox& box, IZoneEvaluator& eval) {
    for (size_t i = 0; i < zone.lens.size(); ++i)
        zone.lens[i] = ToFloat(eval.CalcExpression(zone.lensFields[i]));
    const double reach = zone.lens[0];
    Widen(box, reach, reach);
    Widen(box, -reach, -reach);
}

}  // namespace

int BuildZone(CZoneTable& table, std::string_view source, int slot, int wantedIndex,
              std::string& zoneText, int& searchPos, IZoneEvaluator& evaluator) {
    if (ReadZone(table, source, slot, wantedIndex, zoneText, searchPos) < 1) return 0;
    CZone& zone = *table.MutableZone(slot);
    CZoneBox& box = table.MutableBox();
    const double sign = zone.invert == 0 ? 1.0 : -1.0;

    // Every record is split, whatever the kind, so that the stored field texts are complete.
    EvaluatedShapes shapes;
    for (int j = 0; j < zone.shapeCount; ++j)
        shapes[static_cast<size_t>(j)] = Evaluate(zone.shapes[static_cast<size_t>(j)], evaluator);
    if (!zone.circleRecord.empty()) ParseCircle(zone.circleRecord, zone.circleFields);
    if (!zone.lensRecord.empty()) ParseLens(zone.lensRecord, zone.lensFields);
    switch (zone.kind) {
        case kZoneLens:
            BuildLens(zone, box, evaluator);
            break;
        case kZoneCircle:
            BuildCircle(zone, box, sign, evaluator);
            break;
        default:
            BuildShapes(zone, slot, shapes, box, sign);
            break;
    }
    return slot;
}

int LineIntersection(double x1, double y1, double slope1, double x2, double y2, double slope2,
                     double& x, double& y) {
    if (std::fabs(slope1 - slope2) < 0.0001) {
        x = x2;
        y = y2;
        return 1;
    }
    x = (y2 - y1 + slope1 * x1 - slope2 * x2) / (slope1 - slope2);
    // Of a near-vertical line only x is known well; take y from the other line.
    y = std::fabs(slope1) >= 50000.0 ? slope2 * (x - x2) + y2 : slope1 * (x - x1) + y1;
    return 1;
}

int LineCircleIntersection(float px, float py, float lineAngle, float cx, float cy, float r,
                           float arcStart, float arcEnd, int zoneSlot, int shapeIndex,
                           int direction, int swap, float& angleA, float& angleB, float& x,
                           float& y) {
    // The tangent is taken in double so that 90 degrees gives a huge positive slope, as the
    // vertical test expects; in float, 90 degrees rounds past pi/2 and the tangent turns negative.
    const float k = ToFloat(std::tan(static_cast<double>(lineAngle) * kDegree));
    float x1, y1, x2, y2;
    if (k >= 100000.0f || k <= -100000.0f) {
        const float dx = px - cx;
        const float d = r * r - dx * dx;
        if (!(d >= 0.0f)) return 0;
        const float root = std::sqrt(d);
        // A steep falling line is vertical too (single precision cannot solve it the general
        // way); its points keep the order of the general solution, the lower one first.
        x1 = x2 = px;
        y1 = k > 0.0f ? cy + root : cy - root;
        y2 = k > 0.0f ? cy - root : cy + root;
    } else {
        const float c = py - cy - k * px;
        const float scale = k * k + 1.0f;
        const float b = (2.0f * c * k - 2.0f * cx) / scale;
        const float q = (cx * cx + c * c - r * r) / scale;
        const float discriminant = b * b - 4.0f * q;
        if (!(discriminant >= 0.0f)) return 0;
        const float root = std::sqrt(discriminant);
        x1 = (-b + root) / 2.0f;
        x2 = (-b - root) / 2.0f;
        y1 = py - k * px + k * x1;
        y2 = py - k * px + k * x2;
    }

    const float raw1 = std::atan2(y1 - cy, x1 - cx) * kRadianToDegree;
    const float raw2 = std::atan2(y2 - cy, x2 - cx) * kRadianToDegree;
    float a1 = raw1;
    if (a1 > 180.0f) a1 -= 360.0f;
    if (a1 < -180.0f) a1 += 360.0f;
    // Bring the angle into the turn the arc is written in: 0..360 for arcs counted from a
    // non-negative reference, -360..0 otherwise.
    const float reference = direction == kArcCounterClockwise ? arcStart : arcEnd;
    if (reference > -0.001f) {
        if (a1 < 0.0f) a1 += 360.0f;
    } else if (a1 > 0.0f) {
        a1 -= 360.0f;
    }
    const bool near = std::fabs(a1 - arcStart) < 18.0f || std::fabs(a1 - arcEnd) < 18.0f;
    bool first;
    if (zoneSlot >= 3)
        first = near;
    else if (shapeIndex != 0)
        first = !near;
    else
        first = near;

    x = first ? x1 : x2;
    y = first ? y1 : y2;
    angleA = first ? raw1 : raw2;
    angleB = first ? raw2 : raw1;
    if (swap == 1 && (zoneSlot == 1 || zoneSlot == 2)) std::swap(angleA, angleB);
    return 1;
}

}  // namespace quorin
