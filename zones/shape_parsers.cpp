#include "zones/shape_parsers.h"

#include <cmath>
#include <numbers>

#include "zones/zone_table.h"

namespace quorin {
namespace {

int ParseFields(std::string_view record, std::string_view keyword, std::span<std::string> fields) {
    for (auto& f : fields)
        f.clear();
    const size_t at = record.find(keyword);
    if (at == std::string_view::npos) return 0;
    size_t cursor = at + keyword.size();
    for (size_t i = 0; i < fields.size(); ++i) {
        const char separator = i + 1 < fields.size() ? ',' : ';';
        const size_t end = record.find(separator, cursor);
        if (end == std::string_view::npos) return 0;
        fields[i].assign(record.substr(cursor, end - cursor));
        cursor = end + 1;
    }
    return 1;
}

double Slope(std::string_view angle, IZoneEvaluator& evaluator) {
    return std::tan(evaluator.CalcExpression(angle) * std::numbers::pi / 180.0);
}

int Direction(std::string_view field) {
    std::string letters;
    for (char c : field)
        if (c != ' ') letters += c;
    if (letters.size() != 3) return kArcClockwise;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    const bool ccw =
        upper(letters[0]) == 'C' && upper(letters[1]) == 'C' && upper(letters[2]) == 'W';
    return ccw ? kArcCounterClockwise : kArcClockwise;
}

}  // namespace

int ParseLine(std::string_view record, std::span<std::string, 3> fields, double& slope,
              IZoneEvaluator& evaluator) {
    const int ok = ParseFields(record, "LINE=", fields);
    slope = Slope(fields[2], evaluator);
    return ok;
}

int ParseLineP(std::string_view record, std::span<std::string, 3> fields, double& slope,
               IZoneEvaluator& evaluator) {
    const int ok = ParseFields(record, "LINEP=", fields);
    slope = Slope(fields[2], evaluator);
    return ok;
}

int ParseArc(std::string_view record, std::span<std::string, 6> fields, int& direction) {
    const int ok = ParseFields(record, "ARC=", fields);
    direction = Direction(fields[5]);
    return ok;
}

int ParseArcP(std::string_view record, std::span<std::string, 6> fields, int& direction) {
    const int ok = ParseFields(record, "ARCP=", fields);
    direction = Direction(fields[5]);
    return ok;
}

int ParseCircle(std::string_view record, std::span<std::string, 3> fields) {
    return ParseFields(record, "CIRCLE=", fields);
}

int ParseLens(std::string_view record, std::span<std::string, 5> fields) {
    return ParseFields(record, "LENS=", fields);
}

}  // namespace quorin
