// LoadTestItems of a full-capacity sequence (600 settings, 100 common parameters, 100 binary
// inputs, 50 own items with 15 parameters, 50 foreign blocks) and GetTestItemsText, with the item
// part scaled 1x, 4x and 16x to show linear growth. Peers in the same run: the template reader
// and the item reader alone on the same text.
#include <benchmark/benchmark.h>

#include <string>

#include "component/quorin_com.h"
#include "component/test_item_set.h"
#include "platform/com/bstr.h"
#include "platform/numtext.h"
#include "template/relay_template.h"

namespace {

using namespace quorin;

std::string FullTemplate() {
    std::string t = "<ProtectionRelayBegin>\r\nProtectiveRelayName=Bench relay;\r\nUpdate=0;\r\n";
    t += "<SettingBegin>\r\n";
    for (int i = 0; i < 600; ++i) {
        if (i % 10 == 9) {
            t += CFormat(
                "\tN=Mode %d,Num=3,T=ComboBox,V=1,S1=A,S2=B,S3=C,RE=0,RT=0,RN=0,ID=M%d;\r\n", i, i);
        } else {
            t += CFormat("\tN=Setting %d,L=2,U=Ohm,T=Edit,V=%d.25,RE=0,RT=0,RN=0,ID=S%d;\r\n", i, i,
                         i);
        }
    }
    t += "<SettingEnd>\r\n<CommonParameterBegin>\r\n";
    for (int i = 1; i <= 100; ++i)
        t += CFormat("\tN%d=Common %d;L%d=1;U%d=A;T%d=Edit;V%d=%d.5;ID%d=C%d;\r\n", i, i, i, i, i,
                     i, i, i, i);
    t += "<CommonParameterEnd>\r\n<BinaryBegin>\r\n";
    for (int i = 0; i < 100; ++i)
        t += CFormat("\tN=Input %d,T=CheckBox,V=1,S1=Used,S2=Not used,ID=B%d;\r\n", i, i);
    t += "<BinaryEnd>\r\n<ReportBegin>\r\n\tN1=Name;ID1=NAME;\r\n\tN2=Result;ID2=RESULT;\r\n"
         "<ReportEnd>\r\n";
    return t;
}

std::string Items(int copies) {
    std::string items;
    for (int i = 0; i < 50 * copies; ++i) {
        std::string own = "<TestItemBegin>TestComName2=Quorin.QuorinCom;\r\n\tHINT=Check;\r\n";
        own += CFormat("\tTESTNAME=Item %d;\r\n", i);
        for (int k = 1; k <= 15; ++k)
            own +=
                CFormat("\tNAME%d=Parameter %d;VALUE%d=S%d*1.1;PROPERTY%d=%d;REQUIRE%d=< S%d;\r\n",
                        k, k, k, k, k, k % 3, k, k + 1);
        own += "\tBOOKMARK=BENCH;\r\n\tSELECT=1;\r\n\tPAUSE=0;\r\n<TestItemEnd>";
        items += own;
        items += CFormat(
            "<TestItemBegin>TestComName2=Vendor.Distance;\r\n\tTESTNAME=Scan %d;\r\n\tFAULT=LAN;"
            "\tRSTART=0.000;RSTOP=S1*1.2;\r\n\tNOTE=foreign block with some text;\r\n"
            "<TestItemEnd>",
            i);
    }
    return items;
}

ITestItemEdit* Create() {
    IClassFactory* factory = nullptr;
    GetQuorinClassObject(CLSID_QuorinCom, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    ITestItemEdit* edit = nullptr;
    factory->CreateInstance(nullptr, IID_ITestItemEdit, reinterpret_cast<void**>(&edit));
    factory->Release();
    return edit;
}

void BM_LoadTestItems(benchmark::State& state) {
    const std::string text = FullTemplate() + Items(static_cast<int>(state.range(0)));
    OwnedBstr bstr = OwnedBstr::FromAnsi(text);
    ITestItemEdit* edit = Create();
    for (auto _ : state)
        benchmark::DoNotOptimize(edit->LoadTestItems(bstr.get(), 0, 0, 1, 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["items"] = 100.0 * static_cast<double>(state.range(0));
    edit->Release();
}
BENCHMARK(BM_LoadTestItems)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_GetTestItemsText(benchmark::State& state) {
    const std::string text = FullTemplate() + Items(static_cast<int>(state.range(0)));
    OwnedBstr bstr = OwnedBstr::FromAnsi(text);
    ITestItemEdit* edit = Create();
    edit->LoadTestItems(bstr.get(), 0, 0, 1, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(edit->GetTestItemsText());
    state.counters["items"] = 100.0 * static_cast<double>(state.range(0));
    edit->Release();
}
BENCHMARK(BM_GetTestItemsText)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

// Peers: the parts of a load on their own.
void BM_PeerReadTemplate(benchmark::State& state) {
    const std::string text = FullTemplate() + Items(1);
    CRelayTemplate relayTemplate;
    for (auto _ : state)
        relayTemplate.ReadTemplate(text, 0);
}
BENCHMARK(BM_PeerReadTemplate)->Unit(benchmark::kMicrosecond);

void BM_PeerReadBlocks(benchmark::State& state) {
    const std::string text = FullTemplate() + Items(static_cast<int>(state.range(0)));
    CTestItemSet set;
    for (auto _ : state)
        set.ReadBlocks(text);
}
BENCHMARK(BM_PeerReadBlocks)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMicrosecond);

void BM_PeerBstrToAnsi(benchmark::State& state) {
    OwnedBstr bstr = OwnedBstr::FromAnsi(FullTemplate() + Items(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(bstr.ToAnsi());
}
BENCHMARK(BM_PeerBstrToAnsi)->Unit(benchmark::kMicrosecond);

// The same way for a text in Chinese, both directions: every character goes through the code
// page's tables.
std::string ChineseText() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "\tNAME=\xB2\xE2\xCA\xD4\xCF\xEE\xC4\xBF;\r\n";  // "测试项目"
    return text;
}

void BM_PeerBstrToAnsiChinese(benchmark::State& state) {
    OwnedBstr bstr = OwnedBstr::FromAnsi(ChineseText());
    for (auto _ : state)
        benchmark::DoNotOptimize(bstr.ToAnsi());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bstr.size() * 2));
}
BENCHMARK(BM_PeerBstrToAnsiChinese)->Unit(benchmark::kMicrosecond);

void BM_PeerAnsiToBstrChinese(benchmark::State& state) {
    const std::string text = ChineseText();
    for (auto _ : state)
        benchmark::DoNotOptimize(OwnedBstr::FromAnsi(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PeerAnsiToBstrChinese)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
