#include "template/relay_template.h"

#include "platform/numtext.h"
#include "template/template_format.h"
#include "template/template_tables.h"

namespace quorin {
namespace {

const std::string kEmpty;

// Calls f with the table of kind; every accessor goes through here, so an out-of-range kind
// value (a cast from a host's integer) lands on the binary inputs rather than outside.
template <class Tables, class F>
decltype(auto) WithTable(Tables& t, ParamKind kind, F&& f) {
    switch (kind) {
        case ParamKind::kSetting:
            return f(t.settings);
        case ParamKind::kCommonParameter:
            return f(t.common);
        default:
            return f(t.binary);
    }
}

template <class Table>
bool InRange(const Table& table, int record) {
    return record >= 0 && record < table.count;
}

template <class List>
const std::string& ItemField(const List& list, int item, int field) {
    if (item < 0 || item >= list.count || field < 0 || field >= List::kFields) return kEmpty;
    return list.items[static_cast<size_t>(item)][static_cast<size_t>(field)];
}

const std::string& PairText(const PairList& pairs,
                            const std::array<std::string, kMaxCoordinatePairs>& texts, int number) {
    return number >= 1 && number < pairs.count ? texts[static_cast<size_t>(number)] : kEmpty;
}

}  // namespace

CRelayTemplate::CRelayTemplate() : t_(std::make_unique<Tables>()) {
    keywords_.Register(names_);
    expression_.SetNameTable(&names_);
}

CRelayTemplate::~CRelayTemplate() = default;

double CRelayTemplate::CalcExpression(std::string_view text) {
    return CalcExpressionText(expression_, &names_, text);
}

int32_t CRelayTemplate::TextToInt(const char* text, int32_t defaultValue) {
    return text == nullptr ? defaultValue : TextToInt(std::string_view(text), defaultValue);
}

int32_t CRelayTemplate::TextToInt(std::string_view text, int32_t defaultValue) {
    return text.empty() ? defaultValue : CAtoi(text);
}

float CRelayTemplate::TextToFloat(const char* text, float defaultValue) {
    return text == nullptr ? defaultValue : TextToFloat(std::string_view(text), defaultValue);
}

float CRelayTemplate::TextToFloat(std::string_view text, float defaultValue) {
    return text.empty() ? defaultValue : static_cast<float>(CAtof(text));
}

double CRelayTemplate::ValueTableEntry(int entry) const {
    if (entry < 0 || entry >= kValueTableSize) return 0.0;
    return t_->values[static_cast<size_t>(entry)].GetValue();
}

const std::string& CRelayTemplate::ProtectiveRelayName() const {
    return t_->relayName;
}
const std::string& CRelayTemplate::Property() const {
    return t_->property;
}
const std::string& CRelayTemplate::WordReportName() const {
    return t_->wordReportName;
}
int32_t CRelayTemplate::Update() const {
    return t_->update;
}

int CRelayTemplate::Capacity(ParamKind kind) {
    switch (kind) {
        case ParamKind::kSetting:
            return kMaxSettings;
        case ParamKind::kCommonParameter:
            return kMaxCommonParameters;
        default:
            return kMaxBinaryInputs;
    }
}

int CRelayTemplate::ChoiceCapacity(ParamKind kind) {
    return kind == ParamKind::kSetting || kind == ParamKind::kCommonParameter ? kMaxChoices
                                                                              : kMaxBinaryChoices;
}

int CRelayTemplate::Count(ParamKind kind) const {
    return WithTable(*t_, kind, [](const auto& table) { return int{table.count}; });
}

int CRelayTemplate::Layout(ParamKind kind) const {
    return WithTable(*t_, kind, [](const auto& table) { return int{table.layout}; });
}

void CRelayTemplate::SetLayout(ParamKind kind, int layout) {
    WithTable(*t_, kind, [layout](auto& table) { table.layout = layout; });
}

// The text fields share one shape; the three tables differ in type, hence a generic lambda per
// field.
#define QUORIN_TEXT_ACCESSOR(Function, member)                                                  \
    const std::string& CRelayTemplate::Function(ParamKind kind, int record) const {             \
        return WithTable(*t_, kind, [record](const auto& table) -> const std::string& {         \
            return InRange(table, record) ? table.member[static_cast<size_t>(record)] : kEmpty; \
        });                                                                                     \
    }
QUORIN_TEXT_ACCESSOR(Name, name)
QUORIN_TEXT_ACCESSOR(Id, id)
QUORIN_TEXT_ACCESSOR(Type, type)
QUORIN_TEXT_ACCESSOR(Unit, unit)
QUORIN_TEXT_ACCESSOR(Pva, pva)
QUORIN_TEXT_ACCESSOR(Pvb, pvb)
QUORIN_TEXT_ACCESSOR(Pvc, pvc)
QUORIN_TEXT_ACCESSOR(Re, re)
QUORIN_TEXT_ACCESSOR(Rt, rt)
QUORIN_TEXT_ACCESSOR(Rn, rn)
#undef QUORIN_TEXT_ACCESSOR

int32_t CRelayTemplate::Decimals(ParamKind kind, int record) const {
    return WithTable(*t_, kind, [record](const auto& table) -> int32_t {
        return InRange(table, record) ? table.decimals[static_cast<size_t>(record)] : 0;
    });
}

float CRelayTemplate::Value(ParamKind kind, int record) const {
    return WithTable(*t_, kind, [record](const auto& table) -> float {
        return InRange(table, record) ? table.value[static_cast<size_t>(record)] : 0.0f;
    });
}

void CRelayTemplate::SetValue(ParamKind kind, int record, float value) {
    WithTable(*t_, kind, [record, value](auto& table) {
        if (InRange(table, record)) table.value[static_cast<size_t>(record)] = value;
    });
}

int32_t CRelayTemplate::ChoiceCount(ParamKind kind, int record) const {
    return WithTable(*t_, kind, [record](const auto& table) -> int32_t {
        return InRange(table, record) ? table.choiceCount[static_cast<size_t>(record)] : 0;
    });
}

const std::string& CRelayTemplate::Choice(ParamKind kind, int record, int choice) const {
    return WithTable(*t_, kind, [record, choice](const auto& table) -> const std::string& {
        if (!InRange(table, record) || choice < 0 ||
            choice >= table.choiceCount[static_cast<size_t>(record)])
            return kEmpty;
        return table.Choice(record, choice);
    });
}

std::string CRelayTemplate::ValueText(ParamKind kind, int record) const {
    return WithTable(*t_, kind, [record](const auto& table) -> std::string {
        if (!InRange(table, record)) return std::string();
        const auto i = static_cast<size_t>(record);
        return ParamValueText(table.type[i], table.decimals[i], table.value[i]);
    });
}

int CRelayTemplate::ReportCount() const {
    return t_->reportCount;
}
int CRelayTemplate::ReportLayout() const {
    return t_->reportLayout;
}
void CRelayTemplate::SetReportLayout(int layout) {
    t_->reportLayout = layout;
}

const std::string& CRelayTemplate::ReportName(int item) const {
    return item >= 0 && item < t_->reportCount ? t_->reportName[static_cast<size_t>(item)] : kEmpty;
}

const std::string& CRelayTemplate::ReportId(int item) const {
    return item >= 0 && item < t_->reportCount ? t_->reportId[static_cast<size_t>(item)] : kEmpty;
}

const std::string& CRelayTemplate::CharacterText() const {
    return t_->characterText;
}

// The drawing lists share one shape each: a count, and the texts of items (fields 0-based),
// of values, or of pairs numbered from 1.
#define QUORIN_ITEM_LIST(Count, Field, list)                              \
    int CRelayTemplate::Count() const {                                   \
        return t_->list.count;                                            \
    }                                                                     \
    const std::string& CRelayTemplate::Field(int item, int field) const { \
        return ItemField(t_->list, item, field);                          \
    }
#define QUORIN_VALUE_LIST(Count, Value, list)                  \
    int CRelayTemplate::Count() const {                        \
        return t_->list.count;                                 \
    }                                                          \
    const std::string& CRelayTemplate::Value(int item) const { \
        return ItemField(t_->list, item, 0);                   \
    }
#define QUORIN_PAIR_LIST(Count, X, Y, pairs)                 \
    int CRelayTemplate::Count() const {                      \
        return t_->pairs.count;                              \
    }                                                        \
    const std::string& CRelayTemplate::X(int number) const { \
        return PairText(t_->pairs, t_->pairs.x, number);     \
    }                                                        \
    const std::string& CRelayTemplate::Y(int number) const { \
        return PairText(t_->pairs, t_->pairs.y, number);     \
    }
QUORIN_ITEM_LIST(LineCount, LineField, lines)
QUORIN_ITEM_LIST(CircleCount, CircleField, circles)
QUORIN_ITEM_LIST(TextItemCount, TextItemField, texts)
QUORIN_PAIR_LIST(XnPairCount, Xn, Yn, xn)
QUORIN_PAIR_LIST(XpPairCount, Xp, Yp, xp)
QUORIN_VALUE_LIST(TimeCount, Time, times)
QUORIN_VALUE_LIST(IdValueCount, IdValue, ids)
QUORIN_ITEM_LIST(RPairCount, RPair, rPairs)
QUORIN_ITEM_LIST(IrPairCount, IrPair, irPairs)
#undef QUORIN_ITEM_LIST
#undef QUORIN_VALUE_LIST
#undef QUORIN_PAIR_LIST

const CZoneTable& CRelayTemplate::Zones() const {
    return t_->zones;
}

}  // namespace quorin
