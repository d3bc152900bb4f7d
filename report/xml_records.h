// The records of XML reports as tables of their leaves, walked by the writers
// (report/xml_writers.h) and by the readers (report/graph_xml.cpp, report/report_xml.cpp), so that
// the two agree on every element name, type and order by construction.
#pragma once

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graphs/graph_description.h"
#include "report/report_item.h"
#include "report/xml_leaf.h"

namespace quorin::xml {

// A leaf of a record: its element name and the member that holds its value (int, double or
// std::string). The name's length is part of the type and tables are tuples, so a writer walking
// a table is unrolled and copies every name with a constant size.
template <class Record, class T, size_t N>
struct Member {
    constexpr Member(const char (&tag)[N], T Record::*place) : tag(tag), place(place) {}
    const char (&tag)[N];
    T Record::*place;
};

// A list of shapes in a graph: the container, the element of each shape and its leaves.
template <class Shape, class Members>
struct ShapeList {
    Tag listTag, tag;
    std::vector<Shape> CGraph::*shapes;
    Members members;
    bool gap;  // each shape is followed by kShapeGap (not lines, as existing reports have it)
};
template <class Shape, class Members>
ShapeList(Tag, Tag, std::vector<Shape> CGraph::*, Members, bool) -> ShapeList<Shape, Members>;

constexpr std::tuple kGraphMembers{
    Member{"AxisType", &CGraph::axisType},   Member{"XMin", &CGraph::xMin},
    Member{"XMax", &CGraph::xMax},           Member{"YMin", &CGraph::yMin},
    Member{"YMax", &CGraph::yMax},           Member{"BKColor", &CGraph::bkColor},
    Member{"LineColor", &CGraph::lineColor}, Member{"XAxisName", &CGraph::xAxisName},
    Member{"YAxisName", &CGraph::yAxisName}, Member{"PicName", &CGraph::picName}};

// The leaves that several shapes share, in the order the shapes store them.
template <class Shape>
constexpr std::tuple kCenter{Member{"CenterX", &Shape::centerX}, Member{"CenterY", &Shape::centerY},
                             Member{"Radius", &Shape::radius}};
template <class Shape>
constexpr std::tuple kPen{Member{"Color", &Shape::color}, Member{"DrawStyle", &Shape::drawStyle},
                          Member{"LineWidth", &Shape::lineWidth}};

constexpr ShapeList kLines{
    "LINE", "Line", &CGraph::lines,
    std::tuple_cat(std::tuple{Member{"x1", &CGraphLine::x1}, Member{"y1", &CGraphLine::y1},
                              Member{"x2", &CGraphLine::x2}, Member{"y2", &CGraphLine::y2}},
                   kPen<CGraphLine>),
    false};
constexpr ShapeList kCircles{
    "CIRCLE", "Circle", &CGraph::circles,
    std::tuple_cat(
        kCenter<CGraphCircle>,
        std::tuple{Member{"left", &CGraphCircle::left}, Member{"Top", &CGraphCircle::top},
                   Member{"Right", &CGraphCircle::right}, Member{"Bottom", &CGraphCircle::bottom}},
        kPen<CGraphCircle>),
    true};
constexpr ShapeList kArcs{"ARC", "Arc", &CGraph::arcs,
                          std::tuple_cat(kCenter<CGraphArc>,
                                         std::tuple{Member{"StartAngle", &CGraphArc::startAngle},
                                                    Member{"SweepAngle", &CGraphArc::sweepAngle}},
                                         kPen<CGraphArc>),
                          true};
constexpr ShapeList kPoints{
    "POINT", "Point", &CGraph::points,
    std::tuple{Member{"x", &CGraphPoint::x}, Member{"y", &CGraphPoint::y},
               Member{"DrawType", &CGraphPoint::drawType},
               Member{"PointDia", &CGraphPoint::pointDia}, Member{"Color", &CGraphPoint::color}},
    true};

constexpr std::tuple kColumnMembers{Member{"Width", &CReportColumn::width},
                                    Member{"Index", &CReportColumn::index},
                                    Member{"Rows", &CReportColumn::rowCount}};

constexpr std::tuple kTableMembers{
    Member{"Rows", &CReportTable::rowCount}, Member{"Cols", &CReportTable::colCount},
    Member{"PosX", &CReportTable::posX},     Member{"PosY", &CReportTable::posY},
    Member{"Height", &CReportTable::height}, Member{"Width", &CReportTable::width}};

template <class Sink, class Record, class Members, size_t... I>
[[gnu::always_inline]] inline void AddLeaves(Sink& sink, const Record& record,
                                             const Members& members, std::index_sequence<I...>) {
    (AddChild(sink, std::get<I>(members).tag, record.*std::get<I>(members).place), ...);
}

// One leaf per member of the table, in its order, unrolled in place (std::apply would leave a
// call per record).
template <class Sink, class Record, class Members>
[[gnu::always_inline]] inline void AddMembers(Sink& sink, const Record& record,
                                              const Members& members) {
    AddLeaves(sink, record, members, std::make_index_sequence<std::tuple_size_v<Members>>());
}

// ReadRecord into the members of a table.
template <class Record, class Members>
void ReadMembers(pugi::xml_node node, Record& record, const Members& members) {
    std::apply(
        [&](const auto&... m) {
            const char* const tags[] = {m.tag...};
            const Field fields[] = {&(record.*m.place)...};
            ReadRecord(node, tags, fields);
        },
        members);
}

}  // namespace quorin::xml
