// Report items, tables, log queries and PDF pages shared by the report rendering tests.
#pragma once

#include <QRegularExpression>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/numtext.h"
#include "report/render/report.h"

namespace quorin::test {

// A table with a column of each width, cells "r<row>c<col>".
inline CReportTable TableOfWidths(int rows, const std::vector<int>& widths,
                                  TableKind kind = TableKind::kTestPoints,
                                  const std::string& title = "Table") {
    CReportTable table(rows, static_cast<int>(widths.size()));
    table.title = title;
    table.kind = kind;
    for (int c = 0; c < table.colCount; ++c) {
        CReportColumn column(rows, c, widths[c]);
        for (int r = 0; r < rows; ++r)
            column.AddCell("r" + FormatInt(r) + "c" + FormatInt(c));
        table.AddColumn(std::move(column));
    }
    return table;
}

inline CReportTable MakeTable(int rows, int cols, TableKind kind = TableKind::kTestPoints,
                              const std::string& title = "Table") {
    return TableOfWidths(rows, std::vector<int>(cols, 100), kind, title);
}

inline CGraph Graph(const std::string& picName) {
    CGraph graph;
    graph.picName = picName;
    return graph;
}

inline CReportItem Item(const std::string& title) {
    CReportItem item;
    item.title = title;
    return item;
}

// Settings with every switch on, or with the four header switches off (a bare head: the first
// test item then starts at a known position).
inline CReportSetting AllOn() {
    CReportSetting setting;
    for (int i = 0; i < CReportSetting::kSwitchCount; ++i)
        setting.SetSwitch(static_cast<ReportSwitch>(i), 1);
    return setting;
}

inline CReportSetting BareHead() {
    CReportSetting setting = AllOn();
    for (ReportSwitch s : {ReportSwitch::kStationBay, ReportSwitch::kDeviceInformation,
                           ReportSwitch::kNominalValues, ReportSwitch::kTestEquipment})
        setting.SetSwitch(s, 0);
    return setting;
}

// A screen composition of head, the tests given and a closing entry.
inline void Compose(CReport& report, const std::vector<CReportItem>& tests) {
    std::vector<CReportItem> items{Item("Head")};
    items.insert(items.end(), tests.begin(), tests.end());
    items.push_back(Item("End"));
    report.SetItems(items);
    report.SetScreen();
    report.Draw();
}

inline std::unique_ptr<CReport> Composed(const std::vector<CReportItem>& tests,
                                         const CReportSetting& setting = BareHead()) {
    auto report = std::make_unique<CReport>(setting);
    Compose(*report, tests);
    return report;
}

inline std::vector<LayoutEntry> EntriesOf(const CReport& report, LayoutEntry::Kind kind,
                                          int item = -2) {
    std::vector<LayoutEntry> found;
    for (const LayoutEntry& e : report.Log())
        if (e.kind == kind && (item == -2 || e.item == item)) found.push_back(e);
    return found;
}

inline const LayoutEntry* TextEntry(const CReport& report, const std::string& text) {
    for (const LayoutEntry& e : report.Log())
        if (e.kind == LayoutEntry::Kind::kText && e.text == text) return &e;
    return nullptr;
}

// Page and y of the text's entry; (-1, -1) when it was not drawn.
inline std::pair<int, int> PageY(const CReport& report, const std::string& text) {
    const LayoutEntry* e = TextEntry(report, text);
    return e ? std::pair(e->page, e->y) : std::pair(-1, -1);
}

// The pages of a PDF file's bytes.
inline int PdfPageCount(const std::string& bytes) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
         it.hasNext(); it.next())
        ++count;
    return count;
}

}  // namespace quorin::test
