// Arbitrary bytes as the sequence text a host hands to LoadTestItems, then every text getter of
// the component: nothing may crash, and GetTestItemsText spliced into the text must change
// nothing but the own blocks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "component/quorin_com.h"
#include "fuzz/fuzz_checks.h"
#include "platform/com/bstr.h"
#include "report/report_item.h"
#include "template/key_value_list.h"
#include "template/sequence_text.h"

namespace {

using namespace quorin;

using quorin::fuzz::IsOwnBlock;
using quorin::fuzz::Require;

void Drop(BSTR& text) {
    SysFreeString(text);
    text = nullptr;
}

void FreeAll(std::vector<BSTR>& texts) {
    for (BSTR& b : texts) {
        SysFreeString(b);
        b = nullptr;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IClassFactory* factory = nullptr;
    GetQuorinClassObject(CLSID_QuorinCom, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    ITestItemEdit* edit = nullptr;
    factory->CreateInstance(nullptr, IID_ITestItemEdit, reinterpret_cast<void**>(&edit));
    factory->Release();
    IResultReport* report = nullptr;
    IEmbeddedPanel* panel = nullptr;
    IModuleInfo* info = nullptr;
    edit->QueryInterface(IID_IResultReport, reinterpret_cast<void**>(&report));
    edit->QueryInterface(IID_IEmbeddedPanel, reinterpret_cast<void**>(&panel));
    edit->QueryInterface(IID_IModuleInfo, reinterpret_cast<void**>(&info));

    BSTR text = AnsiToBstr(bytes);
    // What the component reads: the bytes after their trip through the BSTR.
    const std::string seen = BstrToAnsi(text);
    edit->LoadTestItems(text, 0, 0, size % 2, 0);

    // Spliced into the host's text, the stored items change nothing but the own blocks.
    const std::string stored = edit->GetTestItemsText();
    const SequenceText sequence(seen);
    std::string whole;
    if (sequence.SpliceBlocks(stored, &whole)) {
        const SequenceText back(whole);
        Require(back.BlockCount() == sequence.BlockCount() &&
                    back.TemplateText() == sequence.TemplateText(),
                "the text before the blocks stays");
        for (int i = 0; i < sequence.BlockCount(); ++i) {
            Require(back.After(i) == sequence.After(i), "the bytes after a block stay");
            Require(IsOwnBlock(sequence.Inner(i)) || back.Block(i) == sequence.Block(i),
                    "foreign block returned byte for byte");
        }
    } else {
        const CTestItemSet& items = static_cast<CQuorinCom*>(edit)->Items();
        bool marker = false;
        for (int i = 0; i < items.Count(); ++i)
            marker = marker || items.ItemText(i).find(SequenceText::kItemEnd) != std::string::npos;
        Require(marker, "only an item text holding the end marker keeps the splice from fitting");
    }

    edit->GetReportSection();
    BSTR out = nullptr;
    edit->GetSettingText(&out);
    Drop(out);
    edit->GetCommonParameterText(&out);
    Drop(out);
    edit->GetBinaryText(&out);
    Drop(out);
    edit->GetCharacterText(&out);
    Drop(out);

    std::vector<BSTR> rows(600 * 9, nullptr);
    std::vector<BSTR> options(1 + 600 * 22, nullptr);
    const int settings =
        edit->GetSettingTable(reinterpret_cast<BSTR(*)[9]>(rows.data()), options.data());
    Require(settings >= 0 && settings <= 600, "setting count");
    FreeAll(rows);
    FreeAll(options);
    edit->GetCommonParameterTable(reinterpret_cast<BSTR(*)[9]>(rows.data()), options.data());
    FreeAll(rows);
    FreeAll(options);
    edit->GetBinaryTable(reinterpret_cast<BSTR(*)[6]>(rows.data()), options.data());
    FreeAll(rows);
    FreeAll(options);

    const int count = static_cast<CQuorinCom*>(edit)->Items().Count();
    std::vector<BSTR> channels(67, nullptr);
    // Indexed getters rebuild texts of all items, so a few indices suffice: before, at both
    // ends of and past the list.
    for (const int index : {-1, 0, 1, count - 1, count}) {
        edit->GetChannelTable(index, channels.data());
        FreeAll(channels);
        edit->GetItemKind(index, &out);
        Drop(out);
        edit->GetItemText(index, channels.data());
        FreeAll(channels);
        edit->GetItemTitle(index);
        edit->GetEvaluatedParameters(index);
        edit->GetOperationData(index);
        BSTR operation = AnsiToBstr(seen.substr(0, 200));
        edit->SetOperationData(&operation, index);
        Drop(operation);
        panel->CreatePanel(nullptr, 0, 0, 200, 100, index);
        edit->ApplyEnteredResults(index);
    }
    edit->GetCurrentItemTitle(0, channels.data());
    FreeAll(channels);
    edit->GetReportFieldList();
    SysFreeString(report->GetResultData());
    SysFreeString(report->GetValueListAndResults(0));
    SysFreeString(report->GetValueListAndResults(1));
    int32_t done = 0;
    CReportItem** items = report->ComposeReport(0, &done, seen.substr(0, 50), 1);
    Require(done == 1 && items && items[0], "report table composed");
    info->GetModuleInfo(static_cast<int32_t>(size), channels.data());
    FreeAll(channels);

    // Loading again keeps the bookmark and gives the same stored text.
    edit->LoadTestItems(text, 0, 0, 1, 0);
    Require(edit->GetTestItemsText() == stored, "a second load stores the same items");
    Drop(text);

    info->Release();
    panel->Release();
    report->Release();
    edit->Release();
    return 0;
}
