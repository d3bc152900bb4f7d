#include "report/render/header_tables.h"

#include <string>

namespace quorin {
namespace {

CReportTable LabelValueTable(const std::string& title, const std::vector<std::string>& labels,
                             const std::vector<std::string>& values) {
    const int count = static_cast<int>(labels.size());
    const int rows = (count + 1) / 2;
    CReportTable table(rows, 4);
    table.title = title;
    table.kind = TableKind::kConfiguration;
    for (int half = 0; half < 2; ++half) {
        CReportColumn label(rows, half * 2, kHeaderLabelWidth);
        CReportColumn value(rows, half * 2 + 1, kHeaderValueWidth);
        for (int row = 0; row < rows; ++row) {
            int k = half * rows + row;
            label.AddCell(k < count ? labels[size_t(k)] : std::string());
            value.AddRawCell(k < count && size_t(k) < values.size() ? values[size_t(k)]
                                                                    : std::string());
        }
        table.AddColumn(std::move(label));
        table.AddColumn(std::move(value));
    }
    return table;
}

}  // namespace

std::vector<CReportTable> BuildHeaderTables(const CReportSetting& setting) {
    const std::vector<std::string>& titles = setting.Labels(LabelGroup::kGroupTitles);
    auto title = [&titles](size_t i) { return i < titles.size() ? titles[i] : std::string(); };

    std::vector<std::string> station, device, nominal, equipment;
    for (int i = 0; i < CReportSetting::kHeaderCount; ++i) {
        const std::string& v = setting.Header(static_cast<HeaderValue>(i));
        (i < 6 ? station : device).push_back(v);
    }
    for (int i = 0; i < CReportSetting::kRunningCount; ++i) {
        const std::string& v = setting.Running(static_cast<RunningValue>(i));
        (i < 7 ? nominal : equipment).push_back(v);
    }
    std::vector<CReportTable> tables;
    tables.push_back(LabelValueTable(title(0), setting.Labels(LabelGroup::kStation), station));
    tables.push_back(LabelValueTable(title(1), setting.Labels(LabelGroup::kDevice), device));
    tables.push_back(LabelValueTable(title(2), setting.Labels(LabelGroup::kNominal), nominal));
    tables.push_back(
        LabelValueTable(title(3), setting.Labels(LabelGroup::kTestEquipment), equipment));
    return tables;
}

}  // namespace quorin
