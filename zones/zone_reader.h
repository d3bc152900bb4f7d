// The zone reader: finds one zone record in a text and splits it into the fields of a zone slot.
//
// zone  = "BEGINZONE" body "ENDZONE"; the body holds "INDEX=" n ";", "INVERT=" n ";",
//         "FAULTLOOP=" text ";", "LABEL=" text ";" (first occurrence counts, any order) and
//         "BEGINSHAPE" shape records "ENDSHAPE".
// A key missing from the body reads as 0 or the empty text; a key without its ";" reads to the
// end of the body. Shape records ("LINE=", "LINEP=", "ARC=", "ARCP=") run from their keyword to
// the next ";" and are taken in text order up to kMaxZoneShapes; a record without its ";" takes
// the rest of the shape text and is the last one read.
#pragma once

#include <string>
#include <string_view>

#include "zones/zone_table.h"

namespace quorin {

// Finds the first zone record that starts after searchPos and whose "INDEX=" value (C atoi) is
// wantedIndex. On success clears the slot, stores the record's fields, shape records, kind and
// normalised text ("BEGINZONE" CR LF body "ENDZONE" CR LF, also copied to zoneText), sets
// searchPos to the position of the index value in source (so that the next call finds a later
// record; -1 finds a record at position 0) and returns slot. Returns 0 and changes nothing when
// there is no such record, when slot is outside 1..kMaxZones or source is 1 GiB or longer.
// Shape fields are not split here: BuildZone does that with the evaluator.
int ReadZone(CZoneTable& table, std::string_view source, int slot, int wantedIndex,
             std::string& zoneText, int& searchPos);

// One zone record as ReadZone walks them from the start of a source: "BEGINZONE" at begin, the
// body up to the first "ENDZONE" after it, the body's "INDEX=" value (C atoi, 0 when absent) and
// where the walk goes on.
struct ZoneRecord {
    size_t begin = 0;
    std::string_view body;
    int index = 0;
    size_t next = 0;
};

// The record at or after from; false when there is none, or when source is 1 GiB or longer.
bool NextZoneRecord(std::string_view source, size_t from, ZoneRecord& record);

}  // namespace quorin
