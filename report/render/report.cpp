#include "report/render/report.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "graphs/graph_painter.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/render/header_tables.h"
#include "report/render/result_assessment.h"

namespace quorin {
namespace {

using Kind = LayoutEntry::Kind;

constexpr int kCellFontHeight = 14;
constexpr int kMinCellFontHeight = 11;
constexpr int kCellPadding = 5;
constexpr int kCheckBoxSize = 12;
constexpr int kShadow = 4;  // screen pixels of the page shadow
const QColor kGridColor(0x30, 0x30, 0x30);
const QColor kHeadingFill(0xE4, 0xE4, 0xE4);
const QColor kLabelFill(0xF2, 0xF2, 0xF2);
const QColor kFrameColor(0x80, 0x80, 0x80);
const QColor kShadowColor(0x50, 0x50, 0x50);
const QColor kDeskColor(0x9C, 0x9C, 0x9C);

QString ToQ(std::string_view ansi) {
    if (ansi.size() > CReport::kMaxTextLength) ansi = ansi.substr(0, CReport::kMaxTextLength);
    std::u16string text = AnsiToUtf16(ansi);
    // In report texts "$" stands for a blank (it is stored so), and it is drawn as one.
    std::replace(text.begin(), text.end(), u'$', u' ');
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ReportFont(int height, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, height));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QColor FromRgb(unsigned rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u));
}

int Ceil(double v) {
    return static_cast<int>(std::clamp(std::ceil(v), 0.0, 1.0e9));
}

bool IsWiring(const CGraph& graph) {
    return graph.picName == "WIRING";
}

bool IsEmptyTable(const CReportTable& t) {
    return t.rowCount <= 0 || t.colCount <= 0 || t.columns.empty();
}

}  // namespace

ParameterEntry SplitParameterLine(std::string_view line) {
    ParameterEntry entry;
    size_t at = line.find_first_of("=:");
    if (at == std::string_view::npos) {
        entry.name.assign(line);
        return entry;
    }
    entry.hasSeparator = true;
    entry.name.assign(line.substr(0, at + 1));
    size_t value = line.find_first_not_of(" \t", at + 1);
    if (value != std::string_view::npos) entry.value.assign(line.substr(value));
    return entry;
}

CReport::CReport() : CReport(DefaultReportSettingPath()) {}

CReport::CReport(const std::string& settingPath) : logoFolder_(ExecutableFolder()) {
    setting_.Load(settingPath);
}

CReport::CReport(CReportSetting setting)
    : setting_(std::move(setting)), logoFolder_(ExecutableFolder()) {}

CReport::~CReport() = default;

void CReport::SetItems(std::vector<CReportItem> items) {
    items_ = std::move(items);
    pages_.clear();
    log_.clear();
    itemLastPage_.clear();
}

void CReport::SetExtraHeaderTables(std::vector<CReportTable> tables) {
    extraHeaderTables_ = std::move(tables);
}

void CReport::SetScreen() {
    printing_ = false;
    sx_ = sy_ = 1.0f;
}

void CReport::SetPrinting(float sx, float sy) {
    auto valid = [](float v) { return std::isfinite(v) && v >= 0.1f && v <= 50.0f; };
    printing_ = true;
    sx_ = valid(sx) ? sx : 1.0f;
    sy_ = valid(sy) ? sy : 1.0f;
}

int CReport::PageTop(int page) const {
    return page * (S(kPageHeight) + S(kPageGap));
}

int CReport::ItemLastPage(int item) const {
    if (item < 0 || item >= static_cast<int>(itemLastPage_.size())) return -1;
    return itemLastPage_[static_cast<size_t>(item)];
}

int CReport::PictureHeight(std::string_view picName) {
    if (picName == "WIRING") return 200;
    if (picName == "HARM" || picName == "AB" || picName == "EL" || picName == "UF") return 500;
    if (picName == "II") return 350;
    return 400;
}

LayoutEntry CReport::Entry(LayoutEntry::Kind kind, int x, int width, int height,
                           std::string text) const {
    return {.kind = kind,
            .item = currentItem_,
            .page = page_,
            .x = x,
            .y = yInPage_,
            .width = width,
            .height = height,
            .text = std::move(text)};
}

const QFontMetricsF& CReport::Metrics(int height, bool bold) {
    const int key = height * 2 + (bold ? 1 : 0);
    for (const auto& [k, m] : metrics_)
        if (k == key) return *m;
    QFont font = ReportFont(height, bold);
    metrics_.emplace_back(key, device_ ? std::make_unique<QFontMetricsF>(font, device_)
                                       : std::make_unique<QFontMetricsF>(font));
    return *metrics_.back().second;
}

void CReport::AddOp(ReportOp op) {
    if (!pagesFull_) pages_[static_cast<size_t>(page_)].push_back(std::move(op));
}

void CReport::MarkOmission(long long count, const char* what, const std::string& where) {
    std::string text = FormatInt(count) + " more " + what + (count == 1 ? "" : "s") + " not shown";
    omissions_.push_back(where + ": " + text);
    PrintLine("... " + text, X(kTableLeft), S(12), false);
}

void CReport::GrowView(int reportY) {
    if (printing_) return;  // the preview is a screen thing
    const int unit = S(kPageHeight) + S(kPageGap);
    const int pages = std::max(0, reportY) / unit + 1;
    if (pages > viewPages_) {
        viewPages_ = pages;
        viewSize_ = QSize(X(kPageWidth), pages * unit);
    }
}

void CReport::NewPage(PageBreakReason reason) {
    if (page_ + 1 >= kMaxPages) {
        // The last page says so at its foot; what follows is left out.
        if (!pagesFull_) {
            yInPage_ = S(kPageHeight) - S(80);
            PrintText(
                CFormat("... the rest of the report is not shown (more than %d pages)", kMaxPages),
                X(kTableLeft), X(kTextRight), S(12), false, Qt::AlignLeft | Qt::AlignTop, false);
            omissions_.push_back(CFormat("the report: pages after page %d not shown", kMaxPages));
            pagesFull_ = true;
        }
        yInPage_ = S(100);
        return;
    }
    LayoutEntry e = Entry(Kind::kPageBreak);
    e.reason = reason;
    e.yBefore = yInPage_;
    log_.push_back(std::move(e));
    ++page_;
    pages_.resize(static_cast<size_t>(page_) + 1);
    yInPage_ = S(100);
    GrowView(Y());
}

int CReport::Draw(QPainter& painter) {
    int status = Draw(painter.device());
    PaintView(painter, QRect(0, 0, PageWidthDevice(), PageTop(PageCount())));
    return status;
}

int CReport::Draw(const QPaintDevice* device) {
    if (!printing_) sx_ = sy_ = 1.0f;
    device_ = device;
    metrics_.clear();
    pages_.assign(1, {});
    log_.clear();
    itemLastPage_.clear();
    omissions_.clear();
    pagesFull_ = false;
    headerTables_ = BuildHeaderTables(setting_);
    headerTables_.insert(headerTables_.end(), extraHeaderTables_.begin(), extraHeaderTables_.end());
    logo_ = logoFolder_.empty() ? QImage()
                                : QImage(QString::fromStdString(
                                      logoFolder_ + (printing_ ? "LogoPrint.bmp" : "logo.bmp")));
    page_ = 0;
    yInPage_ = S(70);
    keepTogether_ = false;
    textRgb_ = 0;
    figureCount_ = 0;
    currentItem_ = -1;
    GrowView(Y());

    const int count = static_cast<int>(items_.size());
    for (int i = 0; i < count; ++i) {
        firstItem_ = i == 0;
        lastItem_ = count > 1 && i == count - 1;
        currentItem_ = i;
        yInPage_ += S(30);
        DrawItem(i, !(i <= 1 || i == count - 1));
        itemLastPage_.push_back(page_);
        if (progress_) progress_(i + 1, count);
    }
    currentItem_ = -1;
    firstItem_ = lastItem_ = false;
    DrawClosingPicture();

    for (int p = 0; p < PageCount(); ++p)
        decorationStatus_ = DrawPageDecoration(p);

    page_ = 0;
    yInPage_ = S(70);
    device_ = nullptr;
    metrics_.clear();
    return 1;
}

void CReport::PrintLine(const std::string& text, int x, int height, bool bold) {
    PrintText(text, x, X(kTextRight), height, bold, Qt::AlignLeft | Qt::AlignTop, true);
}

void CReport::PrintText(const std::string& text, int x, int right, int height, bool bold, int align,
                        bool pageBreakTest) {
    if (pageBreakTest && !keepTogether_ && yInPage_ + S(30) + S(50) > S(kPageHeight) - S(30)) {
        NewPage(PageBreakReason::kLine);
    }
    const QRect rect(x, Y(), std::max(0, right - x), height + S(5));
    const QFontMetricsF& fm = Metrics(height, bold);
    QString shown = fm.elidedText(ToQ(text), Qt::ElideRight, rect.width());

    LayoutEntry e = Entry(Kind::kText, x, Ceil(fm.horizontalAdvance(shown)), height, text);
    e.bold = bold;
    e.rgb = textRgb_;
    log_.push_back(std::move(e));

    ReportOp op;
    op.kind = ReportOp::Kind::kText;
    op.rect = rect;
    op.text = std::move(shown);
    op.fontHeight = height;
    op.bold = bold;
    op.flags = align | Qt::TextSingleLine;
    op.color = FromRgb(textRgb_);
    AddOp(std::move(op));

    yInPage_ += height + S(13);
    GrowView(Y());
}

void CReport::DrawItem(int index, bool startNewPage) {
    const CReportItem& item = items_[static_cast<size_t>(index)];
    if (startNewPage) NewPage(PageBreakReason::kItemStart);
    log_.push_back(Entry(Kind::kItemStart));
    if (!lastItem_) PrintLine(item.title, X(60), S(20), true);
    if (firstItem_) {
        DrawHeaderTables();
        return;
    }
    if (lastItem_) return;

    auto heading = [this](const char* text) { PrintLine(text, X(80), S(16), true); };
    auto tablesOf = [&item](TableKind kind) {
        std::vector<int> found;
        for (size_t t = 0; t < item.tables.size(); ++t)
            if (item.tables[t].kind == kind && !IsEmptyTable(item.tables[t]))
                found.push_back(static_cast<int>(t));
        return found;
    };

    if (On(ReportSwitch::kCommonPara) && !item.testParaLines.empty())
        DrawParameters(item, ParameterList::kCommon);

    if (On(ReportSwitch::kCharacteristicTable)) {
        std::vector<int> tables = tablesOf(TableKind::kCharacteristic);
        if (!tables.empty()) heading("Characteristic Curve");
        for (int t : tables)
            DrawTitledTable(t, item.tables[size_t(t)], TableStyle::kHeadingRow, false);
    }

    if (On(ReportSwitch::kWiringLayout)) {
        bool titled = false;
        for (size_t g = 0; g < item.graphs.size(); ++g) {
            if (!IsWiring(item.graphs[g])) continue;
            if (!titled) heading("Wiring Layout");
            titled = true;
            DrawGraph(item, static_cast<int>(g));
        }
    }

    if (On(ReportSwitch::kBinary)) {
        for (int t : tablesOf(TableKind::kBinary)) {
            const CReportTable& table = item.tables[size_t(t)];
            if (table.rowCount == 1 && table.colCount == 1) continue;
            DrawTitledTable(t, table, TableStyle::kHeadingRow, true);
        }
    }

    if (On(ReportSwitch::kTestConfig)) {
        for (int t : tablesOf(TableKind::kConfiguration))
            DrawTitledTable(t, item.tables[size_t(t)], TableStyle::kHeadingRow, true);
    }

    if (On(ReportSwitch::kSettings) && !item.setLines.empty())
        DrawParameters(item, ParameterList::kSettings);

    if (yInPage_ + S(50) > S(kPageHeight)) NewPage(PageBreakReason::kTestResult);
    heading("Test Result");
    for (size_t t = 0; t < item.tables.size(); ++t) {
        const CReportTable& table = item.tables[t];
        if (table.kind == TableKind::kTestPointParameters) {
            if (On(ReportSwitch::kTestPointPara))
                DrawTitledTable(int(t), table, TableStyle::kHeadingRow, true);
        } else if (table.kind == TableKind::kTestPoints) {
            if (On(ReportSwitch::kTestPointTable))
                DrawTitledTable(int(t), table, TableStyle::kHeadingRow, false);
        }
    }

    if (On(ReportSwitch::kResultGraph)) {
        for (size_t g = 0; g < item.graphs.size(); ++g)
            if (!IsWiring(item.graphs[g])) DrawGraph(item, static_cast<int>(g));
    }

    if (On(ReportSwitch::kResultAssess) && !item.result.empty()) DrawAssessment(item);
}

void CReport::DrawHeaderTables() {
    static constexpr ReportSwitch kGates[] = {
        ReportSwitch::kStationBay, ReportSwitch::kDeviceInformation, ReportSwitch::kNominalValues,
        ReportSwitch::kTestEquipment};
    for (size_t i = 0; i < headerTables_.size(); ++i) {
        if (i < 4 && !On(kGates[i])) continue;
        DrawTitledTable(static_cast<int>(i), headerTables_[i],
                        i < 4 ? TableStyle::kLabelColumns : TableStyle::kHeadingRow, true);
    }
}

void CReport::DrawTitledTable(int table, const CReportTable& t, TableStyle style, bool title) {
    if (IsEmptyTable(t)) return;
    if (title && !t.title.empty()) PrintLine(t.title, X(80), S(16), true);
    DrawTable(table, t, X(kTableLeft), style);
}

void CReport::DrawParameters(const CReportItem& item, ParameterList which) {
    const bool settings = which == ParameterList::kSettings;
    const std::vector<std::string>& lines = settings ? item.setLines : item.testParaLines;
    PrintLine(settings ? "Test Setting" : "System Parameters: ", X(80), S(16), true);

    const int count = static_cast<int>(std::min<size_t>(lines.size(), kMaxParameterLines));
    const int height = S(12);
    const QFontMetricsF& fm = Metrics(height, false);
    // Each entry reads as its name, one blank, its value; a column is as wide as its longest
    // entry (and never narrower than its longest name).
    std::vector<QString> shown(static_cast<size_t>(count));
    std::vector<double> widths(static_cast<size_t>(count));
    double nameWidth[2] = {0, 0}, columnWidth[2] = {0, 0};
    for (int i = 0; i < count; ++i) {
        const ParameterEntry entry = SplitParameterLine(DollarsToBlanks(lines[size_t(i)]));
        const QString name = ToQ(entry.name);
        QString& text = shown[size_t(i)];
        text = entry.value.empty() ? name : name + QLatin1Char(' ') + ToQ(entry.value);
        widths[size_t(i)] = fm.horizontalAdvance(text);
        nameWidth[i % 2] = std::max(nameWidth[i % 2], fm.horizontalAdvance(name));
        columnWidth[i % 2] = std::max({columnWidth[i % 2], nameWidth[i % 2], widths[size_t(i)]});
    }
    const int left = X(100), right = X(920), room = right - left;
    int widthL = Ceil(columnWidth[0]) + 1, widthR = Ceil(columnWidth[1]) + 1;
    int gap = 0;
    if (widthL + widthR <= room) {
        gap = std::min(room - widthL - widthR, X(200));
    } else {
        // Too wide for the line: the columns share it by their widths and shorten their texts.
        gap = std::min(X(20), room / 10);
        const int share = room - gap;
        const int shareL =
            static_cast<int>(static_cast<long long>(share) * widthL / std::max(1, widthL + widthR));
        widthR = share - shareL;
        widthL = shareL;
    }
    const int columnX[2] = {left, left + widthL + gap};
    const int columnW[2] = {widthL, widthR};

    for (int row = 0; row * 2 < count; ++row) {
        if (yInPage_ + height + S(5) > S(1150)) NewPage(PageBreakReason::kParameterRow);
        for (int col = 0; col < 2; ++col) {
            const int i = row * 2 + col;
            if (i >= count) break;
            ReportOp op;
            op.kind = ReportOp::Kind::kText;
            op.rect = QRect(columnX[col], Y(), columnW[col], height + S(5));
            op.text = fm.elidedText(shown[size_t(i)], Qt::ElideRight, op.rect.width());
            op.fontHeight = height;
            op.flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
            AddOp(std::move(op));

            LayoutEntry e =
                Entry(Kind::kParameter, columnX[col],
                      std::min(columnW[col], Ceil(widths[size_t(i)])), height, lines[size_t(i)]);
            e.column = col;
            e.nameWidth = Ceil(nameWidth[col]);
            log_.push_back(std::move(e));
        }
        yInPage_ += height + S(13);
        GrowView(Y());
    }
    if (lines.size() > static_cast<size_t>(count))
        MarkOmission(static_cast<long long>(lines.size()) - count, "line",
                     "\"" + item.title + "\", " + (settings ? "settings" : "common parameters"));
}

void CReport::DrawTable(int tableIndex, const CReportTable& table, int x, TableStyle style) {
    const int cols = static_cast<int>(std::min<long long>(
        {static_cast<long long>(table.colCount), static_cast<long long>(table.columns.size()),
         static_cast<long long>(kMaxTableColumns)}));
    const int rows = std::min(table.rowCount, kMaxTableRows);
    if (rows <= 0 || cols <= 0) return;

    // The first cell of each row index, as CellText finds it.
    std::vector<std::vector<const CReportCell*>> cells(
        static_cast<size_t>(cols), std::vector<const CReportCell*>(size_t(rows), nullptr));
    for (int c = 0; c < cols; ++c) {
        for (const CReportCell& cell : table.columns[size_t(c)].cells) {
            if (cell.rowIndex < 0 || cell.rowIndex >= rows) continue;
            const CReportCell*& slot = cells[size_t(c)][size_t(cell.rowIndex)];
            if (!slot) slot = &cell;
        }
    }
    // Logical widths; a column without a width is as wide as its longest text.
    std::vector<int> widths(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        int w = table.columns[size_t(c)].width;
        if (w <= 0) {
            const QFontMetricsF& bold = Metrics(S(kCellFontHeight), true);
            double longest = 0;
            for (const CReportCell* cell : cells[size_t(c)])
                if (cell) longest = std::max(longest, bold.horizontalAdvance(ToQ(cell->text)));
            w = Ceil(longest / sx_) + 2 * kCellPadding + 2;
        }
        widths[size_t(c)] = std::clamp(w, 1, 100000);
    }

    const int rowHeight = S(kRowHeight);
    const bool headingRow = style == TableStyle::kHeadingRow;
    for (int c0 = 0; c0 < cols;) {
        std::vector<int> part(widths.begin() + c0, widths.end());
        long long total = 0;
        for (int w : part)
            total += w;
        if (total > kTableWidth) {
            if (kTableWidth > 0.75 * static_cast<double>(total)) {
                for (int& w : part)
                    w = static_cast<int>(static_cast<double>(w) * kTableWidth /
                                         static_cast<double>(total));
            } else {
                long long run = 0;
                size_t keep = 0;
                while (keep < part.size() && run + part[keep] <= kTableSplitWidth)
                    run += part[keep++];
                // A column wider than the split width still makes a table of its own.
                if (keep == 0) {
                    keep = 1;
                    part[0] = std::min(part[0], kTableWidth);
                }
                part.resize(keep);
            }
        }
        std::vector<int> device(part.size());
        for (size_t k = 0; k < part.size(); ++k)
            device[k] = X(part[k]);

        const int limit = S(kPageHeight) - S(50);
        if (yInPage_ + static_cast<long long>(rows) * rowHeight <= limit) {
            DrawTablePart(table, tableIndex, x, cells, c0, device, 0, rows, false, style);
        } else {
            const int fit = std::max(0, (limit - yInPage_) / rowHeight);
            int first = std::max(0, fit - 1);
            if (headingRow && first == 1) first = 0;  // never a heading alone at a page's foot
            if (first > 0)
                DrawTablePart(table, tableIndex, x, cells, c0, device, 0, first, false, style);
            for (int r = first; r < rows;) {
                NewPage(PageBreakReason::kTableRows);
                const int n = std::min(kRowsPerPart, rows - r);
                DrawTablePart(table, tableIndex, x, cells, c0, device, r, n, headingRow && r > 0,
                              style);
                r += n;
            }
        }
        yInPage_ += S(10);
        c0 += static_cast<int>(part.size());
    }
    const long long columns = std::min<long long>(table.colCount, table.columns.size());
    const std::string where = "\"" + (currentItem_ >= 0 ? items_[size_t(currentItem_)].title : "") +
                              "\", table " + FormatInt(tableIndex + 1);
    if (table.rowCount > rows) MarkOmission(table.rowCount - rows, "row", where);
    if (columns > cols) MarkOmission(columns - cols, "column", where);
}

void CReport::DrawTablePart(const CReportTable& table, int tableIndex, int x,
                            const std::vector<std::vector<const CReportCell*>>& cells,
                            int firstColumn, const std::vector<int>& widths, int firstRow,
                            int rowCount, bool repeatHeading, TableStyle style) {
    std::vector<int> rowsShown;
    if (repeatHeading) rowsShown.push_back(0);
    for (int r = firstRow; r < firstRow + rowCount; ++r)
        rowsShown.push_back(r);

    const int rowHeight = S(kRowHeight);
    const int top = Y();
    int width = 0;
    for (int w : widths)
        width += w;
    const int height = static_cast<int>(rowsShown.size()) * rowHeight;
    const int fontHeight = S(kCellFontHeight);
    const int minFontHeight = S(kMinCellFontHeight);
    const int pad = X(kCellPadding);
    const int box = S(kCheckBoxSize);

    using Shape = ReportOp::Kind;
    auto shape = [this](Shape kind, QRect rect, QLine line, QColor color, int penWidth) {
        ReportOp op;
        op.kind = kind;
        op.rect = rect;
        op.line = line;
        op.color = color;
        op.penWidth = penWidth;
        AddOp(std::move(op));
    };
    auto fill = [&](QRect r, QColor color) { shape(Shape::kFill, r, {}, color, 0); };
    auto line = [&](QLine l, int penWidth) { shape(Shape::kLine, {}, l, kGridColor, penWidth); };
    const int pen = std::max(1, S(1));

    for (size_t j = 0; j < rowsShown.size(); ++j) {
        const int r = rowsShown[j];
        const int y = top + static_cast<int>(j) * rowHeight;
        const bool heading = style == TableStyle::kHeadingRow && r == 0;
        if (heading) fill(QRect(x, y, width, rowHeight), kHeadingFill);
        int cx = x;
        for (size_t k = 0; k < widths.size(); ++k) {
            const int w = widths[k];
            const bool label = style == TableStyle::kLabelColumns && k % 2 == 0;
            if (label) fill(QRect(cx, y, w, rowHeight), kLabelFill);
            const CReportCell* cell = cells[size_t(firstColumn) + k][size_t(r)];
            if (cell) {
                int textX = cx + pad;
                if (cell->checkBox != 0) {
                    // Positive: a ticked box; negative: an empty one.
                    QRect square(textX, y + (rowHeight - box) / 2, box, box);
                    shape(Shape::kRect, square, {}, kGridColor, pen);
                    if (cell->checkBox > 0) {
                        line(QLine(square.left() + box / 5, square.top() + box / 2,
                                   square.left() + box * 2 / 5, square.bottom() - box / 5),
                             pen * 2);
                        line(QLine(square.left() + box * 2 / 5, square.bottom() - box / 5,
                                   square.right() - box / 5, square.top() + box / 5),
                             pen * 2);
                    }
                    textX += box + pad;
                }
                if (!cell->text.empty()) {
                    ReportOp op;
                    op.kind = ReportOp::Kind::kText;
                    op.rect = QRect(textX, y, std::max(0, cx + w - pad - textX), rowHeight);
                    // A text too long for its cell is set smaller first, shortened only then.
                    const QString text = ToQ(cell->text);
                    int size = fontHeight;
                    while (size > minFontHeight &&
                           Metrics(size, heading).horizontalAdvance(text) > op.rect.width())
                        --size;
                    op.text =
                        Metrics(size, heading).elidedText(text, Qt::ElideRight, op.rect.width());
                    op.fontHeight = size;
                    op.bold = heading;
                    op.flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
                    AddOp(std::move(op));
                }
            }
            cx += w;
        }
    }
    for (size_t j = 1; j < rowsShown.size(); ++j) {
        const int y = top + static_cast<int>(j) * rowHeight;
        line(QLine(x, y, x + width, y), pen);
    }
    int cx = x;
    for (size_t k = 0; k + 1 < widths.size(); ++k) {
        cx += widths[k];
        line(QLine(cx, top, cx, top + height), pen);
    }
    shape(Shape::kRect, QRect(x, top, width, height), {}, kGridColor, pen);

    LayoutEntry e = Entry(Kind::kTablePart, x, width, height, table.title);
    e.table = tableIndex;
    e.firstRow = firstRow;
    e.rowCount = rowCount;
    e.firstColumn = firstColumn;
    e.columnCount = static_cast<int>(widths.size());
    e.headingRepeated = repeatHeading;
    log_.push_back(std::move(e));

    yInPage_ += height;
    GrowView(Y());
}

void CReport::DrawGraph(const CReportItem& item, int graphIndex) {
    const CGraph& graph = item.graphs[static_cast<size_t>(graphIndex)];
    const int height = static_cast<int>(PictureHeight(graph.picName) * sx_);
    if (yInPage_ + height + S(50) >= S(kPageHeight) - S(30)) NewPage(PageBreakReason::kGraph);
    const int width = X(kTextRight) * 2 / 3;
    const int x = X(kTableLeft) + (X(kTableWidth) - width) / 2;

    ReportOp op;
    op.kind = ReportOp::Kind::kGraph;
    op.rect = QRect(x, Y(), width, height);
    op.graph = &graph;
    op.sizeFactor = sx_;
    AddOp(std::move(op));

    LayoutEntry e = Entry(Kind::kGraph, x, width, height, graph.picName);
    e.graph = graphIndex;
    log_.push_back(std::move(e));
    yInPage_ += height + S(5);

    // The caption stays with its graph: the test above left room for it.
    ++figureCount_;
    PrintText(CFormat("Figure %d: ", figureCount_) + item.title, X(kTableLeft),
              X(kTableLeft + kTableWidth), S(14), false, Qt::AlignHCenter | Qt::AlignTop, false);
}

void CReport::DrawAssessment(const CReportItem& item) {
    const ResultAssessment a = AssessResult(item.result);
    const std::string verdict = a.Verdict();
    const std::string note = a.Note();
    const int lines = 1 + (verdict.empty() ? 0 : 1) + (note.empty() ? 0 : 1);
    // No line of the block may break away from the others: when its last line would need a new
    // page, the whole block starts on one.
    const int lastTop = yInPage_ + S(50) + (lines - 1) * (S(16) + S(13));
    if (!keepTogether_ && lastTop + S(30) + S(50) > S(kPageHeight) - S(30))
        NewPage(PageBreakReason::kAssessmentBlock);

    keepTogether_ = true;
    yInPage_ += S(50);
    PrintLine("Test Result Assessing: ", X(80), S(16), true);
    if (!verdict.empty()) {
        textRgb_ = a.VerdictRgb();
        PrintLine(verdict, X(80), S(16), true);
    }
    textRgb_ = 0;
    if (!note.empty()) PrintLine(note, X(100), S(16), false);
    keepTogether_ = false;
}

void CReport::DrawClosingPicture() {
    if (closingPicture_.empty() || !QFileInfo::exists(QString::fromStdString(closingPicture_)))
        return;
    QImage picture(QString::fromStdString(closingPicture_));
    if (picture.isNull()) return;
    const int width = X(picture.width()), height = S(picture.height());
    int top = 0;
    if (yInPage_ + height > S(kPageHeight) - S(70)) {
        NewPage(PageBreakReason::kClosingPicture);
        yInPage_ = S(120);
        top = Y();
    } else {
        top = Y() + S(30);
    }
    ReportOp op;
    op.kind = ReportOp::Kind::kImage;
    op.rect = QRect(X(150), top, width, height);
    op.image = std::move(picture);
    AddOp(std::move(op));

    LayoutEntry e = Entry(Kind::kPicture, X(150), width, height, closingPicture_);
    e.y = top - PageTop(page_);
    log_.push_back(std::move(e));
    GrowView(top + height);
}

int CReport::DrawPageDecoration(int page) {
    std::vector<ReportOp> ops;
    const int top = PageTop(page), width = X(kPageWidth), height = S(kPageHeight);
    if (!printing_) {
        ReportOp frame;
        frame.kind = ReportOp::Kind::kRect;
        frame.rect = QRect(0, top, width - kShadow - 1, height - kShadow - 1);
        frame.color = kFrameColor;
        frame.penWidth = 1;
        ops.push_back(frame);
        ReportOp shadow;
        shadow.kind = ReportOp::Kind::kFill;
        shadow.color = kShadowColor;
        shadow.rect = QRect(width - kShadow, top + kShadow, kShadow, height - kShadow);
        ops.push_back(shadow);
        shadow.rect = QRect(kShadow, top + height - kShadow, width - 2 * kShadow, kShadow);
        ops.push_back(shadow);
    }
    int status = 1;
    if (logoFolder_.empty()) {
        status = -1;
    } else {
        if (!logo_.isNull()) {
            const int w = X(logo_.width()), h = S(logo_.height());
            ReportOp logo;
            logo.kind = ReportOp::Kind::kImage;
            logo.rect = QRect(X(960) - w, top + S(20), w, h);
            logo.image = logo_;
            ops.push_back(logo);
            LayoutEntry e = Entry(Kind::kLogo, logo.rect.x(), w, h);
            e.page = page;
            e.y = S(20);
            log_.push_back(std::move(e));
        }
        ReportOp number;
        number.kind = ReportOp::Kind::kText;
        number.rect = QRect(0, top + height - S(60), width, S(20));
        number.text = QString::number(page + 1);
        number.fontHeight = S(14);
        number.flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
        ops.push_back(number);
        LayoutEntry e = Entry(Kind::kPageNumber, 0, width, S(20), FormatInt(page + 1));
        e.page = page;
        e.y = height - S(60);
        log_.push_back(std::move(e));
    }
    std::vector<ReportOp>& target = pages_[static_cast<size_t>(page)];
    target.insert(target.begin(), std::make_move_iterator(ops.begin()),
                  std::make_move_iterator(ops.end()));
    return status;
}

void CReport::PaintOps(QPainter& painter, const std::vector<ReportOp>& ops) const {
    int fontKey = -1;
    for (const ReportOp& op : ops) {
        switch (op.kind) {
            case ReportOp::Kind::kText: {
                const int key = op.fontHeight * 2 + (op.bold ? 1 : 0);
                if (key != fontKey) painter.setFont(ReportFont(op.fontHeight, op.bold));
                fontKey = key;
                painter.setPen(op.color);
                painter.drawText(op.rect, op.flags, op.text);
                break;
            }
            case ReportOp::Kind::kLine:
                painter.setPen(QPen(op.color, op.penWidth));
                painter.drawLine(op.line);
                break;
            case ReportOp::Kind::kRect:
                painter.setPen(QPen(op.color, op.penWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(op.rect);
                break;
            case ReportOp::Kind::kFill:
                painter.fillRect(op.rect, op.color);
                break;
            case ReportOp::Kind::kGraph:
                if (op.graph) PaintGraph(painter, op.rect, *op.graph, op.sizeFactor);
                fontKey = -1;
                break;
            case ReportOp::Kind::kImage:
                painter.drawImage(op.rect, op.image);
                break;
        }
    }
}

void CReport::PaintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= PageCount()) return;
    painter.save();
    const QRect area(0, 0, PageWidthDevice(), PageHeightDevice());
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(0, -PageTop(page));
    PaintOps(painter, pages_[static_cast<size_t>(page)]);
    painter.restore();
}

void CReport::PaintView(QPainter& painter, const QRect& exposed) const {
    painter.fillRect(exposed, kDeskColor);
    for (int p = 0; p < PageCount(); ++p) {
        const QRect page(0, PageTop(p), PageWidthDevice(), PageHeightDevice());
        if (!page.intersects(exposed)) continue;
        painter.save();
        painter.setClipRect(page & exposed);
        painter.fillRect(page, Qt::white);
        PaintOps(painter, pages_[static_cast<size_t>(p)]);
        painter.restore();
    }
}

}  // namespace quorin
