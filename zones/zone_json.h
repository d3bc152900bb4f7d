// The zones of a template as JSON, for the command line:
// {"zones":[{"slot":1,"index":1,"invert":0,"kind":0,"label":"","faultLoop":"","shapes":[
//   {"type":"LINE","corner":[x,y],"center":[x,y],"radius":r,"start":a,"end":b,"arcToArc":0}]}],
//  "box":{"rMin":..,"rMax":..,"xMin":..,"xMax":..}}
// Circle zones carry "center":[x,y],"radius":r and lens zones "lens":[5 values] instead of
// "shapes". Numbers are the shortest text that reads back as the same float, in plain decimals
// from 1e-6 to 1e21 ("1.5", "-100000", "0.000001") and in exponent form outside ("2.5e-16");
// a value that is not finite is null, and so is the corner of a shape that met no neighbour.
// Labels and fault loops are converted from the ANSI code page to UTF-8. No blanks, no newline.
#pragma once

#include <string>

#include "zones/zone_table.h"

namespace quorin {

std::string ZonesToJson(const CZoneTable& table);

}  // namespace quorin
