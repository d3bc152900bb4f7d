// ReadTemplate on templates of 1/4, 1/2 and the full capacity of every section (600 settings,
// every third a ComboBox with 20 choices; 100 common parameters, 100 binary inputs, 100 report
// items; 24 zones of 4 to 6 shapes; 200 lines), in the indexed and the record layout. A memchr
// scan over the same bytes in the same run is the physical floor. allocs/read counts the heap
// allocations of one warm read (one that reads the same text again).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/numtext.h"
#include "template/relay_template.h"

// Heap allocations so far (allocation_counter.cpp replaces operator new).
long AllocationCount();

namespace {

using quorin::FormatInt;

struct Pair {
    std::string key, value;
};

// One parameter record's pairs: kind cycles Edit, Edit, ComboBox (choices), with a CheckBox now
// and then; GBK names on every fourth.
std::vector<Pair> Record(const std::string& prefix, int i, int choices, bool withR) {
    const std::string n = FormatInt(i);
    std::vector<Pair> pairs;
    pairs.push_back({"N", (i % 4 == 0 ? "\xBE\xE0\xC0\xEB" : "Parameter ") + n});
    if (i % 3 == 2) {
        pairs.push_back({"Num", FormatInt(choices)});
        pairs.push_back({"T", "ComboBox"});
        pairs.push_back({"V", FormatInt(i % choices)});
        for (int j = 1; j <= choices; ++j)
            pairs.push_back({"S" + FormatInt(j), "Choice " + FormatInt(j)});
    } else if (i % 7 == 0) {
        pairs.push_back({"T", "CheckBox"});
        pairs.push_back({"V", "1"});
        pairs.push_back({"S1", "On"});
        pairs.push_back({"S2", "Off"});
    } else {
        pairs.push_back({"L", "2"});
        pairs.push_back({"U", i % 2 ? "V" : "\xA6\xB8"});
        pairs.push_back({"T", "Edit"});
        pairs.push_back({"V", FormatInt(i) + ".25"});
    }
    if (withR) {
        pairs.push_back({"RE", "0"});
        pairs.push_back({"RT", "0"});
        pairs.push_back({"RN", "0"});
    }
    pairs.push_back({"ID", prefix + n});
    return pairs;
}

std::string Section(const std::string& marker, const std::vector<std::vector<Pair>>& records,
                    bool indexed) {
    std::string out = "<" + marker + "Begin>\r\n";
    for (size_t k = 0; k < records.size(); ++k) {
        const std::string number = FormatInt(static_cast<long long>(k + 1));
        out += '\t';
        for (size_t p = 0; p < records[k].size(); ++p) {
            const Pair& pair = records[k][p];
            if (indexed) {
                const bool choice = pair.key[0] == 'S' && pair.key.size() > 1;
                out += choice ? "S" + number + pair.key.substr(1) : pair.key + number;
                out += "=" + pair.value + ";";
            } else {
                out += pair.key + "=" + pair.value + (p + 1 < records[k].size() ? "," : ";");
            }
        }
        out += "\r\n";
    }
    return out + "<" + marker + "End>\r\n";
}

// A template with scale/4 of every section's capacity.
std::string MakeTemplate(int quarters, bool indexed) {
    auto part = [quarters](int capacity) { return capacity * quarters / 4; };
    std::string text =
        "<ProtectionRelayBegin>\r\nProtectiveRelayName=Bench relay;\r\nProperty=bench;\r\n"
        "WordReportName=bench.doc;\r\nFormat=1;\r\nUpdate=1;\r\n";
    auto records = [&](const std::string& prefix, int count, int choices, bool withR) {
        std::vector<std::vector<Pair>> out;
        for (int i = 0; i < count; ++i)
            out.push_back(Record(prefix, i, choices, withR));
        return out;
    };
    text += Section("Setting", records("S", part(600), 20, true), indexed);
    text += Section("CommonParameter", records("C", part(100), 20, true), indexed);
    text += Section("Binary", records("B", part(100), 10, false), indexed);
    text += "<CharacterBegin>\r\n";
    for (int z = 0; z < part(24); ++z) {
        text += "BEGINZONE\r\nINDEX=" + FormatInt(1 + z / 4) + ";INVERT=" + FormatInt(z == 23) +
                ";FAULTLOOP=LN;LABEL=Zone " + FormatInt(z) + ";\r\nBEGINSHAPE\r\n";
        const int shapes = 4 + z % 3;
        text += "LINE=0,S1*" + FormatInt(z + 1) + ",-3;\r\nLINE=0,0,115;\r\nLINE=0,0,-15;\r\n";
        if (shapes >= 5) text += "ARCP=0,0,S4*" + FormatInt(z + 1) + ",20,160,CCW;\r\n";
        if (shapes >= 6) text += "LINE=S5,S7,100;\r\n";
        text += "LINE=S4*" + FormatInt(z + 1) + ",0,75;\r\nENDSHAPE\r\nENDZONE\r\n";
    }
    for (int i = 0; i < part(200); ++i)
        text += "LINE[0," + FormatInt(i) + ",max(S1,S4),S5*COS(75*3.14159/180),0];\r\n";
    text += "XN1=0;YN1=0;XN2=S1;YN2=S4;t=S1;R=[0,S4];\r\n<CharacterEnd>\r\n<ReportBegin>\r\n";
    for (int i = 1; i <= part(100); ++i) {
        const std::string n = FormatInt(i);
        text += indexed ? "\tN" + n + "=Report item " + n + ";ID" + n + "=R" + n + ";\r\n"
                        : "\tN=Report item " + n + ",ID=R" + n + ";\r\n";
    }
    return text + "<ReportEnd>\r\n";
}

void BM_ReadTemplate(benchmark::State& state) {
    const int quarters = static_cast<int>(state.range(0));
    const bool indexed = state.range(1) == 0;
    const std::string text = MakeTemplate(quarters, indexed);
    auto relayTemplate = std::make_unique<quorin::CRelayTemplate>();
    relayTemplate->ReadTemplate(text, 0);
    if (relayTemplate->Count(quorin::ParamKind::kSetting) != 600 * quarters / 4 ||
        relayTemplate->Zones().Count() != 24 * quarters / 4 ||
        relayTemplate->LineCount() != 200 * quarters / 4) {
        state.SkipWithError("the generated template did not read fully");
        return;
    }
    const long allocationsBefore = AllocationCount();
    for (auto _ : state) {
        relayTemplate->ReadTemplate(text, 0);
        benchmark::ClobberMemory();
    }
    state.counters["allocs/read"] = static_cast<double>(AllocationCount() - allocationsBefore) /
                                    static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}

// The same bytes scanned once for a byte that never occurs.
void BM_MemchrScan(benchmark::State& state) {
    const std::string text = MakeTemplate(static_cast<int>(state.range(0)), state.range(1) == 0);
    for (auto _ : state) {
        const char* bytes = text.data();
        benchmark::DoNotOptimize(bytes);  // or the scan is hoisted out of the loop
        const void* hit = std::memchr(bytes, '\x01', text.size());
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}

// Arguments: quarters of capacity (1, 2, 4), layout (0 indexed, 1 record).
void Sizes(benchmark::internal::Benchmark* b) {
    for (int layout : {0, 1})
        for (int quarters : {1, 2, 4})
            b->Args({quarters, layout});
    b->ArgNames({"quarters", "record"});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ReadTemplate)->Apply(Sizes);
BENCHMARK(BM_MemchrScan)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
