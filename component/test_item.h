// One test item of a test sequence: the keys of one "<TestItemBegin>" ... "<TestItemEnd>" block
// and the fields derived from them. Own items (component name "Quorin.QuorinCom") are read in
// full, written back as text and edited; other items keep only their component name and hint.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quorin {

class CKeyValueList;

// The ProgID that marks a block as one of this component's own items.
inline constexpr std::string_view kOwnComponentName = "Quorin.QuorinCom";

class CTestItem {
public:
    static constexpr int kParameterCount = 15;
    static constexpr int kKeyStringCount = 1 + 4 * kParameterCount;  // TESTNAME + 4 per parameter
    static constexpr int kChannelCount = 21;
    static constexpr std::int16_t kOwnKind = 12;

    // Positions in the key strings of parameter k = 1..15 (-1 for k outside 1..15).
    static int NameIndex(int k) { return InRange(k) ? 1 + 4 * (k - 1) : -1; }
    static int ValueIndex(int k) { return InRange(k) ? 2 + 4 * (k - 1) : -1; }
    static int PropertyIndex(int k) { return InRange(k) ? 3 + 4 * (k - 1) : -1; }
    static int RequireIndex(int k) { return InRange(k) ? 4 + 4 * (k - 1) : -1; }
    // The key of key string i: "TESTNAME", "NAME1", "VALUE1", "PROPERTY1", "REQUIRE1", ...
    // "REQUIRE15"; "" for i outside 0..60.
    static std::string_view KeyName(int i);

    // Reads the item from the keys of its block: component name, hint and the three integers
    // always; for an own item also the channel strings (cleared), TESTNAME, the 60 parameter keys,
    // SELECT, ITE_TASKTYPE and BOOKMARK into bookmark while bookmark is empty, and kind 12. Then
    // all blanks are removed from the hint. Missing keys read as "", integers as atoi does.
    void Read(CKeyValueList& keys, std::string& bookmark);

    // Derives title, parameters (up to the first NAMEk that is "" or " "), channel mirror and
    // channel used from the keys. Parameters past the count are cleared.
    void Refresh();

    // The item as the text of its block (without the markers): the component line, then one
    // TAB key=value; line per key, all lines ended by CR LF. bookmark is the component's.
    std::string WriteText(std::string_view bookmark) const;

    bool IsOwn() const { return kind_ == kOwnKind; }
    std::int16_t Kind() const { return kind_; }
    void SetKind(std::int16_t kind) { kind_ = kind; }

    const std::string& ComponentName() const { return componentName_; }
    void SetComponentName(std::string name) { componentName_ = std::move(name); }
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    int HintSelect() const { return hintSelect_; }
    void SetHintSelect(int value) { hintSelect_ = value; }
    int HintSetting() const { return hintSetting_; }
    void SetHintSetting(int value) { hintSetting_ = value; }
    int Pause() const { return pause_; }
    void SetPause(int value) { pause_ = value; }
    int Select() const { return select_; }
    void SetSelect(int value) { select_ = value; }
    int TaskType() const { return taskType_; }
    void SetTaskType(int value) { taskType_ = value; }

    // Key strings as read (or as set): 0 TESTNAME, then NAMEk, VALUEk, PROPERTYk, REQUIREk.
    // "" for i outside 0..60; a setter with such an i does nothing.
    const std::string& KeyString(int i) const;
    void SetKeyString(int i, std::string text);
    const std::string& TestName() const { return keyStrings_[0]; }

    // Refreshed fields. k = 1..15; "" or 0 for k outside that range.
    const std::string& Title() const { return title_; }
    int ParameterCount() const { return parameterCount_; }
    const std::string& Name(int k) const;
    const std::string& Value(int k) const;
    const std::string& Require(int k) const;
    int Property(int k) const;

    // Channels c = 0..20 (Ua, Ub, Uc, Uz, Un, Ia, Ib, Ic, In, A .. H, 1 .. 4). The channel strings
    // come only from the host; mirror and used flag follow them at the next Refresh. "" or 0 for c
    // outside 0..20; a setter with such a c does nothing.
    const std::string& Channel(int c) const;
    void SetChannel(int c, std::string text);
    const std::string& ChannelMirror(int c) const;
    int ChannelUsed(int c) const;

private:
    static bool InRange(int k) { return k >= 1 && k <= kParameterCount; }

    std::string componentName_;
    std::string hint_;
    int hintSelect_ = 0;
    int hintSetting_ = 0;
    int pause_ = 0;
    std::array<std::string, kKeyStringCount> keyStrings_;
    std::int16_t kind_ = 0;
    int select_ = 0;
    std::string title_;
    std::array<std::string, kParameterCount> names_;
    std::array<std::string, kParameterCount> values_;
    std::array<std::string, kParameterCount> requires_;
    std::array<int, kParameterCount> properties_{};
    int parameterCount_ = 0;
    std::array<std::string, kChannelCount> channels_;
    std::array<std::string, kChannelCount> channelMirror_;
    std::array<int, kChannelCount> channelUsed_{};
    int taskType_ = 0;
};

}  // namespace quorin
