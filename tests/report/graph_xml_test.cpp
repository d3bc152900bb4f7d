#include "report/graph_xml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <tuple>

#include "platform/codepage.h"

namespace quorin {
namespace {

std::vector<CGraph> ReadBack(const std::string& text, std::string* error = nullptr) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(text.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
    std::vector<CGraph> graphs(4);
    std::string e;
    const bool ok = GraphFromXml(doc.child("Graph"), graphs, &e);
    if (error) *error = ok ? "" : e;
    return graphs;
}

TEST(GraphXml, MissingLeavesKeepDefaultsAMissingContainerEndsTheList) {
    const auto back = ReadBack(
        "<Graph><GRAPH><XMax>3.5</XMax><LINE><Line><x2>9</x2></Line></LINE><CIRCLE/>"
        "<ARC><Arc/></ARC><POINT/></GRAPH></Graph>");
    ASSERT_EQ(back.size(), 1u);
    const CGraph& g = back[0];
    EXPECT_EQ(std::tuple(g.axisType, g.xMin, g.xMax, g.xAxisName),
              std::tuple("RX", -10.0, 3.5, Utf8ToAnsi("R(\xCE\xA9)")));
    ASSERT_EQ(std::tuple(g.lines.size(), g.arcs.size()), std::tuple(1u, 1u));
    EXPECT_EQ(std::tuple(g.lines[0].x2, g.lines[0].lineWidth, g.arcs[0].sweepAngle),
              std::tuple(9, 1, 0.0));

    std::string error;
    const auto first = ReadBack(
        "<Graph><GRAPH><PicName>ok</PicName><LINE/><CIRCLE/><ARC/><POINT/></GRAPH>"
        "<GRAPH><LINE/><CIRCLE/><ARC/></GRAPH></Graph>",
        &error);
    ASSERT_EQ(std::tuple(error, first.size()), std::tuple("GRAPH 2 has no POINT element", 1u));
    EXPECT_EQ(first[0].picName, "ok");
}

}  // namespace
}  // namespace quorin
