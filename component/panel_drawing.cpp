#include "component/panel_drawing.h"

#include "component/test_item.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr int kDetailFontHeight = 17;
constexpr int kDetailTop = 30;
constexpr int kDetailLineHeight = 20;
constexpr int kDetailIndent = 20;
constexpr int kParameterFontHeight = 16;
constexpr int kParameterCaptionTop = 15;
constexpr int kParameterTop = 35;
constexpr int kParameterLineHeight = 17;
constexpr int kParameterLeft = 10;

// The lines of a text broken by CR LF.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return lines;
}

void AddDetailSection(PanelDrawing& drawing, int& y, std::string_view heading,
                      std::string_view text, int lineLength) {
    drawing.texts.push_back({0, y, std::string(heading), 0x000000, 0});
    y += kDetailLineHeight;
    for (std::string& line : Lines(WrapDetailText(text, lineLength))) {
        drawing.texts.push_back({kDetailIndent, y, std::move(line), kDetailTextColor, 0});
        y += kDetailLineHeight;
    }
}

}  // namespace

int DetailLineLength(int width) {
    return (width / 16) * 2 - 2;
}

std::string WrapDetailText(std::string_view text, int lineLength) {
    if (lineLength < 2) return std::string(text);
    const size_t length = static_cast<size_t>(lineLength);
    std::string out;
    out.reserve(text.size() + 2 * (text.size() / length + 1));
    size_t start = 0;
    while (text.size() - start > length) {
        int singleBytes = 0;
        for (size_t i = start; i < start + length; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x20 && byte <= 0x7E) ++singleBytes;
        }
        const size_t take = (singleBytes % 2 == 1) ? length - 1 : length;
        out.append(text.substr(start, take)).append("\r\n");
        start += take;
    }
    out.append(text.substr(start));
    return out;
}

PanelDrawing DetailDrawing(const CPageModel::Row& row, int width) {
    PanelDrawing drawing;
    drawing.fontHeight = kDetailFontHeight;
    const int lineLength = DetailLineLength(width);
    int y = kDetailTop;
    AddDetailSection(drawing, y, "1.Name", row.name, lineLength);
    AddDetailSection(drawing, y, "2.Testing Method & Requires", row.requirements, lineLength);
    AddDetailSection(drawing, y, "3.Results", row.result, lineLength);
    return drawing;
}

PanelDrawing ResultDrawing(const CPageModel::Row& row, int width) {
    PanelDrawing drawing = DetailDrawing(row, width);
    drawing.texts.push_back({0, 10, "Result", 0x000000, width > 0 ? width : 1});
    return drawing;
}

PanelDrawing ParameterDrawing(const CTestItem* item, std::string_view nameCaption,
                              std::string_view parameterCaption, std::string_view bookmark,
                              std::string_view resultId, int width) {
    PanelDrawing drawing;
    drawing.fontHeight = kParameterFontHeight;
    const int secondColumn = width > 2 * kParameterLeft ? width / 2 : kParameterLeft;
    drawing.texts.push_back(
        {kParameterLeft, kParameterCaptionTop, std::string(nameCaption), 0x000000, 0});
    drawing.texts.push_back(
        {secondColumn, kParameterCaptionTop, std::string(parameterCaption), 0x000000, 0});
    if (!item) return drawing;
    for (int k = 1; k <= item->ParameterCount(); ++k) {
        const int y = kParameterTop + (k - 1) * kParameterLineHeight;
        drawing.texts.push_back({kParameterLeft, y, item->Name(k), 0x000000, 0});
        std::string key(bookmark);
        key.append("_").append(FormatInt(k)).append("_").append(resultId);
        drawing.texts.push_back({secondColumn, y, std::move(key), kParameterTextColor, 0});
    }
    return drawing;
}

}  // namespace quorin
