#include "report/graph_xml.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

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
