// The characteristic zones of one relay template: per zone slot the fields of its zone record and
// the boundary geometry computed from them, the number of zones read and one bounding box for all
// of them. The template object owns one table and hands it out read-only; the zone reader
// (zone_reader.h), the geometry (zone_geometry.h) and ReadZones (zone_section.h) fill it.
//
// Coordinates are in the impedance plane: R horizontal, X vertical, ohms; angles in degrees.
// Stored geometry is never mirrored: a zone with invert != 0 is drawn with every R and X negated,
// and only the bounding box already holds the mirrored points.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorin {

inline constexpr int kMaxZones = 24;       // zone slots per template, numbered 1..kMaxZones
inline constexpr int kMaxZoneShapes = 30;  // shape records per zone

enum ZoneKind : int32_t { kZoneShapes = 0, kZoneCircle = 1, kZoneLens = 2 };
enum ZoneShapeType : int32_t { kShapeLine = 0, kShapeLineP = 1, kShapeArc = 2, kShapeArcP = 3 };
enum ArcDirection : int32_t { kArcCounterClockwise = 0, kArcClockwise = 1 };

// One shape record of a kind-0 zone and the boundary segment that starts with it.
struct CZoneShape {
    int32_t type = kShapeLine;  // ZoneShapeType
    std::string record;         // keyword up to and including ";"
    // Field texts as split by the shape parser: 3 for lines (x or r, y or phi, angle), 6 for arcs
    // (x or r, y or phi, radius, start, end, direction); unused entries are empty.
    std::array<std::string, 6> fields;
    int32_t direction = kArcClockwise;  // arcs only: ArcDirection
    double slope = 0.0;                 // lines only: tan(angle)

    // Where this shape meets the next one (the last meets shape 0). cornerFound is 0 when no
    // corner exists for the pair (a line that misses an arc's circle) or none was computed.
    int32_t cornerFound = 0;
    float cornerX = 0.0f, cornerY = 0.0f;
    float cornerX2 = 0.0f, cornerY2 = 0.0f;  // second copy of the corner
    // Arc data of the segment: the arc's centre, its radius (+0.0001 at a corner) and the angles
    // to draw it with.
    float centerX = 0.0f, centerY = 0.0f;
    float radius = 0.0f;
    float startAngle = 0.0f, endAngle = 0.0f;
    int32_t arcToArc = 0;  // 1: an arc joined to the next arc without an intersection
};

struct CZone {
    int32_t index = 0;
    int32_t invert = 0;  // not 0: the zone is mirrored through the origin
    std::string faultLoop;
    std::string label;  // bytes in the ANSI code page
    int32_t kind = kZoneShapes;
    int32_t shapeCount = 0;  // 0..kMaxZoneShapes
    std::array<CZoneShape, kMaxZoneShapes> shapes;

    std::string circleRecord;                 // "CIRCLE=" record
    std::array<std::string, 3> circleFields;  // forward, angle, reverse
    float circleCenterX = 0.0f, circleCenterY = 0.0f, circleRadius = 0.0f;

    std::string lensRecord;                 // "LENS=" record
    std::array<std::string, 5> lensFields;  // as split by the parser
    std::array<float, 5> lens{};            // the evaluated fields; lens[0] is the reach

    std::string text;  // the normalised record, "BEGINZONE" CR LF ... "ENDZONE" CR LF
};

// Extents of all zones as drawn (mirrored zones mirrored). -1, 1, -1, 1 when empty.
struct CZoneBox {
    float rMin = -1.0f, rMax = 1.0f;
    float xMin = -1.0f, xMax = 1.0f;
};

class CZoneTable {
public:
    CZoneTable() = default;

    // Zone count 0, every slot empty, box -1, 1, -1, 1.
    void Reset();

    int Count() const { return count_; }  // zones read, 0..kMaxZones; they fill slots 1..Count()
    // The zone in a slot (1-based). Any slot outside 1..kMaxZones gives an empty zone.
    const CZone& Zone(int slot) const;
    const CZoneBox& Box() const { return box_; }

    // Writers for the zone reader and the geometry.
    CZone* MutableZone(int slot);  // nullptr outside 1..kMaxZones
    CZoneBox& MutableBox() { return box_; }
    void SetCount(int count);  // clamped to 0..kMaxZones

private:
    int count_ = 0;
    std::array<CZone, kMaxZones> zones_;
    CZoneBox box_;
};

}  // namespace quorin
