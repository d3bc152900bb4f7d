#include "report/graph_xml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

#include "platform/codepage.h"

namespace quorin {
namespace {

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

std::string Fragment(const std::vector<CGraph>& graphs) {
    pugi::xml_document doc;
    GraphToXml(graphs, doc.append_child("Graph"));
    StringWriter w;
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration);
    return w.out;
}

std::vector<CGraph> ReadBack(const std::string& text, std::string* error = nullptr) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(text.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
    std::vector<CGraph> graphs(4);
    std::string e;
    const bool ok = GraphFromXml(doc.child("Graph"), graphs, &e);
    if (error) *error = ok ? "" : e;
    return graphs;
}

TEST(GraphXml, EveryShapeFieldAndEveryGraphReadsBackInOrder) {
    CGraph g, second;
    g.lines.push_back({1, 2, 3, 4, 5, 6, 7});
    g.circles.push_back({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    g.arcs.push_back({1, 2, 3, 12.5, 90, 4, 5, 6});
    g.points.push_back({1, 2, 3, 4, 5});
    g.points.push_back({-1, -2, 0, 6, 255});
    second.picName = "a b";
    second.axisType = "IT";
    const std::string text = Fragment({g, second});
    EXPECT_NE(text.find("</Point>\r\n\t<Point>"), std::string::npos);
    EXPECT_NE(text.find("</Point>\r\n\t</POINT></GRAPH>\r\n<GRAPH>"), std::string::npos);

    const auto back = ReadBack(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].picName, "a b");
    EXPECT_EQ(back[1].axisType, "IT");
    const CGraph& b = back[0];
    ASSERT_EQ(b.lines.size(), 1u);
    const CGraphLine& l = b.lines[0];
    EXPECT_EQ(std::vector<int>({l.x1, l.y1, l.x2, l.y2, l.color, l.drawStyle, l.lineWidth}),
              std::vector<int>({1, 2, 3, 4, 5, 6, 7}));
    ASSERT_EQ(b.circles.size(), 1u);
    const CGraphCircle& c = b.circles[0];
    EXPECT_EQ(std::vector<int>({c.centerX, c.centerY, c.radius, c.left, c.top, c.right, c.bottom,
                                c.color, c.drawStyle, c.lineWidth}),
              std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_EQ(b.arcs.size(), 1u);
    const CGraphArc& a = b.arcs[0];
    EXPECT_EQ(std::vector<int>({a.centerX, a.centerY, a.radius, a.color, a.drawStyle, a.lineWidth}),
              std::vector<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(a.startAngle, 12.5);
    EXPECT_EQ(a.sweepAngle, 90.0);
    ASSERT_EQ(b.points.size(), 2u);
    const CGraphPoint& p = b.points[1];
    EXPECT_EQ(std::vector<int>({p.x, p.y, p.drawType, p.pointDia, p.color}),
              std::vector<int>({-1, -2, 0, 6, 255}));
}

TEST(GraphXml, MissingLeavesKeepDefaultsAMissingContainerEndsTheList) {
    const auto back = ReadBack(
        "<Graph><GRAPH><XMax>3.5</XMax><LINE><Line><x2>9</x2></Line></LINE><CIRCLE/>"
        "<ARC><Arc/></ARC><POINT/></GRAPH></Graph>");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].axisType, "RX");
    EXPECT_EQ(back[0].xMin, -10.0);
    EXPECT_EQ(back[0].xMax, 3.5);
    EXPECT_EQ(back[0].xAxisName, Utf8ToAnsi("R(\xCE\xA9)"));
    ASSERT_EQ(back[0].lines.size(), 1u);
    EXPECT_EQ(back[0].lines[0].x2, 9);
    EXPECT_EQ(back[0].lines[0].lineWidth, 1);
    ASSERT_EQ(back[0].arcs.size(), 1u);
    EXPECT_EQ(back[0].arcs[0].sweepAngle, 0.0);

    std::string error;
    const auto first = ReadBack(
        "<Graph><GRAPH><PicName>ok</PicName><LINE/><CIRCLE/><ARC/><POINT/></GRAPH>"
        "<GRAPH><LINE/><CIRCLE/><ARC/></GRAPH></Graph>",
        &error);
    EXPECT_EQ(error, "GRAPH 2 has no POINT element");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].picName, "ok");
}

}  // namespace
}  // namespace quorin
