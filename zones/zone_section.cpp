#include "zones/zone_section.h"

#include <string>

#include "zones/zone_geometry.h"

namespace quorin {
namespace {

constexpr int kLastIndex = 19;
constexpr int kZonesPerIndex = 4;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

int ReadZones(CZoneTable& table, std::string_view section, IZoneEvaluator& evaluator) {
    table.Reset();
    std::string zoneText;
    for (int index = 1; index <= kLastIndex; ++index) {
        int searchPos = -1;
        for (int n = 0; n < kZonesPerIndex; ++n) {
            if (table.Count() >= kMaxZones) return table.Count();
            const int slot = table.Count() + 1;
            if (BuildZone(table, section, slot, index, zoneText, searchPos, evaluator) < 1) break;
            std::string& stored = table.MutableZone(slot)->text;
            ReplaceAll(stored, "BEGINSHAPE", "BEGINSHAPE\r\n");
            ReplaceAll(stored, "ENDSHAPE", "ENDSHAPE\r\n");
            table.SetCount(slot);
        }
    }
    return table.Count();
}

}  // namespace quorin
