// A template's characteristic zones as a characteristic plot: the glue between the zone geometry
// and the plotting routines, which know nothing of each other.
#pragma once

#include <string>

#include "graphs/characteristic_plot.h"
#include "zones/zone_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {

// One plot zone per zone read: shape zones as straight segments between their corners and arcs
// between the corners on their circle, circle and lens zones as such, inverted zones flagged so
// that the plot mirrors them. Zones sharing an index share a colour; the second and later zone of
// an index is dashed. evaluator (the template) evaluates arc start and end angles to choose which
// way round an arc runs between its corners; without it the shorter way is taken. title is ANSI.
CharacteristicPlot ZonesToCharacteristicPlot(const CZoneTable& zones, const std::string& title,
                                             IZoneEvaluator* evaluator = nullptr);

}  // namespace quorin
