#include "frontend/zone_plot.h"

#include <map>

#include "zones/zone_region.h"

namespace quorin {
namespace {

void AddShapeBoundary(const CZone& zone, IZoneEvaluator* evaluator, CharacteristicZone& plotZone) {
    for (const ZonePiece& p : ZoneBoundary(zone, evaluator)) {
        plotZone.boundary.push_back(p.arc ? ZoneSegment::Arc({p.centerR, p.centerX}, p.radius,
                                                             p.startAngle, p.endAngle, p.clockwise)
                                          : ZoneSegment::Line({p.fromR, p.fromX}, {p.toR, p.toX}));
    }
}

}  // namespace

CharacteristicPlot ZonesToCharacteristicPlot(const CZoneTable& zones, const std::string& title,
                                             IZoneEvaluator* evaluator) {
    CharacteristicPlot plot;
    plot.title = title;
    std::map<int, int> seenPerIndex;
    std::map<int, int> paletteOfIndex;
    for (int slot = 1; slot <= zones.Count(); ++slot) {
        const CZone& zone = zones.Zone(slot);
        CharacteristicZone plotZone;
        plotZone.label = zone.label;
        plotZone.inverted = zone.invert != 0;
        const auto palette =
            paletteOfIndex.try_emplace(zone.index, static_cast<int>(paletteOfIndex.size()));
        plotZone.paletteIndex = palette.first->second;
        plotZone.penStyle = seenPerIndex[zone.index]++ == 0 ? 0 : 1;
        switch (zone.kind) {
            case kZoneCircle:
                plotZone.shape = ZoneShape::kCircle;
                plotZone.circleCenter = {zone.circleCenterX, zone.circleCenterY};
                plotZone.circleRadius = zone.circleRadius;
                break;
            case kZoneLens:
                plotZone.shape = ZoneShape::kLens;
                for (size_t i = 0; i < plotZone.lens.size(); ++i)
                    plotZone.lens[i] = zone.lens[i];
                break;
            default:
                plotZone.shape = ZoneShape::kBoundary;
                AddShapeBoundary(zone, evaluator, plotZone);
                break;
        }
        plot.zones.push_back(std::move(plotZone));
    }
    return plot;
}

}  // namespace quorin
