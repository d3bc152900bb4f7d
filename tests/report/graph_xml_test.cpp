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

TEST(GraphXml, GraphWithoutShapesHasFourEmptyContainers) {
    CGraph g;
    g.axisType = "T I";
    g.picName = "a b";
    g.xAxisName = "t/s";
    const std::string text = Fragment({g});
    EXPECT_EQ(text,
              "<Graph><GRAPH>"
              "\r\n\t\t<AxisType>T I</AxisType>"
              "\r\n\t\t<XMin>-10.000000</XMin>\r\n\t\t<XMax>10.000000</XMax>"
              "\r\n\t\t<YMin>-10.000000</YMin>\r\n\t\t<YMax>10.000000</YMax>"
              "\r\n\t\t<BKColor>16777215</BKColor>\r\n\t\t<LineColor>0</LineColor>"
              "\r\n\t\t<XAxisName>t/s</XAxisName>"
              "\r\n\t\t<YAxisName>" +
                  AnsiToUtf8(g.yAxisName) +
                  "</YAxisName>"
                  "\r\n\t\t<PicName>a b</PicName>"
                  "<LINE/><CIRCLE/><ARC/><POINT/></GRAPH>\r\n</Graph>");
    const auto back = ReadBack(text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].axisType, "T I");
    EXPECT_EQ(back[0].picName, "a b");
    EXPECT_EQ(back[0].yAxisName, Utf8ToAnsi("X(\xCE\xA9)"));
    EXPECT_TRUE(back[0].lines.empty());
    EXPECT_TRUE(back[0].circles.empty());
    EXPECT_TRUE(back[0].arcs.empty());
    EXPECT_TRUE(back[0].points.empty());
}

TEST(GraphXml, ShapesAreWrittenWithTheirGaps) {
    CGraph g;
    g.lines.push_back({1, 2, 3, 4, 5, 6, 7});
    g.circles.push_back({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    g.arcs.push_back({1, 2, 3, 12.5, 90, 4, 5, 6});
    g.points.push_back({1, 2, 3, 4, 5});
    g.points.push_back({-1, -2, 0, 6, 255});
    const std::string text = Fragment({g});
    EXPECT_NE(text.find("</Point>\r\n\t<Point>"), std::string::npos);
    EXPECT_NE(text.find("</Point>\r\n\t</POINT></GRAPH>\r\n</Graph>"), std::string::npos);

    const auto back = ReadBack(text);
    ASSERT_EQ(back.size(), 1u);
    const CGraph& b = back[0];
    ASSERT_EQ(b.lines.size(), 1u);
    EXPECT_EQ(b.lines[0].y2, 4);
    EXPECT_EQ(b.lines[0].lineWidth, 7);
    ASSERT_EQ(b.circles.size(), 1u);
    EXPECT_EQ(b.circles[0].left, 4);
    EXPECT_EQ(b.circles[0].top, 5);
    EXPECT_EQ(b.circles[0].right, 6);
    EXPECT_EQ(b.circles[0].bottom, 7);
    EXPECT_EQ(b.circles[0].lineWidth, 10);
    ASSERT_EQ(b.arcs.size(), 1u);
    EXPECT_EQ(b.arcs[0].startAngle, 12.5);
    EXPECT_EQ(b.arcs[0].sweepAngle, 90.0);
    EXPECT_EQ(b.arcs[0].lineWidth, 6);
    ASSERT_EQ(b.points.size(), 2u);
    EXPECT_EQ(b.points[1].x, -1);
    EXPECT_EQ(b.points[1].pointDia, 6);
    EXPECT_EQ(b.points[1].color, 255);
}

TEST(GraphXml, TwoGraphsReadBackInOrder) {
    CGraph a, b;
    a.picName = "first";
    b.picName = "second";
    b.axisType = "IT";
    const std::string text = Fragment({a, b});
    EXPECT_NE(text.find("</GRAPH>\r\n<GRAPH>"), std::string::npos);
    const auto back = ReadBack(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].picName, "first");
    EXPECT_EQ(back[1].picName, "second");
    EXPECT_EQ(back[1].axisType, "IT");
}

TEST(GraphXml, MissingLeavesKeepTheDefaults) {
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
}

TEST(GraphXml, MissingContainerStopsWithTheGraphsBeforeIt) {
    std::string error;
    const auto back = ReadBack(
        "<Graph><GRAPH><PicName>ok</PicName><LINE/><CIRCLE/><ARC/><POINT/></GRAPH>"
        "<GRAPH><LINE/><CIRCLE/><ARC/></GRAPH></Graph>",
        &error);
    EXPECT_EQ(error, "GRAPH 2 has no POINT element");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].picName, "ok");
}

}  // namespace
}  // namespace quorin
