// A zone as a region of the impedance plane: its closed boundary as drawn (straight pieces
// between corners and true arcs, never polygonised), with the queries a test of the
// characteristic asks: does the zone hold a point, where does the search line from the origin
// cross its boundary, and is a point in, out or within the tolerance band of the boundary.
//
// Ohms and degrees as in zone_table.h. A boundary whose pieces do not meet end to end (a zone
// whose shapes do not close) is closed by straight joins from each piece's end to the next
// piece's start. The boundary belongs to the region. A point within a millionth of the zone's
// size of the boundary counts as on it: corners and arcs are stored in single precision.
#pragma once

#include <vector>

#include "zones/zone_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {

// One piece of a zone boundary in boundary order: a straight segment from (fromR, fromX) to
// (toR, toX), or an arc of the circle (centerR, centerX, radius) from startAngle to endAngle,
// counter-clockwise unless clockwise; equal angles make a whole circle. An arc's from and to are
// the corners it runs between, which lie on its circle up to single precision.
struct ZonePiece {
    bool arc = false;
    double fromR = 0.0, fromX = 0.0, toR = 0.0, toX = 0.0;
    double centerR = 0.0, centerX = 0.0, radius = 0.0;
    double startAngle = 0.0, endAngle = 0.0;
    bool clockwise = false;
};

// The boundary of a zone as drawn, unmirrored. Shape zones: each line runs between the corners
// it shares with its neighbours (left out where one is missing); each arc runs between those
// corners at its radius as written (the stored segment angles stand in for a missing corner, and
// a single arc keeps its own angles), the way round that passes through the middle of the arc as
// written, its start and end evaluated by evaluator (without one, or when they do not evaluate, the
// shorter way). Circle zones: one whole circle. Lens zones: two arcs through the tips F·(cos A, sin
// A) and -B·(cos A, sin A), bulging k·(F+B)/2 to either side of the axis, for the lens values F, A,
// k, B (k not above 0 or not finite counts as 0.5, above 1 as 1; nothing when F + B is not above
// 0). Pieces with values that are not finite, and arcs whose radius is not above 0, are left out.
std::vector<ZonePiece> ZoneBoundary(const CZone& zone, IZoneEvaluator* evaluator);

// The impedance tolerance around a crossing at distance d: max(relative·d, absolute) ohms.
struct ImpedanceTolerance {
    double relative = 0.05;
    double absolute = 0.05;
    double Band(double d) const;
};

enum class ZoneState { kOut, kIn, kBand };

// Where a point lies relative to a zone: a boundary, mirrored through the origin for an inverted
// zone. Queries never fail and allocate nothing beyond their result.
class CZoneRegion {
public:
    CZoneRegion() = default;  // the empty region: holds nothing, crosses nothing
    explicit CZoneRegion(std::vector<ZonePiece> pieces, bool mirrored = false);
    // ZoneBoundary(zone, evaluator), mirrored when the zone's invert is not 0.
    CZoneRegion(const CZone& zone, IZoneEvaluator* evaluator);

    bool Empty() const { return edges_.empty(); }

    // Whether the closed region holds (r, x): inside, or on the boundary.
    bool Contains(double r, double x) const;
    bool OnBoundary(double r, double x) const;

    // The distances d > 0 along the ray from the origin through (dirR, dirX) at which the ray
    // enters or leaves the region, ascending; a ray that only touches the boundary does not cross
    // it there. d = 0 is a crossing when the origin lies on the boundary and the ray goes on
    // inside. Nothing for the direction (0, 0) or one that is not finite.
    std::vector<double> Crossings(double dirR, double dirX) const;

    // kBand when |P| lies within tolerance.Band(d) of a crossing d of the ray through P; else kIn
    // or kOut by Contains. The origin is kBand when it lies on the boundary.
    ZoneState State(double r, double x, const ImpedanceTolerance& tolerance) const;

private:
    struct Edge {
        bool arc = false;
        double ar = 0, ax = 0, br = 0, bx = 0;  // ends
        double cr = 0, cx = 0, radius = 0;      // arcs
        double start = 0, sweep = 0;            // degrees; sweep signed, counter-clockwise > 0
        double side = 1;                        // crossing arcs: +1 right half, -1 left half
    };
    struct Candidates;
    // Writes the crossings of the ray from the origin along the unit vector (ur, ux).
    void RayCrossings(double ur, double ux, Candidates& out) const;
    bool InsideByParity(double r, double x) const;
    bool WithinSweep(const Edge& e, double r, double x) const;
    double Distance(const Edge& e, double r, double x) const;

    std::vector<Edge> edges_;     // the closed boundary, joins included
    std::vector<Edge> monotone_;  // the same with arcs cut where they turn up or down
    double rMin_ = 0, rMax_ = 0, xMin_ = 0, xMax_ = 0, eps_ = 0, reach_ = 0;
};

}  // namespace quorin
