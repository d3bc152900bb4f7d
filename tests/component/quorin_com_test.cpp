// The component object as a host drives it: interfaces, loading, tables, value updates, channel
// tables and item texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/bstr.h"
#include "platform/numtext.h"
#include "report/report_item.h"
#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/component/component_fixture.h"

namespace quorin::test {
namespace {

using Strings = std::vector<std::string>;

TEST(ComObject, QueryInterfaceReachesEveryInterfaceFromEveryOther) {
    Component c;
    ASSERT_TRUE(c.edit && c.panel && c.info && c.report);
    const IID* iids[] = {&IID_IUnknown, &IID_ITestItemEdit, &IID_IEmbeddedPanel, &IID_IModuleInfo,
                         &IID_IResultReport};
    for (IUnknown* source : std::initializer_list<IUnknown*>{c.edit, c.panel, c.info, c.report}) {
        for (const IID* iid : iids) {
            void* got = nullptr;
            ASSERT_EQ(source->QueryInterface(*iid, &got), S_OK);
            EXPECT_TRUE(iid != &IID_IUnknown || got == c.edit);  // one identity
            static_cast<IUnknown*>(got)->Release();
        }
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(source->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(source->QueryInterface(IID_ITestItemEdit, nullptr), E_POINTER);
    }
}

// The factory itself (refusals, server locks) is the shim's and tested with it.
TEST(ComObject, EveryReferenceKeepsTheObjectAndTheLibrary) {
    ServerModule& module = QuorinServerModule();
    ASSERT_EQ(module.CanUnloadNow(), S_OK);
    {
        Component c;
        EXPECT_EQ(c.edit->AddRef(), 5u);  // the fixture holds one per interface
        EXPECT_EQ(c.edit->Release(), 4u);
        EXPECT_EQ(module.CanUnloadNow(), S_FALSE);
        EXPECT_EQ(c.report->AddRef(), 5u);
        c.edit->Release();
        c.panel->Release();
        c.info->Release();
        c.edit = nullptr;
        c.panel = nullptr;
        c.info = nullptr;
        EXPECT_EQ(c.report->Release(), 1u);
        EXPECT_EQ(module.CanUnloadNow(), S_FALSE);  // the report still holds the object
    }
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

TEST(ComObject, ModuleInfoPanelModeAndItemKind) {
    Component c;
    c.Load(kSmallTemplate + OwnBlock("T0", {"A"}));
    OwnedBstr kind;
    c.edit->GetItemKind(0, kind.out());
    EXPECT_EQ(kind.ToAnsi(), "12");
    EXPECT_EQ(c.panel->GetPanelMode(), 0);
    EXPECT_EQ(c.panel->EnterResultMode(), 2);
    EXPECT_EQ(c.panel->PanelReserved4(), 1);
    EXPECT_EQ(c.panel->GetPanelMode(), 2);
    EXPECT_EQ(c.info->GetModuleValue() + c.info->Reserved8() + c.info->Reserved9(), 0);
    EXPECT_EQ(Take(c.info->GetModuleText()), "");
    BstrArray out(6);
    c.info->GetModuleInfo(0x12345, out.data());
    EXPECT_EQ(Texts(out.data(), 0, 6), (Strings{"0", "32", "32897", "32897", "", ""}));
    EXPECT_EQ(c.Object().ModuleCode(), 0x2345);
    EXPECT_EQ(c.edit->Reserved15() + c.edit->Reserved35() + c.edit->Reserved38(5) +
                  Take(c.report->Reserved5()),
              "");
}

TEST(Loading, NoBlocksGiveTheTextBookmarkAndNoItemsText) {
    Component c;
    for (const std::string& text : {kSmallTemplate, std::string()}) {
        EXPECT_EQ(c.Load(text), 1);
        EXPECT_EQ(c.edit->GetTestItemsText(), "");
        EXPECT_EQ(c.edit->GetItemTitle(0), "");
    }
    EXPECT_EQ(c.Object().Items().Bookmark(), "TEXT");
}

TEST(Loading, ForeignBlocksComeBackByteForByteBesideRewrittenOwnBlocks) {
    Component c;
    const std::string foreign =
        ForeignBlock("TestComName2=Vendor.Other;\r\n\tNOTE=a\tb  c;\n\tX=Quorin.QuorinCom;\r\n");
    c.Load(kSmallTemplate + foreign + "\r\nbetween\r\n" + OwnBlock("Own", {"A"}) + "\r\ntrailer");
    BstrArray texts(3);  // an out array receives a new BSTR in its second entry only
    c.edit->GetItemText(1, texts.data());
    const std::string written = texts.Ansi(1);
    EXPECT_EQ(
        written.rfind(
            "TestComName2=Quorin.QuorinCom;\r\n\tHINT=hi;\r\n\tTESTNAME=Own;\r\n\tNAME1=A;\r\n", 0),
        0u);
    EXPECT_EQ(texts.Ansi(0) + texts.Ansi(2), "");
    EXPECT_EQ(c.edit->GetTestItemsText(), foreign + "<TestItemBegin>" + written + "<TestItemEnd>");
    BstrArray foreignTexts(3);
    c.edit->GetItemText(0, foreignTexts.data());
    EXPECT_EQ(foreignTexts.Ansi(1), "");
}

TEST(Loading, BookmarkOfTheFirstLoadStays) {
    Component c;
    c.Load(OwnBlock("A", {"x"}, "FIRST") + OwnBlock("B", {"y"}, "SECOND"));
    c.Load(OwnBlock("C", {"z"}, "THIRD"));
    EXPECT_EQ(c.Object().Items().Bookmark(), "FIRST");
    EXPECT_EQ(Take(c.report->GetResultData()), "FIRST_1_=z;FIRST_1_=v1;");
}

TEST(Loading, ReportSectionAndCaptionFileFollowTheText) {
    Component c;
    const struct {
        std::string text;
        int english;
        std::string section;
        std::string captions;
    } cases[] = {
        {"<ReportBegin>first<ReportEnd>", 1, "first", "/cfg/BurstComEN.ini"},
        {"<ReportBegin>no end", 0, "first", "/cfg/BurstComCH.ini"},  // the old section stays
        {"<ReportEnd><ReportBegin>x<ReportEnd>", 1, "x", "/cfg/BurstComEN.ini"},
    };
    for (const auto& k : cases) {
        c.Load(k.text, k.english);
        EXPECT_EQ(c.edit->GetReportSection(), "<ReportBegin>\r\n" + k.section + "\r\n<ReportEnd>");
        EXPECT_TRUE(c.Object().CaptionFilePath().ends_with(k.captions)) << k.text;
    }
}

TEST(Loading, SampleSequenceKeepsGbkTextsThroughBstrs) {
    Component c;
    const std::string sample = SampleSequence();
    c.Load(sample);
    EXPECT_EQ(c.Object().Items().Count(), 3);
    EXPECT_EQ(c.Object().Items().Bookmark(), "DIST");
    const std::string title = "\xCD\xE2\xB9\xDB\xBC\xB0\xBD\xD3\xCF\xDF\xBC\xEC\xB2\xE9";
    EXPECT_EQ(c.edit->GetItemTitle(2), title);
    BstrArray current(2);
    c.edit->GetCurrentItemTitle(0, current.data());
    EXPECT_EQ(current.Ansi(0), title);
    EXPECT_EQ(std::u16string(BstrView(current[0])), u"外观及接线检查");
    EXPECT_NE(c.edit->GetTestItemsText().find(ForeignItemOf(sample)), std::string::npos);
}

TEST(Loading, ItemTextSetByTheHostGoesIntoTheSequenceUntilRebuilt) {
    Component c;
    c.Load(OwnBlock("A", {"x"}) + ForeignBlock("TestComName2=F;"));
    OwnedBstr text = OwnedBstr::FromUtf16(u"TESTNAME=检查;");
    BSTR raw = text.get();
    c.edit->SetItemText(0, &raw);
    EXPECT_EQ(c.edit->GetTestItemsText(),
              "<TestItemBegin>TESTNAME=\xBC\xEC\xB2\xE9;<TestItemEnd><TestItemBegin>"
              "TestComName2=F;<TestItemEnd>");
    c.edit->SetItemSelect(0, 0);  // rebuilds the item texts from the items
    EXPECT_NE(c.edit->GetTestItemsText().find("\tSELECT=0;\r\n"), std::string::npos);
    EXPECT_EQ(c.edit->GetTestItemsText().find("\xBC\xEC"), std::string::npos);
}

TEST(Tables, RowsCarryValueTextsByKindAndDecimals) {
    Component c;
    c.Load(kSmallTemplate);
    BstrTable<9> settings(4);
    BstrArray options(8);
    EXPECT_EQ(c.edit->GetSettingTable(settings.data(), options.data()), 4);
    const std::vector<Strings> expected = {
        {"Reach", "4.00", "Ohm", "Z1", "Edit", "2", "1", "2", "3"},
        {"Time", "30", "ms", "T1", "Edit", "0", "0", "0", "0"},
        {"Mode", "1", "", "MODE", "ComboBox", "0", "0", "0", "0"},
        {"Enable", "1", "", "EN", "CheckBox", "1", "0", "0", "0"},  // L defaults to 1
    };
    for (size_t r = 0; r < expected.size(); ++r)
        EXPECT_EQ(Row(settings, r), expected[r]) << r;
    EXPECT_EQ(Texts(options.data(), 0, 5), (Strings{"1", "2", "2", "On", "Off"}));
    EXPECT_EQ(options[5], nullptr);

    BstrTable<6> binary(2);
    BstrArray binaryOptions(6);
    EXPECT_EQ(c.edit->GetBinaryTable(binary.data(), binaryOptions.data()), 2);
    EXPECT_EQ(Row(binary, 0), (Strings{"Trip", "1", "", "BIA", "CheckBox", "1"}));
    EXPECT_EQ(Row(binary, 1), (Strings{"Logic", "0", "", "BIL", "ComboBox", "0"}));
    EXPECT_EQ(Texts(binaryOptions.data(), 0, 6), (Strings{"1", "1", "2", "OR", "AND", ""}));
    BstrTable<9> common(1);
    EXPECT_EQ(c.edit->GetCommonParameterTable(common.data(), nullptr), 1);
    EXPECT_EQ(Row(common, 0), (Strings{"Current", "5.0", "A", "I", "Edit", "1", "0", "0", "0"}));
}

TEST(Tables, TemplateTextsComeFromTheTemplateWriters) {
    Component c;
    c.Load(kSmallTemplate);
    CRelayTemplate* shared = nullptr;
    c.edit->GetTemplate(&shared);
    ASSERT_EQ(shared, &c.Object().Template());
    OwnedBstr text;
    c.edit->GetSettingText(text.out());
    EXPECT_EQ(text.ToAnsi(), shared->WriteSettings(0));
    c.edit->GetCommonParameterText(text.out());
    EXPECT_EQ(text.ToAnsi(), shared->WriteCommonParameters(0));
    c.edit->GetBinaryText(text.out());
    EXPECT_EQ(text.ToAnsi(), shared->WriteBinaryInputs());
    c.edit->GetCharacterText(text.out());
    EXPECT_EQ(text.ToAnsi(), "");
}

TEST(ValueUpdates, ConvertByKindAndStopAtTheCount) {
    Component c;
    c.Load(kSmallTemplate);
    CRelayTemplate& t = c.Object().Template();
    c.edit->SetSettingValues(3, Array({"2.756", "12.9", "0", "7"})->data());
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kSetting, 0), 2.756f);
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kSetting, 1), 12.0f);  // Edit without decimals: atoi
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kSetting, 2), 0.0f);
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kSetting, 3), 1.0f);  // past the count: kept
    BstrTable<9> rows(4);
    c.edit->GetSettingTable(rows.data(), nullptr);
    EXPECT_EQ(rows.Ansi(0, 1), "2.76");

    auto more = Array({"1.5e1", "12.9"});
    c.edit->SetCommonParameterValues(1, more->data());
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kCommonParameter, 0), 15.0f);
    c.edit->SetBinaryValues(2, more->data());  // CheckBox and ComboBox: atoi
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kBinaryInput, 0), 1.0f);
    EXPECT_FLOAT_EQ(t.Value(ParamKind::kBinaryInput, 1), 12.0f);
}

TEST(ValueUpdates, TextsKeepTheDecimalPointUnderADecimalCommaLocale) {
    GermanLocale german;
    ASSERT_TRUE(german.ok());
    Component c;
    c.Load(kSmallTemplate + OwnBlock("T", {"A"}));
    c.edit->SetSettingValues(1, Array({"3.25"})->data());
    BstrTable<9> rows(4);
    c.edit->GetSettingTable(rows.data(), nullptr);
    EXPECT_EQ(rows.Ansi(0, 1), "3.25");
    EXPECT_EQ(c.edit->GetEvaluatedParameters(0).substr(0, 30), "-100000.000;-100000.000;1.000;");
    OwnedBstr data = OwnedBstr::FromAnsi(
        "<OperationDataBegin>PR=1;PX=2;RateR=0.5;RateX=1.25;RateZ=2;RateT=3.5;<OperationDataEnd>");
    BSTR raw = data.get();
    c.edit->SetOperationData(&raw, -1);
    EXPECT_EQ(c.edit->GetOperationData(-1),
              "<OperationDataBegin>PR=1;PX=2;RateR=0.500;RateX=1.250;RateZ=2.000;RateT=3.500;"
              "<OperationDataEnd>");
    EXPECT_EQ(Take(c.report->GetValueListAndResults(0)).substr(0, 16), "TEXT_Z1=4.00Ohm;");
}

TEST(Channels, TableOfAnItemAndNothingPastTheList) {
    Component c;
    c.Load(OwnBlock("A", {"x"}));
    Strings values;
    for (int i = 0; i < 21; ++i)
        values.push_back(i % 2 ? "" : "ch" + FormatInt(i));
    values.insert(values.end(), {"a b", "3", "40", "5x"});
    c.edit->SetChannelTable(0, 21, Array(values)->data());

    BstrArray out(67);
    EXPECT_EQ(c.edit->GetChannelTable(0, out.data()), 21);
    EXPECT_EQ(Texts(out.data(), 0, 6), (Strings{"Ua", "ch0", "1", "Ub", "", "0"}));
    EXPECT_EQ(Texts(out.data(), 27, 3), (Strings{"A", "", "0"}));
    EXPECT_EQ(Texts(out.data(), 60, 7), (Strings{"4", "ch20", "1", "a b", "3", "40", "5"}));

    BstrArray untouched(67);
    EXPECT_EQ(c.edit->GetChannelTable(1, untouched.data()), 21);
    EXPECT_EQ(c.edit->GetChannelTable(-1, untouched.data()), 21);
    for (size_t i = 0; i < untouched.size(); ++i)
        EXPECT_EQ(untouched[i], nullptr) << i;

    // Fewer channels: only the first n change, the four trailing values follow them.
    c.edit->SetChannelTable(0, 2, Array({"x0", "x1", "hint", "1", "2", "3"})->data());
    BstrArray after(67);
    c.edit->GetChannelTable(0, after.data());
    EXPECT_EQ(Texts(after.data(), 0, 9),
              (Strings{"Ua", "x0", "1", "Ub", "x1", "1", "Uc", "ch2", "1"}));
    EXPECT_EQ(Texts(after.data(), 63, 4), (Strings{"hint", "1", "2", "3"}));
    EXPECT_NE(c.edit->GetTestItemsText().find("\tUAC=x0;\r\n\tUBC=x1;\r\n"), std::string::npos);
}

TEST(BadArguments, NullAndAbsurdArgumentsReturnNormally) {
    Component c;
    EXPECT_EQ(c.edit->LoadTestItems(nullptr, -1, -1, -1, -1), 1);
    c.Load(kSmallTemplate + OwnBlock("A", {"x"}));
    c.edit->GetSettingText(nullptr);
    c.edit->GetCommonParameterText(nullptr);
    c.edit->GetBinaryText(nullptr);
    c.edit->GetCharacterText(nullptr);
    EXPECT_EQ(c.edit->GetSettingTable(nullptr, nullptr), 4);
    EXPECT_EQ(c.edit->GetBinaryTable(nullptr, nullptr), 2);
    EXPECT_EQ(c.edit->GetCommonParameterTable(nullptr, nullptr), 1);
    EXPECT_EQ(c.edit->GetChannelTable(0, nullptr), 21);
    for (int32_t index : {-1, 1, 50, 0x7FFFFFFF, -0x7FFFFFFF - 1}) {
        c.edit->SetChannelTable(index, 21, nullptr);
        c.edit->SetChannelTable(index, -5, nullptr);
        BstrArray kind(1);
        c.edit->GetItemKind(index, kind.data());
        EXPECT_EQ(kind[0], nullptr);
        c.edit->GetItemKind(index, nullptr);
        EXPECT_EQ(c.edit->GetItemTitle(index) + c.edit->GetEvaluatedParameters(index) +
                      c.edit->ApplyEnteredResults(index),
                  "");
        c.edit->SetItemSelect(index, 1);
        c.edit->GetItemText(index, nullptr);
        c.edit->SetItemText(index, nullptr);
        c.edit->SetOperationData(nullptr, index);
        c.panel->CreatePanel(nullptr, -1, -1, -1, -1, index);
        c.panel->DrawResult(nullptr, 0, 0, 0, 0, index);
        EXPECT_EQ(Take(c.report->GetValueListAndResults(index)).empty(), index > 0);
    }
    // Counts past the records, negative counts and null arrays; at most 21 channels and the 4
    // values after them are read.
    auto values = Array(Strings(600, "9"));
    c.edit->SetSettingValues(600, values->data());
    c.edit->SetSettingValues(-3, values->data());
    c.edit->SetSettingValues(600, nullptr);
    c.edit->SetCommonParameterValues(0x7FFFFFFF, values->data());
    c.edit->SetBinaryValues(-0x7FFFFFFF - 1, values->data());
    EXPECT_FLOAT_EQ(c.Object().Template().Value(ParamKind::kSetting, 0), 9.0f);
    c.edit->SetChannelTable(0, 1000, Array(Strings(25, "c"))->data());
    c.edit->GetTemplate(nullptr);
    c.edit->GetCurrentItemTitle(0, nullptr);
    c.info->GetModuleInfo(0, nullptr);
    EXPECT_EQ(c.report->ComposeReport(0, nullptr, "", 0x7FFFFFFF)[0]->title,
              "2147483648.  Test Object - Relay X");
    c.panel->DrawParameterTable(nullptr, 0, 0, -100, -100);
    for (int32_t command : {-1, 0, 1, 7, 8, 1000})
        c.panel->KeypadCommand(command);
    c.edit->Reserved10(1, 2, 3);
    c.edit->Reserved31(1, 2, 3, 4, 5, 6, 7);
    c.edit->Reserved36(1);
    c.edit->Reserved42(1);
    c.info->Reserved3();
    c.info->Reserved7();
    EXPECT_NE(c.edit->GetTestItemsText().find("TESTNAME=A;"), std::string::npos);
}

}  // namespace
}  // namespace quorin::test
