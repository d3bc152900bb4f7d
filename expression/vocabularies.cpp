#include "expression/vocabularies.h"

#include <vector>

#include "expression/name_table.h"

namespace quorin {
namespace {

// Words in code order, as the conversions see them.
constexpr const char* kFaultType[] = {"LAN", "LBN",  "LCN",  "LAB",  "LBC",
                                      "LCA", "LABN", "LBCN", "LCAN", "LABC"};
constexpr const char* kFaultModel[] = {"CONSTCURR", "CONSTVOLT", "CONSTSOURCEIMP", "CONSTCURRVOLT"};
constexpr const char* kFaultAngle[] = {"RANDOM", "FIXED", "ZERO", "MAXOFFSET"};
constexpr const char* kFaultPersistence[] = {"INSTANTANEOUS", "PERMANENCE"};
constexpr const char* kEarthFactor[] = {"KL", "RERLXEXL", "Z0Z1"};
constexpr const char* kTrigger[] = {"TIME", "KEY", "INPUTBINARY", "GPS", "INPUTBINARY&TIME"};
constexpr const char* kPhaseRef[] = {"VA", "VB", "VC", "VAB", "VBC", "VCA"};
constexpr const char* kVxOutput[] = {"0", "SQRT3V0", "-SQRT3V0", "3V0", "-3V0"};
constexpr const char* kYesNo[] = {"NO", "YES"};
constexpr const char* kInputGroup[] = {"ABCD", "EFGH", "ABC", "D", "EFG", "H"};
constexpr const char* kVtSide[] = {"BUS", "LINE"};
constexpr const char* kSyncCheck[] = {"NOCHECK", "CHECKVOLT", "CHECKSYN"};
constexpr const char* kInputLogic[] = {"OR", "AND"};
constexpr const char* kPreMode[] = {"NO1", "PRE1"};
constexpr const char* kQuantityList1[] = {
    "UA",  "UB",  "UC",   "UAB",      "UBC",      "UCA",  "UABC", "IA",   "IB",   "IC",  "IAB",
    "IBC", "ICA", "IABC", "PH(UABC)", "PH(IABC)", "FREQ", "UDC",  "IADC", "IBDC", "ICDC"};
constexpr const char* kQuantityList2[] = {"UA",
                                          "UB",
                                          "UC",
                                          "UAB",
                                          "UBC",
                                          "UCA",
                                          "3U0",
                                          "3U2",
                                          "3U1",
                                          "IA",
                                          "IB",
                                          "IC",
                                          "3I0",
                                          "3I2",
                                          "3I1",
                                          "PH(UA)-PH(IA)",
                                          "PH(UB)-PH(IB)",
                                          "PH(UC)-PH(IC)",
                                          "PH(UAB)-PH(IC)",
                                          "PH(UBC)-PH(IA)",
                                          "PH(UCA)-PH(IB)",
                                          "PH(UAB)-PH(IA)",
                                          "PH(UBC)-PH(IB)",
                                          "PH(UCA)-PH(IC)",
                                          "PH(3U0)-PH(3I0)",
                                          "PH(3U2)-PH(3I2)",
                                          "FREQ",
                                          "UDC",
                                          "IADC",
                                          "IBDC",
                                          "ICDC"};
constexpr const char* kTimeQuantity[] = {"IT",  "I0T",  "I2T",  "IABCT", "UAT", "UBT",
                                         "UCT", "UABT", "UBCT", "UCAT",  "U0T", "U2T"};
constexpr const char* kSearchMethod[] = {"BINARY", "VARIABLESTEP", "FIXSTEP"};
constexpr const char* kZoneSide[] = {"INNER", "OUTER"};
constexpr const char* kWinding[] = {"Y", "D"};
constexpr const char* kRestraintFormula[] = {"(|Ip-Is|)/k1",   "(|Ip|+|Is|*k2)/k1",
                                             "max{|Ip|,|Is|}", "(|Id|-|Ip|-|Is|)/k1",
                                             "|Is|",           "sqrt(Ip*Is*cos(a))"};
constexpr const char* kValueBase[] = {"PRIMARY", "SECONDARY"};

template <std::size_t N>
std::string WordOf(const char* const (&words)[N], int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return words[0];
    return words[code];
}

std::vector<Keyword> BuildKeywords() {
    std::vector<Keyword> k;
    const auto every = [&k](std::span<const char* const> words) {
        for (std::size_t i = 0; i < words.size(); ++i)
            k.push_back({words[i], static_cast<int>(i)});
    };
    every(kFaultType);
    k.push_back({"SP", 10});
    every(kFaultModel);
    every(kFaultAngle);
    every(kFaultPersistence);
    every(kEarthFactor);
    every(std::span(kTrigger).first(4));  // "INPUTBINARY&TIME" is a conversion word only
    every(kPhaseRef);
    every(kVxOutput);
    k.push_back({"FALSE", 0});
    k.push_back({"TRUE", 1});
    every(kYesNo);
    every(kInputGroup);
    every(kVtSide);
    every(kSyncCheck);
    every(kInputLogic);
    k.push_back({"NO1", 0});
    k.push_back({"PREV", 1});
    every(kQuantityList1);
    every(kQuantityList2);
    every(kTimeQuantity);
    k.push_back({"FIXSTEP", 0});
    k.push_back({"VARIABLESTEP", 1});
    k.push_back({"BINARY", 2});
    every(kZoneSide);
    every(kWinding);
    every(kRestraintFormula);
    every(kValueBase);
    return k;
}

}  // namespace

std::span<const Keyword> Keywords() {
    static const std::vector<Keyword> keywords = BuildKeywords();
    return keywords;
}

CKeywordConstants::CKeywordConstants()
    : count_(Keywords().size()), values_(std::make_unique<CValue[]>(count_)) {
    const auto keywords = Keywords();
    for (std::size_t i = 0; i < count_; ++i)
        values_[i].SetValue(keywords[i].code);
}

void CKeywordConstants::Register(CNameTable& table) {
    const auto keywords = Keywords();
    for (std::size_t i = 0; i < count_; ++i)
        table.SetAt(keywords[i].word, &values_[i]);
}

std::string FaultTypeText(int code) {
    return WordOf(kFaultType, code);
}
std::string FaultModelText(int code) {
    return WordOf(kFaultModel, code);
}
std::string FaultAngleText(int code) {
    return WordOf(kFaultAngle, code);
}
std::string FaultPersistenceText(int code) {
    return WordOf(kFaultPersistence, code);
}
std::string EarthFactorText(int code) {
    return WordOf(kEarthFactor, code);
}
std::string TriggerText(int code) {
    return WordOf(kTrigger, code);
}
std::string PhaseRefText(int code) {
    return WordOf(kPhaseRef, code);
}
std::string VxOutputText(int code) {
    return WordOf(kVxOutput, code);
}
std::string YesNoText(int code) {
    return WordOf(kYesNo, code);
}
std::string InputGroupText(int code) {
    return WordOf(kInputGroup, code);
}
std::string VtSideText(int code) {
    return WordOf(kVtSide, code);
}
std::string SyncCheckText(int code) {
    return WordOf(kSyncCheck, code);
}
std::string InputLogicText(int code) {
    return WordOf(kInputLogic, code);
}
std::string PreModeText(int code) {
    return WordOf(kPreMode, code);
}
std::string QuantityList1Text(int code) {
    return WordOf(kQuantityList1, code);
}
std::string QuantityList2Text(int code) {
    return WordOf(kQuantityList2, code);
}
std::string TimeQuantityText(int code) {
    return WordOf(kTimeQuantity, code);
}
std::string SearchMethodText(int code) {
    return WordOf(kSearchMethod, code);
}
std::string ZoneSideText(int code) {
    return WordOf(kZoneSide, code);
}
std::string WindingText(int code) {
    return WordOf(kWinding, code);
}
std::string RestraintFormulaText(int code) {
    return WordOf(kRestraintFormula, code);
}
std::string ValueBaseText(int code) {
    return WordOf(kValueBase, code);
}

}  // namespace quorin
