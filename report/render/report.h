// The report object: lays a test report out page by page from the report settings and the report
// items, on the screen (sx = sy = 1) or for a printer (sx, sy the ratio of the printer's to the
// screen's resolution), and paints the pages.
//
// The items are drawn in order: the first is the report head (its title and the header tables),
// the last closes the report and draws nothing, and those between are the tests with their
// sections (parameters, characteristic table, wiring, binary inputs, configuration, settings,
// "Test Result" with the test-point tables, result graphs and the result assessment), each behind
// its switch of the report settings.
//
// Layout in logical units, each multiplied by sy (down) or sx (across) and truncated: pages 1200
// high and 1000 wide with a gap of 30 between them; text ends at 1000; tables start at 80 and are
// at most 840 wide. A composition is recorded as drawing operations per page and as a layout log
// (report/render/report_layout.h); painting replays the operations.
//
// Tables: rows 28 high with grid lines; a table's width is the sum of its column widths, and a
// column without a width is as wide as its longest text. The first row of an item's table (and
// of an extra header table) is its heading, shaded, bold and repeated at the top of every
// continued part; a part that would hold the heading alone moves to the next page. The header
// tables of the settings shade their label columns instead. Cell text is 14 high; a text too
// long for its cell is set smaller (down to 11) and only then shortened with "…". A cell with a
// check-box state shows a box before its text: ticked when the state is positive, empty when
// negative. Graphs of an item are painted by PaintGraph (graphs/graph_painter.h) centred over
// the table width, with the caption "Figure <n>: <item title>" below.
#pragma once

#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/render/report_layout.h"
#include "report/report_item.h"
#include "report/report_setting.h"

class QPainter;
class QPaintDevice;
class QFontMetricsF;
class QFont;

namespace quorin {

// A parameter line split for a parameter block: the name runs up to and including the first "="
// or ":" (whichever comes first), the value is the rest without its leading blanks. A line with
// neither separator is all name, without a value. The block shows the name, one blank and the
// value ("Vnom:57.7 V" as "Vnom: 57.7 V").
struct ParameterEntry {
    std::string name, value;
    bool hasSeparator = false;
};
ParameterEntry SplitParameterLine(std::string_view line);

class CReport {
public:
    static constexpr int kPageHeight = 1200;
    static constexpr int kPageGap = 30;
    static constexpr int kTextRight = 1000;
    static constexpr int kPageWidth = 1000;
    static constexpr int kTableLeft = 80;
    static constexpr int kTableWidth = 840;       // the width available to a table
    static constexpr int kTableSplitWidth = 700;  // running width kept when splitting by columns
    static constexpr int kRowHeight = 28;
    static constexpr int kRowsPerPart = 36;  // rows of each continued part of a long table
    // Bounds that keep bad input from filling memory: rows and columns drawn of one table, lines
    // of a parameter block, characters of one text, pages. What a bound leaves out is marked
    // where it would have been ("... 12 more rows not shown") and listed by Omissions().
    static constexpr int kMaxTableRows = 10000;
    static constexpr int kMaxTableColumns = 100;
    static constexpr int kMaxParameterLines = 10000;
    static constexpr size_t kMaxTextLength = 4096;
    static constexpr int kMaxPages = 20000;

    // Settings loaded from DefaultReportSettingPath().
    CReport();
    // Settings loaded from settingPath; an empty path loads nothing (the constructor's defaults).
    explicit CReport(const std::string& settingPath);
    // The settings given; no file is read.
    explicit CReport(CReportSetting setting);
    ~CReport();
    CReport(const CReport&) = delete;
    CReport& operator=(const CReport&) = delete;

    CReportSetting& Setting() { return setting_; }
    const CReportSetting& Setting() const { return setting_; }

    // Replacing the items drops the last composition (its operations point into the items).
    void SetItems(std::vector<CReportItem> items);
    const std::vector<CReportItem>& Items() const { return items_; }

    // Tables drawn after the four tables of the settings, whatever the switches say.
    void SetExtraHeaderTables(std::vector<CReportTable> tables);
    // The header tables of the last composition: station/bay, device information, nominal
    // values, test equipment (from the settings), then the extra tables.
    const std::vector<CReportTable>& HeaderTables() const { return headerTables_; }

    // A picture drawn after the last item; empty (the default) for none. A file that is missing
    // or cannot be read as an image leaves its place empty.
    void SetClosingPicture(std::string path) { closingPicture_ = std::move(path); }

    // The folder (ending in "/") holding "logo.bmp" (screen) and "LogoPrint.bmp" (printing);
    // ExecutableFolder() by default. Empty stands for a program path that cannot be had: pages
    // then get their frame but neither logo nor page number, and DecorationStatus() is -1.
    void SetLogoFolder(std::string folder) { logoFolder_ = std::move(folder); }
    const std::string& LogoFolder() const { return logoFolder_; }

    // Screen drawing: both scales 1, no printing flag (frame and shadow on every page,
    // "logo.bmp"). Printing: the scales given (not finite or outside 0.1..50: 1), no frame,
    // "LogoPrint.bmp"; a printing composition leaves the preview size alone.
    void SetScreen();
    void SetPrinting(float sx, float sy);
    bool Printing() const { return printing_; }
    float Sx() const { return sx_; }
    float Sy() const { return sy_; }

    // Called after each item is laid out with (items done, items in all).
    void SetProgress(std::function<void(int, int)> progress) { progress_ = std::move(progress); }

    // Lays the whole report out again from the top. Text is measured for device (null: pixel
    // metrics of the screen). Returns 1.
    int Draw(const QPaintDevice* device = nullptr);
    // Draw for the painter's device, then paints every page in report coordinates.
    int Draw(QPainter& painter);

    // Of the last composition.
    const std::vector<LayoutEntry>& Log() const { return log_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // What the bounds left out, one ANSI line each, e.g. "Zone 1", table 2: 12 more rows not
    // shown; empty when everything was drawn.
    const std::vector<std::string>& Omissions() const { return omissions_; }
    int DecorationStatus() const { return decorationStatus_; }
    // The page on which item i ended; -1 for an index out of range.
    int ItemLastPage(int item) const;

    // Device units at the current scales.
    int PageTop(int page) const;
    int PageHeightDevice() const { return S(kPageHeight); }
    int PageWidthDevice() const { return X(kPageWidth); }

    // Paints one page with the painter's origin at the page's top-left corner, on white,
    // clipped to the page. Pages out of range paint nothing.
    void PaintPage(QPainter& painter, int page) const;
    // Paints the pages that meet exposed (report coordinates) on a grey desk.
    void PaintView(QPainter& painter, const QRect& exposed) const;

    // The preview size: grown in whole pages (page plus gap) whenever something lands below it,
    // never shrunk by a later composition.
    QSize ViewSize() const { return viewSize_; }
    int ViewPages() const { return viewPages_; }

    // The height a graph takes by its picture name, in logical units: "WIRING" 200, "HARM",
    // "AB", "EL" and "UF" 500, "II" 350, any other name 400.
    static int PictureHeight(std::string_view picName);

private:
    enum class TableStyle { kHeadingRow, kLabelColumns };
    enum class ParameterList { kSettings, kCommon };

    int X(double v) const { return static_cast<int>(v * sx_); }
    int S(double v) const { return static_cast<int>(v * sy_); }
    int Y() const { return PageTop(page_) + yInPage_; }
    bool On(ReportSwitch which) const { return setting_.IsOn(which); }

    void NewPage(PageBreakReason reason);
    void GrowView(int reportY);
    void AddOp(ReportOp op);
    // An entry at the current item, page and position, with its box and text.
    LayoutEntry Entry(LayoutEntry::Kind kind, int x = 0, int width = 0, int height = 0,
                      std::string text = {}) const;
    const QFontMetricsF& Metrics(int height, bool bold);

    void PrintLine(const std::string& text, int x, int height, bool bold);
    void PrintText(const std::string& text, int x, int right, int height, bool bold, int align,
                   bool pageBreakTest);
    void DrawItem(int index, bool startNewPage);
    void DrawHeaderTables();
    void DrawTitledTable(int table, const CReportTable& t, TableStyle style, bool title);
    void DrawParameters(const CReportItem& item, ParameterList which);
    void DrawTable(int tableIndex, const CReportTable& table, int x, TableStyle style);
    void DrawTablePart(const CReportTable& table, int tableIndex, int x,
                       const std::vector<std::vector<const CReportCell*>>& cells, int firstColumn,
                       const std::vector<int>& widths, int firstRow, int rowCount,
                       bool repeatHeading, TableStyle style);
    void DrawGraph(const CReportItem& item, int graphIndex);
    void DrawAssessment(const CReportItem& item);
    void DrawClosingPicture();
    // Marks count things of what at the position and lists them with where (the item's title
    // and the part).
    void MarkOmission(long long count, const char* what, const std::string& where);
    int DrawPageDecoration(int page);
    void PaintOps(QPainter& painter, const std::vector<ReportOp>& ops) const;

    CReportSetting setting_;
    std::vector<CReportItem> items_;
    std::vector<CReportTable> extraHeaderTables_;
    std::vector<CReportTable> headerTables_;
    std::string closingPicture_;
    std::string logoFolder_;
    std::function<void(int, int)> progress_;

    float sx_ = 1.0f, sy_ = 1.0f;
    bool printing_ = false;

    // Composition state.
    int page_ = 0;     // the page count: index of the current page
    int yInPage_ = 0;  // y = PageTop(page_) + yInPage_
    bool firstItem_ = false, lastItem_ = false, keepTogether_ = false;
    unsigned textRgb_ = 0;
    int currentItem_ = -1;
    int figureCount_ = 0;
    const QPaintDevice* device_ = nullptr;
    std::vector<std::pair<int, std::unique_ptr<QFontMetricsF>>> metrics_;

    // Result of the last composition.
    std::vector<std::vector<ReportOp>> pages_;
    std::vector<LayoutEntry> log_;
    std::vector<int> itemLastPage_;
    std::vector<std::string> omissions_;
    bool pagesFull_ = false;  // the page bound was reached: nothing more is drawn
    int decorationStatus_ = 1;
    QImage logo_;
    QSize viewSize_;
    int viewPages_ = 0;
};

}  // namespace quorin
