#include "component/test_item.h"

#include <algorithm>

#include "platform/numtext.h"
#include "template/key_value_list.h"

namespace quorin {
namespace {

const std::string kEmpty;

const std::array<std::string, CTestItem::kKeyStringCount>& KeyNames() {
    static const auto names = [] {
        std::array<std::string, CTestItem::kKeyStringCount> n;
        n[0] = "TESTNAME";
        for (int k = 1; k <= CTestItem::kParameterCount; ++k) {
            const std::string number = FormatInt(k);
            n[CTestItem::NameIndex(k)] = "NAME" + number;
            n[CTestItem::ValueIndex(k)] = "VALUE" + number;
            n[CTestItem::PropertyIndex(k)] = "PROPERTY" + number;
            n[CTestItem::RequireIndex(k)] = "REQUIRE" + number;
        }
        return n;
    }();
    return names;
}

// The written channel keys: the first 21 carry the channel strings, the last 13 the channel
// mirror 0..12.
constexpr std::array<std::string_view, 34> kChannelKeys = {
    "UAC",   "UBC",    "UCC",   "UZC",    "UNC",   "IAC",    "IBC",   "ICC",   "INC",
    "INAC",  "INAPC",  "INBC",  "INBPC",  "INCC",  "INCPC",  "INDC",  "INDPC", "INEC",
    "INEPC", "INFC",   "INFPC", "INGC",   "INGPC", "INHC",   "INHPC", "OUT1C", "OUT1PC",
    "OUT2C", "OUT2PC", "OUT3C", "OUT3PC", "OUT4C", "OUT4PC", "LIC"};

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(1, '\t').append(key).append(1, '=').append(value).append(";\r\n");
}

}  // namespace

std::string_view CTestItem::KeyName(int i) {
    if (i < 0 || i >= kKeyStringCount) return {};
    return KeyNames()[i];
}

void CTestItem::Read(CKeyValueList& keys, std::string& bookmark) {
    componentName_ = keys.Lookup("TestComName2");
    hint_ = keys.Lookup("HINT");
    hintSelect_ = CAtoi(keys.Lookup("HINTSELECT"));
    hintSetting_ = CAtoi(keys.Lookup("HINTSETTING"));
    pause_ = CAtoi(keys.Lookup("PAUSE"));
    if (componentName_ == kOwnComponentName) {
        for (auto& channel : channels_)
            channel.clear();
        const auto& names = KeyNames();
        for (int i = 0; i < kKeyStringCount; ++i)
            keyStrings_[i] = keys.Lookup(names[i]);
        select_ = CAtoi(keys.Lookup("SELECT"));
        taskType_ = CAtoi(keys.Lookup("ITE_TASKTYPE"));
        if (bookmark.empty()) bookmark = keys.Lookup("BOOKMARK");
        kind_ = kOwnKind;
    }
    hint_.erase(std::remove(hint_.begin(), hint_.end(), ' '), hint_.end());
}

void CTestItem::Refresh() {
    title_ = keyStrings_[0];
    parameterCount_ = 0;
    for (int k = 1; k <= kParameterCount; ++k) {
        const std::string& name = keyStrings_[NameIndex(k)];
        if (name.empty() || name == " ") break;
        names_[k - 1] = name;
        values_[k - 1] = keyStrings_[ValueIndex(k)];
        requires_[k - 1] = keyStrings_[RequireIndex(k)];
        properties_[k - 1] = CAtoi(keyStrings_[PropertyIndex(k)]);
        ++parameterCount_;
    }
    // A parameter dropped since the last refresh must not linger behind the count.
    for (int k = parameterCount_ + 1; k <= kParameterCount; ++k) {
        names_[k - 1].clear();
        values_[k - 1].clear();
        requires_[k - 1].clear();
        properties_[k - 1] = 0;
    }
    for (int c = 0; c < kChannelCount; ++c) {
        channelUsed_[c] = channels_[c].empty() ? 0 : 1;
        channelMirror_[c] = channels_[c];
    }
}

std::string CTestItem::WriteText(std::string_view bookmark) const {
    std::string out;
    out.reserve(2048);
    out.append("TestComName2=").append(kOwnComponentName).append(";\r\n");
    AppendLine(out, "HINT", hint_);
    const auto& names = KeyNames();
    for (int i = 0; i < kKeyStringCount; ++i)
        AppendLine(out, names[i], keyStrings_[i]);
    AppendLine(out, "BOOKMARK", bookmark);
    AppendLine(out, "SELECT", FormatInt(select_));
    for (size_t c = 0; c < kChannelKeys.size(); ++c) {
        const std::string& value =
            c < kChannelCount ? channels_[c] : channelMirror_[c - kChannelCount];
        AppendLine(out, kChannelKeys[c], value);
    }
    AppendLine(out, "PAUSE", FormatInt(pause_));
    AppendLine(out, "HINTSELECT", FormatInt(hintSelect_));
    AppendLine(out, "HINTSETTING", FormatInt(hintSetting_));
    AppendLine(out, "ITE_TASKTYPE", FormatInt(taskType_));
    return out;
}

const std::string& CTestItem::KeyString(int i) const {
    return (i >= 0 && i < kKeyStringCount) ? keyStrings_[i] : kEmpty;
}

void CTestItem::SetKeyString(int i, std::string text) {
    if (i >= 0 && i < kKeyStringCount) keyStrings_[i] = std::move(text);
}

const std::string& CTestItem::Name(int k) const {
    return InRange(k) ? names_[k - 1] : kEmpty;
}
const std::string& CTestItem::Value(int k) const {
    return InRange(k) ? values_[k - 1] : kEmpty;
}
const std::string& CTestItem::Require(int k) const {
    return InRange(k) ? requires_[k - 1] : kEmpty;
}
int CTestItem::Property(int k) const {
    return InRange(k) ? properties_[k - 1] : 0;
}

const std::string& CTestItem::Channel(int c) const {
    return (c >= 0 && c < kChannelCount) ? channels_[c] : kEmpty;
}

void CTestItem::SetChannel(int c, std::string text) {
    if (c >= 0 && c < kChannelCount) channels_[c] = std::move(text);
}

const std::string& CTestItem::ChannelMirror(int c) const {
    return (c >= 0 && c < kChannelCount) ? channelMirror_[c] : kEmpty;
}

int CTestItem::ChannelUsed(int c) const {
    return (c >= 0 && c < kChannelCount) ? channelUsed_[c] : 0;
}

}  // namespace quorin
