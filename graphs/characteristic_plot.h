// Characteristic plots: a distance relay's zones and test points in the impedance plane, drawn
// over the RX grid with zone labels and a legend. Plain data in ohms and degrees (angles from the
// positive R axis, counter-clockwise); texts are ANSI like every text of the system. A template's
// zones are converted into this description elsewhere: plots know nothing of templates.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <array>
#include <string>
#include <vector>

#include "graphs/graph_description.h"
#include "graphs/graph_layout.h"

class QPainter;
class QPaintDevice;

namespace quorin {

struct RxPoint {
    double r = 0.0, x = 0.0;
};

// One piece of a zone boundary: a straight segment between two corners, or an arc. An arc runs
// from its start angle to its end angle, counter-clockwise unless clockwise is set; equal angles
// (modulo 360) make a whole circle.
struct ZoneSegment {
    enum class Type { kLine, kArc };

    static ZoneSegment Line(RxPoint from, RxPoint to);
    static ZoneSegment Arc(RxPoint center, double radius, double startAngle, double endAngle,
                           bool clockwise = false);

    Type type = Type::kLine;
    RxPoint from, to;  // kLine
    RxPoint center;    // kArc
    double radius = 0.0;
    double startAngle = 0.0, endAngle = 0.0;
    bool clockwise = false;
};

enum class ZoneShape { kBoundary, kCircle, kLens };

// The five lens values: [0] forward reach F (ohms), [1] angle of the lens axis A (degrees),
// [2] width ratio k, the lens's width over its length (a ratio that is not finite or not above
// 0 counts as 0.5; above 1 counts as 1), [3] reverse reach B (ohms), [4] not drawn (kept so
// that a zone's five values travel unchanged). The lens runs from the tip F·(cos A, sin A) to the
// tip -B·(cos A, sin A) and is bounded by two circular arcs through both tips, bulging k·(F+B)/2
// to either side of the axis; k = 1 gives the circle through both tips.
using LensValues = std::array<double, 5>;

struct CharacteristicZone {
    std::string label;  // ANSI; empty: no label on the plot and no legend entry
    int color = -1;     // 0x00BBGGRR; negative: DefaultZoneColor(paletteIndex)
    int paletteIndex = 0;
    bool inverted = false;  // drawn mirrored through the origin (every R and X negated)
    int penStyle = 0;       // graph description pen styles (0 solid, 1 dash, 2 dot, ...)
    int lineWidth = 2;      // pixels at screen scale
    ZoneShape shape = ZoneShape::kBoundary;
    std::vector<ZoneSegment> boundary;  // kBoundary, in boundary order
    RxPoint circleCenter;               // kCircle
    double circleRadius = 0.0;
    LensValues lens{};  // kLens
};

struct TestPoint {
    RxPoint at;
    int color = 0x000000;
    int marker = kMarkerCross;  // PointMarker
    int diameter = 8;           // pixels at screen scale
};

struct CharacteristicPlot {
    CharacteristicPlot();  // axis titles "R(Ω)" and "X(Ω)" in the ANSI code page

    std::string title;           // ANSI; drawn above the plot when not empty
    std::string rTitle, xTitle;  // ANSI
    int backgroundColor = 0xFFFFFF;
    int lineColor = 0x000000;  // axes; the grid fades it toward the background
    bool legend = true;
    std::vector<CharacteristicZone> zones;
    std::vector<TestPoint> points;
};

// Extents in ohms; empty until something is added.
struct RxExtents {
    bool empty = true;
    double rMin = 0.0, rMax = 0.0, xMin = 0.0, xMax = 0.0;
    void Add(RxPoint p);  // ignores points that are not finite
    void Add(const RxExtents& other);
};

// A palette of ten distinct colours, repeating (0x00BBGGRR); any index is valid.
int DefaultZoneColor(int paletteIndex);
int ZoneColor(const CharacteristicZone& zone);

// Makes zone a circle through forward·(cos angle, sin angle) and -reverse·(cos angle, sin angle).
void SetCircleFromReach(CharacteristicZone& zone, double forward, double angleDegrees,
                        double reverse);

// The two arcs bounding a lens (unmirrored); empty when F + B is not above 0 or a value that is
// used is not finite.
std::vector<ZoneSegment> LensArcs(const LensValues& lens);

// A zone's boundary pieces as drawn: a circle becomes one whole-circle arc, a lens its two arcs,
// and an inverted zone is mirrored. Pieces with values that are not finite, and arcs whose radius
// is not above 0, are left out.
std::vector<ZoneSegment> ZonePieces(const CharacteristicZone& zone);

// A zone's outline as drawn, as polylines in ohms: one per piece, arcs sampled every
// maxStepDegrees (bounded to 0.1..45).
std::vector<std::vector<RxPoint>> ZoneOutline(const CharacteristicZone& zone,
                                              double maxStepDegrees = 2.0);

// Exact extents of a zone as drawn (arcs included), empty when it has no drawable piece.
RxExtents ZoneExtents(const CharacteristicZone& zone);

// What a plot must show: every zone, every finite test point and the origin, widened on every
// side by a twelfth of the larger span (1 ohm each way when everything sits at the origin).
RxExtents PlotRanges(const CharacteristicPlot& plot);

// The plot as a graph description: axis type "RX", ranges PlotRanges, the plot's colours and
// axis titles, zone pieces as lines and arcs (circle zones as circles), test points as points,
// coordinates and radii rounded to thousandths of an ohm (bounded to the int range). A circle's
// bounding box is left = cx - r, top = cy + r, right = cx + r, bottom = cy - r (X grows upward).
// Labels and the legend have no place in a description and are not carried.
CGraph CharacteristicPlotToGraph(const CharacteristicPlot& plot);

struct PlacedZoneLabel {
    size_t zone;  // index into the plot's zones
    QRectF box;   // device pixels
};

// Where everything of a drawn plot goes.
struct CharacteristicLayout {
    QRect title;        // empty without a title
    GraphLayout plane;  // the impedance plane (plane.plot holds the zones)
    std::vector<PlacedZoneLabel> labels;
    QRectF legend;                    // empty without a legend
    std::vector<size_t> legendZones;  // zones listed in the legend, in order
    int legendRows = 0;               // entries run down a column, then into the next
    double legendRowHeight = 0.0, legendColumnWidth = 0.0, legendSwatch = 0.0;
};

// Lays out a plot as DrawCharacteristicPlot draws it into area; device supplies the font
// resolution (null: the default). The legend lies outside the plane's plot rectangle, labels
// inside it and clear of each other.
CharacteristicLayout LayoutCharacteristicPlot(const CharacteristicPlot& plot, const QRect& area,
                                              double sizeFactor = 1.0,
                                              const QPaintDevice* device = nullptr);

// Draws the plot into area: background, title, the RX grid and axes with equal scales, the
// zones and test points, zone labels beside their zones (never over another label), and the
// legend (swatch and label per labelled zone) to the right of or below the plane, whichever
// leaves the larger plane. Labels and legend entries go to the first 64 zones only. sizeFactor as
// for PaintGraph. The painter's state is kept.
void DrawCharacteristicPlot(QPainter& painter, const QRect& area, const CharacteristicPlot& plot,
                            double sizeFactor = 1.0);

// Renders the plot to a file whose type follows the extension (any case): ".png" (a size-pixel
// image), ".svg" (size pixels at 96 dpi) or ".pdf" (a page of size points). The file is replaced
// atomically: on failure an existing file is left as it was, false is returned and *error (when
// given) says why:
//   "plotting needs a QGuiApplication"
//   "image size <w>x<h> is outside 1..20000"
//   "cannot make a <w>x<h> image" (no memory for a PNG that large)
//   "unknown plot file type \"<extension>\": use .png, .svg or .pdf"
//   "cannot write <path>"
bool RenderCharacteristicPlot(const CharacteristicPlot& plot, const std::string& path, QSize size,
                              std::string* error, double sizeFactor = 1.0);

}  // namespace quorin
