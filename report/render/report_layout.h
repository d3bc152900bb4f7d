// What a composed report is made of: the drawing operations of each page, and a log of the layout
// decisions (lines, parameters, table parts, graphs, pictures, page breaks) that tests and tools
// read without looking at pixels. Coordinates are device units of the composition (logical units
// times the scale factors); y runs down the whole report, pages stacked with a gap between them.
#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

namespace quorin {

struct CGraph;

// Why a page was started before the previous one was full.
enum class PageBreakReason {
    kItemStart,        // every test item after the first starts on a new page
    kLine,             // a text line would end less than 110 units above the page bottom
    kTestResult,       // the "Test Result" heading would start within 50 units of the bottom
    kParameterRow,     // a parameter row would end below 1150 units
    kTableRows,        // a table continues on the next page
    kGraph,            // a graph and its caption do not fit below the position
    kAssessmentBlock,  // the assessment block is kept together on the next page
    kClosingPicture,   // the closing picture does not fit below the position
};

struct LayoutEntry {
    enum class Kind {
        kItemStart,   // an item begins (y where it starts)
        kText,        // a text line: title, heading, caption, assessment line
        kParameter,   // one entry of a parameter block
        kTablePart,   // the rows and columns of one table drawn on one page
        kGraph,       // a graph of an item
        kPageBreak,   // a new page was started
        kPicture,     // the closing picture
        kLogo,        // a page's logo
        kPageNumber,  // a page's number
    };
    Kind kind = Kind::kText;
    int item = -1;  // index of the item being drawn; -1 outside the items
    int page = 0;
    int x = 0, y = 0;  // device units; y from the top of the page
    int width = 0, height = 0;
    std::string text;  // ANSI; a parameter's name and value joined
    bool bold = false;
    unsigned rgb = 0;  // 0xRRGGBB text colour

    int column = 0;     // kParameter: 0 left, 1 right
    int nameWidth = 0;  // kParameter: the width of the column's longest name

    int table = -1;  // kTablePart: index into the item's tables (the header tables for item 0)
    int firstRow = 0, rowCount = 0, firstColumn = 0, columnCount = 0;
    bool headingRepeated = false;  // the table's first row heads this part again

    int graph = -1;  // kGraph: index into the item's graphs

    PageBreakReason reason = PageBreakReason::kLine;  // kPageBreak
    int yBefore = 0;  // kPageBreak: the position on the page that was left
};

// One drawing operation in report coordinates.
struct ReportOp {
    enum class Kind { kText, kLine, kRect, kFill, kGraph, kImage };
    Kind kind = Kind::kText;
    QRect rect;  // text box, rectangle, graph area or image target
    QLine line;
    QString text;
    int fontHeight = 0;  // pixels
    bool bold = false;
    int flags = 0;  // Qt alignment flags of a text
    QColor color = Qt::black;
    int penWidth = 0;
    const CGraph* graph = nullptr;  // points into the report's items
    double sizeFactor = 1.0;
    QImage image;
};

}  // namespace quorin
