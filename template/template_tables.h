// The fixed-capacity tables inside a CRelayTemplate, shared by its reader, writers and accessors.
// Internal to the template library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "expression/value.h"
#include "template/key_value_index.h"
#include "template/relay_template.h"
#include "zones/zone_table.h"

namespace quorin {

// One table per field of a parameter kind, indexed by record number. Choice j of record i is
// choices[i * Choices + j].
template <int Capacity, int Choices>
struct ParamTable {
    static constexpr int kCapacity = Capacity;
    static constexpr int kChoices = Choices;

    int32_t count = 0;
    int32_t layout = kIndexedLayout;
    std::array<std::string, Capacity> name, id, type, unit;
    std::array<std::string, Capacity> pva, pvb, pvc;
    std::array<std::string, Capacity> re, rt, rn;
    std::array<int32_t, Capacity> decimals{};
    std::array<float, Capacity> value{};
    std::array<int32_t, Capacity> choiceCount{};
    std::array<std::string, static_cast<size_t>(Capacity) * Choices> choices;

    const std::string& Choice(int record, int choice) const {
        return choices[static_cast<size_t>(record) * Choices + static_cast<size_t>(choice)];
    }
    std::string& Choice(int record, int choice) {
        return choices[static_cast<size_t>(record) * Choices + static_cast<size_t>(choice)];
    }
};

using SettingTable = ParamTable<kMaxSettings, kMaxChoices>;
using CommonParameterTable = ParamTable<kMaxCommonParameters, kMaxChoices>;
using BinaryInputTable = ParamTable<kMaxBinaryInputs, kMaxBinaryChoices>;

// A list of up to Capacity items of Fields texts each.
template <int Capacity, int Fields>
struct ItemList {
    static constexpr int kCapacity = Capacity;
    static constexpr int kFields = Fields;
    int32_t count = 0;
    std::array<std::array<std::string, Fields>, Capacity> items;
};

// Numbered pairs; entry 0 is never used, count is the highest number read plus 1.
struct PairList {
    int32_t count = 1;
    std::array<std::string, kMaxCoordinatePairs> x, y;
};

struct CRelayTemplate::Tables {
    std::string relayName, property, wordReportName;
    int32_t update = 1;

    SettingTable settings;
    CommonParameterTable common;
    BinaryInputTable binary;

    int32_t reportCount = 0;
    int32_t reportLayout = kIndexedLayout;
    std::array<std::string, kMaxReportItems> reportName, reportId;

    std::string characterText;
    ItemList<kMaxLineItems, 5> lines;
    ItemList<kMaxCircleItems, 4> circles;
    ItemList<kMaxTextItems, 4> texts;
    PairList xn, xp;
    ItemList<kMaxCharacterValues, 1> times, ids;
    ItemList<kMaxCharacterValues, 2> rPairs, irPairs;
    CZoneTable zones;

    std::array<CValue, kValueTableSize> values;

    // Reused by every read, so that a warm object reads without allocating: the indexed section
    // text without the blanks in front of keys, and the key/value index of a section or record.
    std::string scratch;
    CKeyValueIndex index;
};

}  // namespace quorin
