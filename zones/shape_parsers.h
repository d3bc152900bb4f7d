// Parsers of the shape records of a zone. Each finds its keyword in the record text and cuts the
// fields that follow it: every field up to the next ",", the last up to ";"; fields may be empty
// and keep their blanks. Each returns 1 on success and 0 when the keyword or a separator is
// missing; then the fields before the gap are set and all later fields are empty (they evaluate
// to 0.0). Every output field is written on every call.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "zones/zone_evaluator.h"

namespace quorin {

// line = "LINE=" x "," y "," angle ";"
// slope := tan(angle in degrees), the angle evaluated by the evaluator.
int ParseLine(std::string_view record, std::span<std::string, 3> fields, double& slope,
              IZoneEvaluator& evaluator);

// lineP = "LINEP=" r "," phi "," angle ";"
int ParseLineP(std::string_view record, std::span<std::string, 3> fields, double& slope,
               IZoneEvaluator& evaluator);

// arc = "ARC=" x "," y "," radius "," start "," end "," direction ";"
// direction := kArcCounterClockwise when the direction field without its blanks is "CCW" in any
// case, else kArcClockwise (also when the field is missing).
int ParseArc(std::string_view record, std::span<std::string, 6> fields, int& direction);

// arcP = "ARCP=" r "," phi "," radius "," start "," end "," direction ";"
int ParseArcP(std::string_view record, std::span<std::string, 6> fields, int& direction);

// circle = "CIRCLE=" forward "," angle "," reverse ";"
int ParseCircle(std::string_view record, std::span<std::string, 3> fields);

// lens = "LENS=" reach "," value "," value "," value "," value ";"
int ParseLens(std::string_view record, std::span<std::string, 5> fields);

}  // namespace quorin
