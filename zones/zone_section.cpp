#include "zones/zone_section.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "zones/zone_geometry.h"
#include "zones/zone_reader.h"

namespace quorin {
namespace {

constexpr int kLastIndex = 19;
constexpr int kZonesPerIndex = 4;

// A line break after every "BEGINSHAPE" and every "ENDSHAPE", in one pass over the text and one
// move of each byte (replacing marker after marker moves the rest of the text each time). The
// result is that of two replace-all passes, BEGINSHAPE first: an "ENDSHAPE" that begins on the
// last letter of a marker already taken is broken up by the inserted line break.
void BreakAfterShapeMarkers(std::string& text) {
    constexpr std::string_view kBegin = "BEGINSHAPE", kEnd = "ENDSHAPE";
    // Where the line breaks go: a zone has two, a crafted one may have millions.
    std::array<size_t, 8> few;
    std::vector<size_t> many;
    size_t count = 0;
    const std::string_view in = text;
    for (size_t i = 0; i < in.size();) {
        const std::string_view rest = in.substr(i);
        const size_t length = rest.starts_with(kBegin) ? kBegin.size()
                              : rest.starts_with(kEnd) ? kEnd.size()
                                                       : 0;
        if (length == 0) {
            ++i;
            continue;
        }
        i += length;
        if (count < few.size()) {
            few[count] = i;
        } else {
            if (many.empty()) many.assign(few.begin(), few.end());
            many.push_back(i);
        }
        ++count;
    }
    if (count == 0) return;
    size_t from = text.size();
    text.resize(text.size() + 2 * count);
    char* bytes = text.data();
    size_t to = text.size();
    for (size_t k = count; k-- > 0;) {
        const size_t end = many.empty() ? few[k] : many[k];
        to -= from - end;
        std::memmove(bytes + to, bytes + end, from - end);
        to -= 2;
        bytes[to] = '\r';
        bytes[to + 1] = '\n';
        from = end;
    }
}

}  // namespace

int ReadZones(CZoneTable& table, std::string_view section, IZoneEvaluator& evaluator) {
    table.Reset();
    // Where the first records of each index begin, found in one walk over the section. Each is
    // then read from a view that starts at it, where ReadZone finds it at once, instead of
    // walking the section from its start again for every zone.
    std::array<std::array<size_t, kZonesPerIndex>, kLastIndex + 1> begins;
    std::array<int, kLastIndex + 1> counts{};
    ZoneRecord record;
    for (size_t from = 0; NextZoneRecord(section, from, record); from = record.next) {
        if (record.index < 1 || record.index > kLastIndex) continue;
        int& count = counts[static_cast<size_t>(record.index)];
        if (count < kZonesPerIndex)
            begins[static_cast<size_t>(record.index)][count++] = record.begin;
    }
    std::string zoneText;
    for (int index = 1; index <= kLastIndex; ++index) {
        for (int n = 0; n < counts[static_cast<size_t>(index)]; ++n) {
            if (table.Count() >= kMaxZones) return table.Count();
            const int slot = table.Count() + 1;
            int searchPos = -1;
            const size_t begin = begins[static_cast<size_t>(index)][static_cast<size_t>(n)];
            if (BuildZone(table, section.substr(begin), slot, index, zoneText, searchPos,
                          evaluator) < 1)
                break;
            BreakAfterShapeMarkers(table.MutableZone(slot)->text);
            table.SetCount(slot);
        }
    }
    return table.Count();
}

}  // namespace quorin
