// The template reader looks up thousands of keys such as "N12" or "S112" in one list; the
// component reads and splices whole sequences on every load and store.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "component/test_item_set.h"
#include "platform/numtext.h"
#include "template/key_value_list.h"

namespace {

constexpr int kKeys = 6000;
constexpr int kBatch = 1000;

// 6000 keys as a template section has them: N, S and V records numbered 0..1999.
std::string SectionText() {
    std::string text;
    const char* prefixes[] = {"N", "S", "V"};
    for (int i = 0; i < kKeys; ++i) {
        if (i) text += ';';
        text += prefixes[i % 3] + quorin::FormatInt(i / 3) + "=" + quorin::FormatFixed(i * 0.25, 2);
    }
    return text;
}

// Scattered: every lookup lands far from the previous one. In record order: N0, S0, V0, N1, ...
// as a reader walks the records.
std::vector<std::string> HitKeys(bool scattered) {
    std::vector<std::string> keys;
    const char* prefixes[] = {"N", "S", "V"};
    for (int i = 0; i < kKeys; ++i) {
        keys.push_back(scattered ? prefixes[(i * 7) % 3] + quorin::FormatInt((i * 7919) % 2000)
                                 : prefixes[i % 3] + quorin::FormatInt(i / 3));
    }
    return keys;
}

std::vector<std::string> MissKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < kBatch; ++i)
        keys.push_back("S" + quorin::FormatInt(2000 + i * 13));
    return keys;
}

std::map<std::string, std::string> PeerMap(const quorin::CKeyValueList& list) {
    return {list.Pairs().begin(), list.Pairs().end()};
}

void PerLookup(benchmark::State& state, int lookupsPerIteration) {
    state.counters["per_lookup"] =
        benchmark::Counter(lookupsPerIteration, benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

void BM_KeyValueListLookupHit(benchmark::State& state) {
    quorin::CKeyValueList list(SectionText(), ';');
    const std::vector<std::string> keys = HitKeys(state.range(0) != 0);
    std::vector<std::string_view> views(keys.begin(), keys.end());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.Lookup(views[i]).data());
        if (++i == views.size()) i = 0;
    }
    PerLookup(state, 1);
}
BENCHMARK(BM_KeyValueListLookupHit)->ArgName("scattered")->Arg(0)->Arg(1);

void BM_StdMapLookupHit(benchmark::State& state) {
    const quorin::CKeyValueList list(SectionText(), ';');
    std::map<std::string, std::string> map = PeerMap(list);
    const std::vector<std::string> keys = HitKeys(state.range(0) != 0);
    std::vector<std::string_view> views(keys.begin(), keys.end());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(map[std::string(views[i])].data());
        if (++i == views.size()) i = 0;
    }
    PerLookup(state, 1);
}
BENCHMARK(BM_StdMapLookupHit)->ArgName("scattered")->Arg(0)->Arg(1);

// A miss that does not enter the key (Find / std::map::find).
void BM_KeyValueListFindMiss(benchmark::State& state) {
    const quorin::CKeyValueList list(SectionText(), ';');
    const std::vector<std::string> keys = MissKeys();
    std::vector<std::string_view> views(keys.begin(), keys.end());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.Find(views[i]));
        if (++i == views.size()) i = 0;
    }
    PerLookup(state, 1);
}
BENCHMARK(BM_KeyValueListFindMiss);

void BM_StdMapFindMiss(benchmark::State& state) {
    const quorin::CKeyValueList list(SectionText(), ';');
    const std::map<std::string, std::string> map = PeerMap(list);
    const std::vector<std::string> keys = MissKeys();
    std::vector<std::string_view> views(keys.begin(), keys.end());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.find(std::string(views[i])));
        if (++i == views.size()) i = 0;
    }
    PerLookup(state, 1);
}
BENCHMARK(BM_StdMapFindMiss);

// A Lookup miss enters the key, so each batch of 1000 distinct misses starts from a fresh copy of
// the 6000-key list (copied outside the timing).
void BM_KeyValueListLookupMiss(benchmark::State& state) {
    const quorin::CKeyValueList base(SectionText(), ';');
    const std::vector<std::string> keys = MissKeys();
    for (auto _ : state) {
        state.PauseTiming();
        quorin::CKeyValueList list(base);
        state.ResumeTiming();
        for (const auto& key : keys)
            benchmark::DoNotOptimize(list.Lookup(key).data());
        state.PauseTiming();
        { quorin::CKeyValueList discard(std::move(list)); }
        state.ResumeTiming();
    }
    PerLookup(state, kBatch);
}
BENCHMARK(BM_KeyValueListLookupMiss);

void BM_StdMapLookupMiss(benchmark::State& state) {
    const quorin::CKeyValueList list(SectionText(), ';');
    const std::map<std::string, std::string> base = PeerMap(list);
    const std::vector<std::string> keys = MissKeys();
    for (auto _ : state) {
        state.PauseTiming();
        std::map<std::string, std::string> map(base);
        state.ResumeTiming();
        for (const auto& key : keys)
            benchmark::DoNotOptimize(map[key].data());
        state.PauseTiming();
        { std::map<std::string, std::string> discard(std::move(map)); }
        state.ResumeTiming();
    }
    PerLookup(state, kBatch);
}
BENCHMARK(BM_StdMapLookupMiss);

// 50 own items with 15 parameters each, alternating with 50 foreign blocks.
std::string Sequence() {
    std::string text = "<SettingBegin>\r\nN=Line length;V=10.5;\r\n<SettingEnd>\r\n";
    for (int i = 0; i < 50; ++i) {
        text += "<TestItemBegin>TestComName2=Vendor.Distance;\r\n\tHINT=zone check " +
                quorin::FormatInt(i) + ";\r\n\tZONE=1;R=5.2;X=8.0;ANGLE=75;\r\n<TestItemEnd>";
        text += "<TestItemBegin>TestComName2=Quorin.QuorinCom;\r\n\tHINT=manual check;\r\n";
        text += "\tTESTNAME=Item " + quorin::FormatInt(i) + ";\r\n";
        for (int k = 1; k <= 15; ++k) {
            const std::string n = quorin::FormatInt(k);
            text += "\tNAME" + n + "=Parameter " + n + ";\r\n\tVALUE" + n + "=Z1.R*0." + n +
                    ";\r\n\tPROPERTY" + n + "=" + quorin::FormatInt(k % 4) + ";\r\n\tREQUIRE" + n +
                    "=<=" + n + ".5;\r\n";
        }
        text +=
            "\tBOOKMARK=LINE1;\r\n\tSELECT=1;\r\n\tPAUSE=500;\r\n\tITE_TASKTYPE=2;\r\n<"
            "TestItemEnd>";
    }
    return text + "<ReportBegin>\r\n<ReportEnd>\r\n";
}

void BM_ReadBlocksAndSplice(benchmark::State& state) {
    const std::string text = Sequence();
    for (auto _ : state) {
        quorin::CTestItemSet set;
        set.ReadBlocks(text);
        benchmark::DoNotOptimize(set.SpliceItemTexts().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadBlocksAndSplice);

void BM_SpliceOnly(benchmark::State& state) {
    quorin::CTestItemSet set;
    set.ReadBlocks(Sequence());
    for (auto _ : state)
        benchmark::DoNotOptimize(set.SpliceItemTexts().data());
}
BENCHMARK(BM_SpliceOnly);

}  // namespace

BENCHMARK_MAIN();
