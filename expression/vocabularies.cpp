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

// Where the keyword constants differ from the conversions: words of their own, codes in
// another order.
constexpr const char* kSinglePhase[] = {"SP"};
constexpr const char* kBoolean[] = {"FALSE", "TRUE"};
constexpr const char* kPreModeWords[] = {"NO1", "PREV"};
constexpr const char* kSearchMethodWords[] = {"FIXSTEP", "VARIABLESTEP", "BINARY"};

// Words registered as keyword constants, with codes counting up from firstCode.
struct Registration {
    std::span<const char* const> words;
    int firstCode = 0;
};

constexpr Registration kRegistrationOrder[] = {
    {kFaultType},
    {kSinglePhase, 10},  // after the ten fault types
    {kFaultModel},
    {kFaultAngle},
    {kFaultPersistence},
    {kEarthFactor},
    {std::span(kTrigger).first(4)},  // "INPUTBINARY&TIME" is a conversion word only
    {kPhaseRef},
    {kVxOutput},
    {kBoolean},
    {kYesNo},
    {kInputGroup},
    {kVtSide},
    {kSyncCheck},
    {kInputLogic},
    {kPreModeWords},
    {kQuantityList1},
    {kQuantityList2},
    {kTimeQuantity},
    {kSearchMethodWords},
    {kZoneSide},
    {kWinding},
    {kRestraintFormula},
    {kValueBase},
};

template <std::size_t N>
std::string WordOf(const char* const (&words)[N], int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= N) return words[0];
    return words[code];
}

std::vector<Keyword> BuildKeywords() {
    std::vector<Keyword> k;
    for (const Registration& r : kRegistrationOrder)
        for (std::size_t i = 0; i < r.words.size(); ++i)
            k.push_back({r.words[i], r.firstCode + static_cast<int>(i)});
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

#define QUORIN_WORD_TEXT(Function, words) \
    std::string Function(int code) {      \
        return WordOf(words, code);       \
    }
QUORIN_WORD_TEXT(FaultTypeText, kFaultType)
QUORIN_WORD_TEXT(FaultModelText, kFaultModel)
QUORIN_WORD_TEXT(FaultAngleText, kFaultAngle)
QUORIN_WORD_TEXT(FaultPersistenceText, kFaultPersistence)
QUORIN_WORD_TEXT(EarthFactorText, kEarthFactor)
QUORIN_WORD_TEXT(TriggerText, kTrigger)
QUORIN_WORD_TEXT(PhaseRefText, kPhaseRef)
QUORIN_WORD_TEXT(VxOutputText, kVxOutput)
QUORIN_WORD_TEXT(YesNoText, kYesNo)
QUORIN_WORD_TEXT(InputGroupText, kInputGroup)
QUORIN_WORD_TEXT(VtSideText, kVtSide)
QUORIN_WORD_TEXT(SyncCheckText, kSyncCheck)
QUORIN_WORD_TEXT(InputLogicText, kInputLogic)
QUORIN_WORD_TEXT(PreModeText, kPreMode)
QUORIN_WORD_TEXT(QuantityList1Text, kQuantityList1)
QUORIN_WORD_TEXT(QuantityList2Text, kQuantityList2)
QUORIN_WORD_TEXT(TimeQuantityText, kTimeQuantity)
QUORIN_WORD_TEXT(SearchMethodText, kSearchMethod)
QUORIN_WORD_TEXT(ZoneSideText, kZoneSide)
QUORIN_WORD_TEXT(WindingText, kWinding)
QUORIN_WORD_TEXT(RestraintFormulaText, kRestraintFormula)
QUORIN_WORD_TEXT(ValueBaseText, kValueBase)
#undef QUORIN_WORD_TEXT

}  // namespace quorin
