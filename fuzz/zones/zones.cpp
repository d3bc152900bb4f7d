// Reads arbitrary bytes as a characteristic section: no crash, no read out of bounds, the counts
// within their capacities, a finite bounding box and well-formed JSON.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "tests/zones/test_evaluator.h"
#include "zones/zone_json.h"
#include "zones/zone_region.h"
#include "zones/zone_section.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Brackets balance, strings close, and outside strings only numbers, null and punctuation occur
// (so no nan or inf slipped through).
void RequireJsonShape(const std::string& json) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            Require(static_cast<unsigned char>(c) >= 0x20);
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            Require(--depth >= 0);
        } else {
            const std::string_view allowed = "0123456789.-+e:,nul";
            Require(allowed.find(c) != std::string_view::npos);
        }
    }
    Require(depth == 0 && !inString);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quorin::CZoneTable table;  // large: kept out of the stack and reused, as a template does
    static quorin::test::TestEvaluator eval({{"Z1", 2.5},
                                             {"HUGE", 1e300},
                                             {"NAN", std::numeric_limits<double>::quiet_NaN()},
                                             {"INF", std::numeric_limits<double>::infinity()}});
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int count = quorin::ReadZones(table, text, eval);
    Require(count >= 0 && count <= quorin::kMaxZones && count == table.Count());
    for (int slot = 1; slot <= count; ++slot) {
        const quorin::CZone& zone = table.Zone(slot);
        Require(zone.kind >= 0 && zone.kind <= 2);
        Require(zone.shapeCount >= 0 && zone.shapeCount <= quorin::kMaxZoneShapes);
        Require(zone.index >= 1 && zone.index <= 19);
        // Regions of any zone answer without hanging; crossings come in order.
        const quorin::CZoneRegion region(zone, &eval);
        for (const double angle : {0.0, 1.0, 2.5, 4.0}) {
            const double r = 3.0 * std::cos(angle), x = 3.0 * std::sin(angle);
            region.State(r, x, {});
            const auto crossings = region.Crossings(r, x);
            for (size_t i = 1; i < crossings.size(); ++i)
                Require(crossings[i - 1] < crossings[i]);
        }
    }
    const quorin::CZoneBox& box = table.Box();
    Require(std::isfinite(box.rMin) && std::isfinite(box.rMax) && std::isfinite(box.xMin) &&
            std::isfinite(box.xMax));
    Require(box.rMin <= -1.0f && box.rMax >= 1.0f && box.xMin <= -1.0f && box.xMax >= 1.0f);
    RequireJsonShape(quorin::ZonesToJson(table));
    return 0;
}
