#include "zones/zone_table.h"

#include <algorithm>

namespace quorin {

void CZoneTable::Reset() {
    count_ = 0;
    for (auto& zone : zones_)
        zone = CZone();
    box_ = CZoneBox();
}

const CZone& CZoneTable::Zone(int slot) const {
    static const CZone kEmpty;
    if (slot < 1 || slot > kMaxZones) return kEmpty;
    return zones_[static_cast<size_t>(slot - 1)];
}

CZone* CZoneTable::MutableZone(int slot) {
    if (slot < 1 || slot > kMaxZones) return nullptr;
    return &zones_[static_cast<size_t>(slot - 1)];
}

void CZoneTable::SetCount(int count) {
    count_ = std::clamp(count, 0, kMaxZones);
}

}  // namespace quorin
