#include "bench/hostile/hostile_inputs.h"

#include <cstdint>
#include <random>

#include "platform/numtext.h"

namespace quorin::hostile {
namespace {

std::string Repeat(std::string_view part, std::size_t times) {
    std::string out;
    out.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += part;
    return out;
}

// Parts joined by joiner up to about bytes.
std::string Fill(std::string_view part, std::string_view joiner, std::size_t bytes) {
    const std::size_t times = std::max<std::size_t>(1, bytes / (part.size() + joiner.size()));
    std::string out;
    out.reserve(times * (part.size() + joiner.size()));
    for (std::size_t i = 0; i < times; ++i) {
        if (i) out += joiner;
        out += part;
    }
    return out;
}

// MAX nested 250 deep without a comma, as far as the nesting bound allows: re-evaluating the
// winner at every level doubles the work per level.
std::string NestedMax() {
    return Repeat("MAX(", 250) + "5+1" + Repeat(")+1", 249) + ")";
}

std::string Template(std::string_view update) {
    return "<ProtectionRelayBegin>\r\nProtectiveRelayName=Hostile;\r\nUpdate=" +
           std::string(update) + ";\r\n";
}

std::string Character(std::string_view body) {
    return "<ProtectionRelayBegin>\r\nProtectiveRelayName=Hostile;\r\n<CharacterBegin>\r\n" +
           std::string(body) + "\r\n<CharacterEnd>\r\n";
}

std::string Zone(std::string_view firstField, std::string_view filler) {
    return "BEGINZONE INDEX=1;INVERT=0;FAULTLOOP=LN;LABEL=Z1;\r\nBEGINSHAPE\r\nLINE=" +
           std::string(firstField) + ",0,0;\r\nLINE=0,0,90;\r\nENDSHAPE\r\n" + std::string(filler) +
           "ENDZONE";
}

std::string UpdateMax(std::size_t bytes) {
    return Template(Fill(NestedMax(), "+", bytes));
}
std::string UpdateShallow(std::size_t bytes) {
    return Template(Fill("MAX(5,1)", "+", bytes));
}

std::string ZoneMax(std::size_t bytes) {
    return Character(Zone(Fill(NestedMax(), "+", bytes), ""));
}
std::string ZoneShallow(std::size_t bytes) {
    return Character(Zone(Fill("MAX(5+1)", "+", bytes), ""));
}

// Every "YN1=" after the first searched for a ";" to the end of the section.
std::string OpenYn(std::size_t bytes) {
    return Character(Fill("YN1=", "", bytes));
}
std::string ClosedYn(std::size_t bytes) {
    return Character(Fill("XN1=0;YN1=0;", "", bytes));
}

// A line break put after each marker of one zone, moving the rest of the zone each time.
std::string ShapeMarkers(std::size_t bytes) {
    return Character(Zone("0", Fill("BEGINSHAPEENDSHAPE", "", bytes)));
}
std::string BlankLines(std::size_t bytes) {
    return Character(Zone("0", Fill("\r\n", "", bytes)));
}

constexpr std::string_view kKeyLetters = "abcdefghijklmnopqrstuvwxyz012345";  // 32

std::string Settings(const std::vector<std::string>& keys) {
    std::string text =
        "<ProtectionRelayBegin>\r\n<SettingBegin>\r\nN1=Ia;T1=Edit;L1=2;V1=1.25;U1=A;ID1=I1;";
    for (const std::string& key : keys)
        text.append(key).append("=;");
    return text + "\r\n<SettingEnd>\r\n";
}

// Keys of 9 letters whose FNV-1a hashes agree in their low `bits` bits, so that an index with
// that hash and 2^bits slots puts them all in one probe run. The low bits of FNV-1a depend only
// on the low bits before each step, so a 4-letter prefix that reaches a state and a 5-letter
// suffix that leads from that state to the target meet in the middle.
std::vector<std::string> FnvCollidingKeys(std::size_t count, int bits) {
    const std::uint32_t mask = (std::uint32_t{1} << bits) - 1;
    const std::uint32_t prime = 16777619u;
    std::uint32_t inverse = 1;  // prime^-1 mod 2^32 by Newton's iteration
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - prime * inverse;
    std::vector<std::uint32_t> prefixOf(std::size_t{1} << bits, 0);  // state -> prefix + 1
    for (std::uint32_t p = 0; p < (1u << 20); ++p) {
        std::uint32_t h = 2166136261u;
        for (int i = 0; i < 4; ++i)
            h = (h ^ static_cast<unsigned char>(kKeyLetters[(p >> (5 * i)) & 31])) * prime;
        if (prefixOf[h & mask] == 0) prefixOf[h & mask] = p + 1;
    }
    std::vector<std::string> keys;
    for (std::uint32_t s = 0; keys.size() < count && s < (1u << 25); ++s) {
        std::uint32_t state = 0;  // the target: every key hashes to 0 in the low bits
        for (int i = 4; i >= 0; --i)
            state =
                ((state * inverse) ^ static_cast<unsigned char>(kKeyLetters[(s >> (5 * i)) & 31])) &
                mask;
        const std::uint32_t p = prefixOf[state];
        if (p == 0) continue;
        std::string key;
        for (int i = 0; i < 4; ++i)
            key += kKeyLetters[((p - 1) >> (5 * i)) & 31];
        for (int i = 0; i < 5; ++i)
            key += kKeyLetters[(s >> (5 * i)) & 31];
        keys.push_back(std::move(key));
    }
    return keys;
}

std::size_t KeyCount(std::size_t bytes) {
    return bytes / 11;  // "abcdefghi=;"
}

std::string CollidingKeys(std::size_t bytes) {
    const std::size_t pairs = KeyCount(bytes) + 6;
    // The slot count of the index for that many pairs: a power of two at most 3/4 full.
    int bits = 4;
    while ((std::size_t{3} << bits) < pairs * 4 + 4)
        ++bits;
    return Settings(FnvCollidingKeys(KeyCount(bytes), bits));
}

std::string RandomKeys(std::size_t bytes) {
    std::mt19937 rng(1);
    std::vector<std::string> keys(KeyCount(bytes));
    for (std::string& key : keys)
        for (int i = 0; i < 9; ++i)
            key += kKeyLetters[rng() & 31];
    return Settings(keys);
}

std::string FlatChain(std::size_t bytes) {
    return Fill("1", "+", bytes);
}
std::string ShortChains(std::size_t bytes) {
    return Fill(Fill("1", "+", 128), "\n", bytes);
}

std::string NestedMaxExpression(std::size_t bytes) {
    return Fill(NestedMax(), "+", bytes);
}
std::string ShallowMaxExpression(std::size_t bytes) {
    return Fill("MAX(5,1)", "+", bytes);
}

// Distinct names: the old listing compared each with every name before it.
std::string ManyKeys(std::size_t bytes) {
    std::string text = "[S]\r\n";
    for (int i = 0; text.size() < bytes; ++i)
        text += CFormat("k%07d=1\r\n", i);
    return text;
}
std::string OneKey(std::size_t bytes) {
    return "[S]\r\n" + Fill("kkkkkkkk=1", "\r\n", bytes) + "\r\n";
}
std::string ManySections(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += CFormat("[s%07d]\r\n", i);
    return text;
}
std::string OneSection(std::size_t bytes) {
    return Fill("[ssssssss]", "\r\n", bytes) + "\r\n";
}

// A report settings file whose module section is padded with keys the settings do not use.
std::string ReportIni(std::size_t bytes) {
    std::string text =
        "[ReportSetting]\r\nReportTitle=Relay test\r\nStationName=North\r\nNeedBinary=0\r\n"
        "[RunningMessage]\r\nVnom=57.7\r\n[ModuleConfig]\r\nSelect=Distance\r\n"
        "TestPoint0=Z1 0.5 0 deg\r\n";
    for (int i = 0; text.size() < bytes; ++i)
        text += CFormat("Extra%07d=x\r\n", i);
    return text + "[WaveAnalyze]\r\na=1\r\n[HistoryState]\r\nh=2\r\n";
}
// The same file with its padding in one value.
std::string ReportIniOneValue(std::size_t bytes) {
    return "[ReportSetting]\r\nReportTitle=Relay test\r\nStationName=North\r\nNeedBinary=0\r\n"
           "[RunningMessage]\r\nVnom=57.7\r\n[ModuleConfig]\r\nSelect=Distance\r\n"
           "TestPoint0=Z1 0.5 0 deg\r\nExtra=" +
           std::string(bytes, 'x') + "\r\n[WaveAnalyze]\r\na=1\r\n[HistoryState]\r\nh=2\r\n";
}

}  // namespace

const std::vector<Input>& Inputs() {
    static const std::vector<Input> inputs = {
        {"update_max", Reader::kTemplate, UpdateMax, UpdateShallow,
         "Update= of MAX nested 250 deep without commas, again and again"},
        {"zone_max", Reader::kTemplate, ZoneMax, ZoneShallow,
         "a zone line whose first field is MAX nested 250 deep, again and again"},
        {"yn_open", Reader::kTemplate, OpenYn, ClosedYn, "YN1= again and again, never a ';'"},
        {"shape_markers", Reader::kTemplate, ShapeMarkers, BlankLines,
         "one zone of BEGINSHAPEENDSHAPE again and again"},
        {"colliding_keys", Reader::kTemplate, CollidingKeys, RandomKeys,
         "an indexed settings section of keys in one FNV-1a probe run"},
        {"flat_chain", Reader::kExpression, FlatChain, ShortChains, "1+1+...+1 as one formula"},
        {"nested_max", Reader::kExpression, NestedMaxExpression, ShallowMaxExpression,
         "MAX nested 250 deep without commas, again and again"},
        {"ini_keys", Reader::kIni, ManyKeys, OneKey, "one section of distinct keys"},
        {"ini_sections", Reader::kIni, ManySections, OneSection, "distinct sections"},
        {"report_ini", Reader::kReportSettings, ReportIni, ReportIniOneValue,
         "report settings loaded and saved over a file padded with keys (twin: padded with one "
         "value)"},
    };
    return inputs;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

}  // namespace quorin::hostile
