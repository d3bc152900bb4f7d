#include "zones/zone_reader.h"

#include <array>

#include "platform/numtext.h"

namespace quorin {
namespace {

constexpr std::string_view kBegin = "BEGINZONE";
constexpr std::string_view kEnd = "ENDZONE";
constexpr std::string_view kIndexKey = "INDEX=";
constexpr std::string_view kBeginShape = "BEGINSHAPE";
constexpr std::string_view kEndShape = "ENDSHAPE";
// Positions travel as int through searchPos; keep every position of the source well inside it.
constexpr size_t kMaxSource = size_t{1} << 30;

// The value of key in body, up to the next ";" (or the end of the body); empty when absent.
std::string_view KeyValue(std::string_view body, std::string_view key) {
    const size_t at = body.find(key);
    if (at == std::string_view::npos) return {};
    const size_t start = at + key.size();
    const size_t end = body.find(';', start);
    return body.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// From the keyword at `at` up to and including the next ";", or to the end when there is none.
std::string_view RecordAt(std::string_view text, size_t at) {
    const size_t end = text.find(';', at);
    return text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at + 1);
}

void ReadShapes(std::string_view shapeText, CZone& zone) {
    struct Keyword {
        std::string_view text;
        ZoneShapeType type;
    };
    static constexpr std::array<Keyword, 4> kKeywords = {{{"LINE=", kShapeLine},
                                                          {"LINEP=", kShapeLineP},
                                                          {"ARC=", kShapeArc},
                                                          {"ARCP=", kShapeArcP}}};
    // The next occurrence of each keyword at or after the cursor, searched again only once the
    // cursor has passed it: a keyword that is missing is looked for once, not once per record.
    std::array<size_t, kKeywords.size()> next;
    for (size_t k = 0; k < kKeywords.size(); ++k)
        next[k] = shapeText.find(kKeywords[k].text);
    size_t cursor = 0;
    while (zone.shapeCount < kMaxZoneShapes) {
        size_t first = std::string_view::npos;
        ZoneShapeType type = kShapeLine;
        for (size_t k = 0; k < kKeywords.size(); ++k) {
            if (next[k] < cursor) next[k] = shapeText.find(kKeywords[k].text, cursor);
            if (next[k] < first) {
                first = next[k];
                type = kKeywords[k].type;
            }
        }
        if (first == std::string_view::npos) break;
        CZoneShape& shape = zone.shapes[static_cast<size_t>(zone.shapeCount)];
        shape.type = type;
        shape.record.assign(RecordAt(shapeText, first));
        zone.kind = kZoneShapes;
        ++zone.shapeCount;
        if (shape.record.back() != ';') break;
        cursor = first + shape.record.size();
    }
    const size_t circle = shapeText.find("CIRCLE=");
    if (circle != std::string_view::npos) {
        zone.kind = kZoneCircle;
        zone.circleRecord.assign(RecordAt(shapeText, circle));
    }
    const size_t lens = shapeText.find("LENS=");
    if (lens != std::string_view::npos) {
        zone.kind = kZoneLens;
        zone.lensRecord.assign(RecordAt(shapeText, lens));
    }
}

}  // namespace

bool NextZoneRecord(std::string_view source, size_t from, ZoneRecord& record) {
    if (source.size() >= kMaxSource) return false;
    const size_t begin = source.find(kBegin, from);
    if (begin == std::string_view::npos) return false;
    const size_t bodyStart = begin + kBegin.size();
    const size_t end = source.find(kEnd, bodyStart);
    if (end == std::string_view::npos) return false;
    record.begin = begin;
    record.body = source.substr(bodyStart, end - bodyStart);
    record.index = CAtoi(KeyValue(record.body, kIndexKey));
    record.next = end + kEnd.size();
    return true;
}

int ReadZone(CZoneTable& table, std::string_view source, int slot, int wantedIndex,
             std::string& zoneText, int& searchPos) {
    CZone* zone = table.MutableZone(slot);
    if (zone == nullptr) return 0;

    ZoneRecord record;
    for (size_t from = 0;; from = record.next) {
        if (!NextZoneRecord(source, from, record)) return 0;
        if (record.index == wantedIndex && static_cast<long long>(record.begin) > searchPos) break;
    }
    const std::string_view body = record.body;
    const size_t bodyStart = record.begin + kBegin.size();
    const size_t indexAt = body.find(kIndexKey);
    searchPos = static_cast<int>(
        bodyStart + (indexAt == std::string_view::npos ? 0 : indexAt + kIndexKey.size()));

    *zone = CZone();
    zone->index = wantedIndex;
    zone->invert = CAtoi(KeyValue(body, "INVERT="));
    zone->faultLoop.assign(KeyValue(body, "FAULTLOOP="));
    zone->label.assign(KeyValue(body, "LABEL="));

    zone->text.reserve(body.size() + 20);
    zone->text.append(kBegin).append("\r\n").append(body).append(kEnd).append("\r\n");
    zoneText = zone->text;

    const std::string_view text = zone->text;
    const size_t shapesBegin = text.find(kBeginShape);
    if (shapesBegin != std::string_view::npos) {
        const size_t shapesStart = shapesBegin + kBeginShape.size();
        const size_t shapesEnd = text.find(kEndShape, shapesStart);
        if (shapesEnd != std::string_view::npos)
            ReadShapes(text.substr(shapesStart, shapesEnd - shapesStart), *zone);
    }
    return slot;
}

}  // namespace quorin
