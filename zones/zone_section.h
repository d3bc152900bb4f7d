// Reading every zone of a template's characteristic section.
#pragma once

#include <string_view>

#include "zones/zone_evaluator.h"
#include "zones/zone_table.h"

namespace quorin {

// Resets the table, then for each zone index 1 to 19 reads up to four zones with that index, in
// text order, into the next free slots (BuildZone) and computes their geometry. In each stored
// zone text "BEGINSHAPE" and "ENDSHAPE" are followed by CR LF. Stops when kMaxZones zones are
// read. Returns the zone count. Never fails: text without zones leaves the table empty.
int ReadZones(CZoneTable& table, std::string_view section, IZoneEvaluator& evaluator);

}  // namespace quorin
