// Zone geometry: turns a zone record into boundary geometry in the impedance plane and widens the
// table's bounding box by it.
//
// Kind 0 zones: consecutive shapes (the last followed by shape 0) meet at corners: two lines at
// their intersection, a line and an arc at one of the points where the line cuts the arc's
// circle (LineCircleIntersection with the first shape's index, also for the closing pair, and the
// arc's own direction); a line that misses the circle leaves its segment as it was, without a
// corner. Two arcs in a row are joined without an intersection. "ARC=" centres are used as
// evaluated, "ARCP=" and "LINEP=" points converted from polar form. A single-arc zone keeps its
// arc and leaves the box alone. Kind 1: centre ((F+B)/2 - B)(cos A, sin A), radius (F+B)/2 for
// "CIRCLE=" F, A, B. Kind 2: the box takes in plus and minus the lens reach on both axes.
// Inverted zones keep their geometry unmirrored; only what enters the box is mirrored. Points
// that are not finite floats never enter the box.
//
// Not done: zones of four shapes are never reduced to two, and single-arc zones whose start angle
// is below 0.01 leave earlier zones unmarked; every zone keeps its full boundary.
#pragma once

#include <string>
#include <string_view>

#include "zones/zone_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {

// ReadZone (zone_reader.h) with the same arguments, then splits the shape fields, evaluates them
// and stores the geometry of the slot, widening the table's box. Returns slot, or 0 when ReadZone
// finds no record (then nothing changes).
int BuildZone(CZoneTable& table, std::string_view source, int slot, int wantedIndex,
              std::string& zoneText, int& searchPos, IZoneEvaluator& evaluator);

// The intersection of the line through (x1, y1) with slope1 and the line through (x2, y2) with
// slope2. Lines whose slopes differ by less than 0.0001 count as parallel and give (x2, y2).
// Returns 1.
int LineIntersection(double x1, double y1, double slope1, double x2, double y2, double slope2,
                     double& x, double& y);

// Where the line through (px, py) at lineAngle degrees cuts the circle (cx, cy, r) of an arc from
// arcStart to arcEnd: of the two points, the one chosen by the arc's proximity to the first point,
// zoneSlot and shapeIndex. angleA is the chosen point's angle from the centre, angleB the other's
// (degrees); with swap 1 in zone slots 1 and 2 they are exchanged. Computed in single precision;
// a line steeper than slope 100000 either way counts as vertical. Returns 1, or 0 when the line
// misses the circle (outputs unchanged).
int LineCircleIntersection(float px, float py, float lineAngle, float cx, float cy, float r,
                           float arcStart, float arcEnd, int zoneSlot, int shapeIndex,
                           int direction, int swap, float& angleA, float& angleB, float& x,
                           float& y);

}  // namespace quorin
