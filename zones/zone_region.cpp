#include "zones/zone_region.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quorin {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// Pieces kept of one boundary: every piece of a zone, with room to spare; each may need a join.
constexpr size_t kMaxPieces = 32;
constexpr size_t kMaxEdges = 2 * kMaxPieces;
constexpr size_t kMaxCandidates = 2 * kMaxEdges + 1;
// BuildZone stores the radius of an arc that meets a neighbour widened by this, for drawing.
constexpr float kCornerRadiusPad = 0.0001f;

bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

// Counter-clockwise sweep from a to b, in [0, 360).
double CcwSweep(double a, double b) {
    double s = std::fmod(b - a, 360.0);
    return s < 0.0 ? s + 360.0 : s;
}

double AngleOf(double cr, double cx, double r, double x) {
    return std::atan2(x - cx, r - cr) / kDegree;
}

ZonePiece Line(double fromR, double fromX, double toR, double toX) {
    return {.fromR = fromR, .fromX = fromX, .toR = toR, .toX = toX};
}

ZonePiece Arc(double cr, double cx, double radius, double start, double end, bool clockwise) {
    return {.arc = true,
            .fromR = cr + radius * std::cos(start * kDegree),
            .fromX = cx + radius * std::sin(start * kDegree),
            .toR = cr + radius * std::cos(end * kDegree),
            .toX = cx + radius * std::sin(end * kDegree),
            .centerR = cr,
            .centerX = cx,
            .radius = radius,
            .startAngle = start,
            .endAngle = end,
            .clockwise = clockwise};
}

bool IsArc(const CZoneShape& s) {
    return s.type == kShapeArc || s.type == kShapeArcP;
}

bool HasCorner(const CZoneShape& s) {
    return s.cornerFound && !s.arcToArc && Finite(s.cornerX, s.cornerY);
}

// The arc of shape j between the corners it shares with its neighbours.
bool ShapeArc(const CZone& zone, int j, IZoneEvaluator* evaluator, ZonePiece& out) {
    const int n = zone.shapeCount;
    const CZoneShape& s = zone.shapes[static_cast<size_t>(j)];
    if (!(s.radius > 0.0f) || !Finite(s.centerX, s.centerY)) return false;
    const bool clockwise = s.direction == kArcClockwise;
    if (n == 1) {
        out = Arc(s.centerX, s.centerY, s.radius, s.startAngle, s.endAngle, clockwise);
        return true;
    }
    const float radius = s.radius - kCornerRadiusPad;
    if (!(radius > 0.0f)) return false;
    const CZoneShape& prev = zone.shapes[static_cast<size_t>((j + n - 1) % n)];
    double from = s.startAngle, to = s.endAngle;
    if (HasCorner(prev)) from = AngleOf(s.centerX, s.centerY, prev.cornerX, prev.cornerY);
    if (HasCorner(s)) to = AngleOf(s.centerX, s.centerY, s.cornerX, s.cornerY);

    // Which way round: the way that passes through the middle of the arc as written.
    bool ccw = CcwSweep(from, to) <= 180.0;
    if (evaluator) {
        const double start = evaluator->CalcExpression(s.fields[3]);
        const double end = evaluator->CalcExpression(s.fields[4]);
        if (Finite(start, end) && start != IZoneEvaluator::kFailure &&
            end != IZoneEvaluator::kFailure) {
            const double sweep = clockwise ? -CcwSweep(end, start) : CcwSweep(start, end);
            ccw = CcwSweep(from, start + sweep / 2.0) <= CcwSweep(from, to);
        }
    }
    out = Arc(s.centerX, s.centerY, radius, from, to, !ccw);
    // The corners themselves are the ends, so that the pieces meet exactly.
    if (HasCorner(prev)) {
        out.fromR = prev.cornerX;
        out.fromX = prev.cornerY;
    }
    if (HasCorner(s)) {
        out.toR = s.cornerX;
        out.toX = s.cornerY;
    }
    return true;
}

void AddShapePieces(const CZone& zone, IZoneEvaluator* evaluator, std::vector<ZonePiece>& out) {
    const int n = zone.shapeCount;
    for (int j = 0; j < n; ++j) {
        const CZoneShape& s = zone.shapes[static_cast<size_t>(j)];
        if (IsArc(s)) {
            ZonePiece piece;
            if (ShapeArc(zone, j, evaluator, piece)) out.push_back(piece);
            continue;
        }
        const CZoneShape& prev = zone.shapes[static_cast<size_t>((j + n - 1) % n)];
        if (n < 2 || !prev.cornerFound || !s.cornerFound) continue;
        out.push_back(Line(prev.cornerX, prev.cornerY, s.cornerX, s.cornerY));
    }
}

void AddLensPieces(const std::array<float, 5>& lens, std::vector<ZonePiece>& out) {
    const double forward = lens[0], angle = lens[1], reverse = lens[3];
    double ratio = lens[2];
    if (!Finite(forward, angle) || !std::isfinite(reverse)) return;
    const double length = forward + reverse;
    if (!(length > 0.0)) return;
    if (!std::isfinite(ratio) || !(ratio > 0.0)) ratio = 0.5;
    ratio = std::min(ratio, 1.0);
    const double ur = std::cos(angle * kDegree), ux = std::sin(angle * kDegree);
    const double fr = forward * ur, fx = forward * ux, br = -reverse * ur, bx = -reverse * ux;
    const double mr = (fr + br) / 2.0, mx = (fx + bx) / 2.0;
    const double half = length / 2.0, bulge = ratio * half;
    // The circle through both tips and the apex on one side has its centre on the other side.
    const double radius = (half * half + bulge * bulge) / (2.0 * bulge);
    const double back = radius - bulge;
    const double pr = mr + back * ux, px = mx - back * ur;  // centre of the arc on the +normal side
    const double qr = mr - back * ux, qx = mx + back * ur;  // centre of the arc on the -normal side
    ZonePiece upper = Arc(pr, px, radius, AngleOf(pr, px, fr, fx), AngleOf(pr, px, br, bx), false);
    ZonePiece lower = Arc(qr, qx, radius, AngleOf(qr, qx, br, bx), AngleOf(qr, qx, fr, fx), false);
    upper.fromR = lower.toR = fr;
    upper.fromX = lower.toX = fx;
    upper.toR = lower.fromR = br;
    upper.toX = lower.fromX = bx;
    out.push_back(upper);
    out.push_back(lower);
}

bool Drawable(const ZonePiece& p) {
    if (!Finite(p.fromR, p.fromX) || !Finite(p.toR, p.toX)) return false;
    if (!p.arc) return true;
    return Finite(p.centerR, p.centerX) && std::isfinite(p.radius) && p.radius > 0.0 &&
           Finite(p.startAngle, p.endAngle);
}

// Signed sweep in degrees, never 0: equal angles make a whole circle.
double Sweep(const ZonePiece& p) {
    double d = p.clockwise ? p.startAngle - p.endAngle : p.endAngle - p.startAngle;
    d = std::fmod(d, 360.0);
    if (d <= 1e-9) d += 360.0;
    return p.clockwise ? -d : d;
}

double Cross(double ar, double ax, double br, double bx) {
    return ar * bx - ax * br;
}

}  // namespace

// Distances along a ray, without allocation.
struct CZoneRegion::Candidates {
    std::array<double, kMaxCandidates> t{};
    size_t n = 0;
    void Add(double v) {
        if (n < t.size()) t[n++] = v;
    }
};

std::vector<ZonePiece> ZoneBoundary(const CZone& zone, IZoneEvaluator* evaluator) {
    std::vector<ZonePiece> pieces;
    switch (zone.kind) {
        case kZoneCircle:
            pieces.push_back(
                Arc(zone.circleCenterX, zone.circleCenterY, zone.circleRadius, 0.0, 0.0, false));
            break;
        case kZoneLens:
            AddLensPieces(zone.lens, pieces);
            break;
        default:
            AddShapePieces(zone, evaluator, pieces);
            break;
    }
    std::erase_if(pieces, [](const ZonePiece& p) { return !Drawable(p); });
    return pieces;
}

double ImpedanceTolerance::Band(double d) const {
    return std::max(relative * d, absolute);
}

CZoneRegion::CZoneRegion(const CZone& zone, IZoneEvaluator* evaluator)
    : CZoneRegion(ZoneBoundary(zone, evaluator), zone.invert != 0) {}

CZoneRegion::CZoneRegion(std::vector<ZonePiece> pieces, bool mirrored) {
    std::erase_if(pieces, [](const ZonePiece& p) { return !Drawable(p); });
    if (pieces.size() > kMaxPieces) pieces.resize(kMaxPieces);
    if (pieces.empty()) return;
    if (mirrored) {
        for (ZonePiece& p : pieces) {
            p.fromR = -p.fromR;
            p.fromX = -p.fromX;
            p.toR = -p.toR;
            p.toX = -p.toX;
            p.centerR = -p.centerR;
            p.centerX = -p.centerX;
            p.startAngle += 180.0;
            p.endAngle += 180.0;
        }
    }
    for (size_t k = 0; k < pieces.size(); ++k) {
        const ZonePiece& p = pieces[k];
        Edge e{.ar = p.fromR, .ax = p.fromX, .br = p.toR, .bx = p.toX};
        if (p.arc) {
            e.arc = true;
            e.cr = p.centerR;
            e.cx = p.centerX;
            e.radius = p.radius;
            e.start = p.startAngle;
            e.sweep = Sweep(p);
        }
        edges_.push_back(e);
        const ZonePiece& next = pieces[(k + 1) % pieces.size()];
        if (p.toR != next.fromR || p.toX != next.fromX)
            edges_.push_back({.ar = p.toR, .ax = p.toX, .br = next.fromR, .bx = next.fromX});
    }

    // Arcs cut at their highest and lowest points: each part crosses a level at most once.
    for (const Edge& e : edges_) {
        if (!e.arc) {
            monotone_.push_back(e);
            continue;
        }
        const double dir = e.sweep > 0.0 ? 1.0 : -1.0, length = std::fabs(e.sweep);
        double u = std::fmod(dir * (90.0 - e.start), 180.0);
        if (u <= 1e-9) u += 180.0;
        Edge part = e;
        for (; u < length - 1e-9; u += 180.0) {
            const double a = e.start + dir * u;
            const bool top = std::sin(a * kDegree) > 0.0;
            part.br = e.cr;
            part.bx = top ? e.cx + e.radius : e.cx - e.radius;
            part.side = std::cos((a - dir * 90.0) * kDegree) >= 0.0 ? 1.0 : -1.0;
            monotone_.push_back(part);
            part.ar = part.br;
            part.ax = part.bx;
        }
        part.br = e.br;
        part.bx = e.bx;
        const double last = e.start + dir * (u - 90.0);
        part.side = std::cos(last * kDegree) >= 0.0 ? 1.0 : -1.0;
        monotone_.push_back(part);
    }

    rMin_ = xMin_ = HUGE_VAL;
    rMax_ = xMax_ = -HUGE_VAL;
    for (const Edge& e : edges_) {
        const double pad = e.arc ? e.radius : 0.0;
        const double cr = e.arc ? e.cr : e.ar, cx = e.arc ? e.cx : e.ax;
        rMin_ = std::min({rMin_, cr - pad, e.br});
        rMax_ = std::max({rMax_, cr + pad, e.br});
        xMin_ = std::min({xMin_, cx - pad, e.bx});
        xMax_ = std::max({xMax_, cx + pad, e.bx});
    }
    const double size =
        std::max({std::fabs(rMin_), std::fabs(rMax_), std::fabs(xMin_), std::fabs(xMax_)});
    eps_ = 1e-6 * (1.0 + size);
    reach_ = std::hypot(std::max(std::fabs(rMin_), std::fabs(rMax_)),
                        std::max(std::fabs(xMin_), std::fabs(xMax_)));
}

bool CZoneRegion::InsideByParity(double r, double x) const {
    // A ray from the point toward +R; a part crosses it when its ends lie on either side of the
    // level x (an end exactly on the level counts as below, the same for every part).
    bool inside = false;
    for (const Edge& e : monotone_) {
        if ((e.ax > x) == (e.bx > x)) continue;
        double at;
        if (e.arc) {
            const double dx = x - e.cx;
            at = e.cr + e.side * std::sqrt(std::max(0.0, e.radius * e.radius - dx * dx));
        } else {
            at = e.ar + (x - e.ax) * (e.br - e.ar) / (e.bx - e.ax);
        }
        if (r < at) inside = !inside;
    }
    return inside;
}

bool CZoneRegion::WithinSweep(const Edge& e, double r, double x) const {
    const double tolerance = std::min(1.0, eps_ / e.radius / kDegree);
    const double phi = AngleOf(e.cr, e.cx, r, x);
    double rel = std::fmod(e.sweep > 0.0 ? phi - e.start : e.start - phi, 360.0);
    if (rel < 0.0) rel += 360.0;
    return rel <= std::fabs(e.sweep) + tolerance || rel >= 360.0 - tolerance;
}

double CZoneRegion::Distance(const Edge& e, double r, double x) const {
    if (e.arc && WithinSweep(e, r, x)) return std::fabs(std::hypot(r - e.cr, x - e.cx) - e.radius);
    const double dr = e.br - e.ar, dx = e.bx - e.ax;
    const double length2 = dr * dr + dx * dx;
    if (e.arc || length2 == 0.0)
        return std::min(std::hypot(r - e.ar, x - e.ax), std::hypot(r - e.br, x - e.bx));
    const double s = std::clamp(((r - e.ar) * dr + (x - e.ax) * dx) / length2, 0.0, 1.0);
    return std::hypot(r - e.ar - s * dr, x - e.ax - s * dx);
}

bool CZoneRegion::OnBoundary(double r, double x) const {
    if (!(r >= rMin_ - eps_ && r <= rMax_ + eps_ && x >= xMin_ - eps_ && x <= xMax_ + eps_))
        return false;
    for (const Edge& e : edges_)
        if (Distance(e, r, x) <= eps_) return true;
    return false;
}

bool CZoneRegion::Contains(double r, double x) const {
    if (!(r >= rMin_ - eps_ && r <= rMax_ + eps_ && x >= xMin_ - eps_ && x <= xMax_ + eps_))
        return false;
    return InsideByParity(r, x) || OnBoundary(r, x);
}

void CZoneRegion::RayCrossings(double ur, double ux, Candidates& out) const {
    Candidates c;
    c.Add(0.0);
    for (const Edge& e : edges_) {
        if (e.arc) {
            const double b = ur * e.cr + ux * e.cx;
            const double q = e.cr * e.cr + e.cx * e.cx - e.radius * e.radius;
            const double disc = b * b - q;
            if (disc < -eps_ * (std::fabs(b) + e.radius)) continue;
            const double root = std::sqrt(std::max(0.0, disc));
            for (const double t : {b - root, b + root})
                if (t >= -eps_ && WithinSweep(e, t * ur, t * ux)) c.Add(std::max(t, 0.0));
            continue;
        }
        const double dr = e.br - e.ar, dx = e.bx - e.ax;
        const double length = std::hypot(dr, dx);
        if (length == 0.0) continue;
        const double denom = Cross(ur, ux, dr, dx);
        if (std::fabs(denom) <= 1e-12 * length) {
            // Along the ray: its ends are where the ray may enter or leave.
            if (std::fabs(Cross(ur, ux, e.ar, e.ax)) > eps_) continue;
            for (const double t : {ur * e.ar + ux * e.ax, ur * e.br + ux * e.bx})
                if (t >= -eps_) c.Add(std::max(t, 0.0));
            continue;
        }
        const double t = Cross(e.ar, e.ax, dr, dx) / denom;
        const double s = Cross(e.ar, e.ax, ur, ux) / denom;
        const double slack = eps_ / length;
        if (t >= -eps_ && s >= -slack && s <= 1.0 + slack) c.Add(std::max(t, 0.0));
    }
    std::sort(c.t.begin(), c.t.begin() + static_cast<std::ptrdiff_t>(c.n));
    // Candidates closer than a few tolerances are one point of the boundary.
    size_t kept = 0;
    for (size_t i = 0; i < c.n; ++i)
        if (kept == 0 || c.t[i] - c.t[kept - 1] > 4.0 * eps_) c.t[kept++] = c.t[i];
    c.n = kept;

    // Between two candidates the ray is wholly inside or wholly outside (or along the boundary).
    bool before = false;
    for (size_t i = 0; i < c.n; ++i) {
        const double t = c.t[i];
        const double probe = i + 1 < c.n ? (t + c.t[i + 1]) / 2.0 : t + std::max(1.0, t);
        const bool after = Contains(probe * ur, probe * ux);
        if (i == 0 ? after && OnBoundary(0.0, 0.0) : after != before) out.Add(t);
        before = after;
    }
}

std::vector<double> CZoneRegion::Crossings(double dirR, double dirX) const {
    const double length = std::hypot(dirR, dirX);
    if (!std::isfinite(length) || length == 0.0 || edges_.empty()) return {};
    Candidates found;
    RayCrossings(dirR / length, dirX / length, found);
    return std::vector<double>(found.t.begin(),
                               found.t.begin() + static_cast<std::ptrdiff_t>(found.n));
}

ZoneState CZoneRegion::State(double r, double x, const ImpedanceTolerance& tolerance) const {
    if (edges_.empty() || !Finite(r, x)) return ZoneState::kOut;
    // No crossing lies farther from the point than the zone's box, nor is any band wider than
    // the band at the box's farthest corner.
    const double margin = std::max(tolerance.Band(reach_), 0.0) + eps_;
    if (!(r >= rMin_ - margin && r <= rMax_ + margin && x >= xMin_ - margin && x <= xMax_ + margin))
        return ZoneState::kOut;
    const double magnitude = std::hypot(r, x);
    if (magnitude == 0.0) {
        if (OnBoundary(0.0, 0.0)) return ZoneState::kBand;
        return Contains(0.0, 0.0) ? ZoneState::kIn : ZoneState::kOut;
    }
    Candidates found;
    RayCrossings(r / magnitude, x / magnitude, found);
    for (size_t i = 0; i < found.n; ++i)
        if (std::fabs(magnitude - found.t[i]) <= tolerance.Band(found.t[i]))
            return ZoneState::kBand;
    return Contains(r, x) ? ZoneState::kIn : ZoneState::kOut;
}

}  // namespace quorin
