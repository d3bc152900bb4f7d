#include "graphs/graph_description.h"

#include "platform/codepage.h"

namespace quorin {

CGraph::CGraph()
    : axisType("RX"), xAxisName(Utf8ToAnsi("R(\xCE\xA9)")), yAxisName(Utf8ToAnsi("X(\xCE\xA9)")) {}

}  // namespace quorin
