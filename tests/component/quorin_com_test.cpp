// The component object as a host drives it: interfaces, loading, tables, value updates, channel
// tables and item texts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/com/bstr.h"
#include "platform/numtext.h"
#include "report/report_item.h"
#include "template/relay_template.h"
#include "tests/common/locale_guard.h"
#include "tests/common/record.h"
#include "tests/common/temp_dir.h"
#include "tests/component/component_fixture.h"

namespace quorin::test {
namespace {

TEST(ComObject, QueryInterfaceReachesEveryInterfaceFromEveryOther) {
    Component c;
    ASSERT_TRUE(c.edit && c.panel && c.info && c.report);
    const IID* iids[] = {&IID_IUnknown, &IID_ITestItemEdit, &IID_IEmbeddedPanel, &IID_IModuleInfo,
                         &IID_IResultReport};
    for (IUnknown* source : std::initializer_list<IUnknown*>{c.edit.get(), c.panel.get(),
                                                             c.info.get(), c.report.get()}) {
        for (const IID* iid : iids) {
            void* got = nullptr;
            ASSERT_EQ(source->QueryInterface(*iid, &got), S_OK);
            EXPECT_TRUE(iid != &IID_IUnknown || got == c.edit.get());  // one identity
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
        c.edit.reset();
        c.panel.reset();
        c.info.reset();
        EXPECT_EQ(c.report->Release(), 1u);
        EXPECT_EQ(module.CanUnloadNow(), S_FALSE);  // the report still holds the object
    }
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

TEST(ComObject, ModuleInfoPanelModeAndItemKind) {
    Component c(SmallTemplate() + OwnBlock("T0", {"A"}));
    OwnedBstr kind;
    c.edit->GetItemKind(0, kind.out());
    BstrArray info(6);
    c.info->GetModuleInfo(0x12345, info.data());
    const struct {
        const char* name;
        std::string actual, expected;
    } rows[] = {
        {"item kind", kind.ToAnsi(), "12"},
        {"first panel mode", Str(c.panel->GetPanelMode()), "0"},
        {"EnterResultMode", Str(c.panel->EnterResultMode()), "2"},
        {"PanelReserved4", Str(c.panel->PanelReserved4()), "1"},
        {"panel mode after", Str(c.panel->GetPanelMode()), "2"},
        {"module value", Str(c.info->GetModuleValue()), "0"},
        {"Reserved8, Reserved9", Str(c.info->Reserved8()) + "," + Str(c.info->Reserved9()), "0,0"},
        {"module text", Take(c.info->GetModuleText()), ""},
        {"module code", Str(c.Object().ModuleCode()), Str(0x2345)},
        {"reserved texts",
         c.edit->Reserved15() + c.edit->Reserved35() + c.edit->Reserved38(5) +
             Take(c.report->Reserved5()),
         ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
    EXPECT_EQ(Texts(info.data(), 6), (Strings{"0", "32", "32897", "32897", "", ""}));
}

// How the item set splices is its own test's; here the out array and the sequence text.
TEST(Loading, ItemTextGoesIntoTheSecondEntryOfTheOutArrayAndTheSequence) {
    const std::string foreign = ForeignBlock("TestComName2=Vendor.Other;\r\n\tNOTE=a\tb  c;\n");
    Component c(SmallTemplate() + foreign + "\r\nbetween\r\n" + OwnBlock("Own", {"A"}));
    BstrArray texts(3), foreignTexts(3);
    c.edit->GetItemText(1, texts.data());
    c.edit->GetItemText(0, foreignTexts.data());
    const std::string written = texts.Ansi(1);
    EXPECT_EQ(written.rfind("TestComName2=Quorin.QuorinCom;\r\n\tHINT=hi;\r\n\tTESTNAME=Own;", 0),
              0u);
    EXPECT_EQ(Texts(texts.data(), 3), (Strings{"", written, ""}));
    EXPECT_EQ(Texts(foreignTexts.data(), 3), (Strings{"", "", ""}));
    EXPECT_EQ(c.edit->GetTestItemsText(), foreign + "<TestItemBegin>" + written + "<TestItemEnd>");
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
    const std::string sample = SampleSequence();
    Component c(sample);
    const std::string title = "\xCD\xE2\xB9\xDB\xBC\xB0\xBD\xD3\xCF\xDF\xBC\xEC\xB2\xE9";
    BstrArray current(2);
    c.edit->GetCurrentItemTitle(0, current.data());
    EXPECT_EQ(std::tuple(c.Object().Items().Count(), c.Object().Items().Bookmark(),
                         c.edit->GetItemTitle(2), current.Ansi(0)),
              std::tuple(3, "DIST", title, title));
    EXPECT_EQ(std::u16string(BstrView(current[0])), u"外观及接线检查");
    EXPECT_NE(c.edit->GetTestItemsText().find(ForeignItemOf(sample)), std::string::npos);
}

// What the host passes as a BSTR comes back byte for byte, whatever the bytes: GBK's
// user-defined areas, bytes no mapping holds, a lead byte before the end marker, and random
// bytes.
TEST(Loading, ForeignBlocksOfAnyBytesComeBackByteForByte) {
    Component c;
    std::vector<std::string> inners = {"TestComName2=F;\xA1\x40\xFE\xFE", "\xFF\x80", "x\xB2"};
    std::mt19937 random(7);
    for (int n = 0; n < 400; ++n) {
        std::string& inner = inners.emplace_back(random() % 48, '\0');
        for (char& b : inner)
            b = static_cast<char>(random());
    }
    const std::string own = OwnBlock("Own", {"A"});
    for (const std::string& inner : inners) {
        c.Load(ForeignBlock(inner) + own);
        const std::string back = c.edit->GetTestItemsText();
        ASSERT_EQ(back.substr(0, inner.size() + 28), ForeignBlock(inner));
    }
}

TEST(Loading, ItemTextSetByTheHostIsConvertedToGbk) {
    Component c(OwnBlock("A", {"x"}) + ForeignBlock("TestComName2=F;"));
    OwnedBstr text = OwnedBstr::FromUtf16(u"TESTNAME=检查;");
    BSTR raw = text.get();
    c.edit->SetItemText(0, &raw);
    EXPECT_EQ(c.edit->GetTestItemsText(),
              "<TestItemBegin>TESTNAME=\xBC\xEC\xB2\xE9;<TestItemEnd><TestItemBegin>"
              "TestComName2=F;<TestItemEnd>");
    // Reading texts does not write them again over what the host set.
    BstrArray other(3), texts(3);
    c.edit->GetItemText(1, other.data());
    c.edit->GetItemText(0, texts.data());
    EXPECT_EQ(texts.Ansi(1), "TESTNAME=\xBC\xEC\xB2\xE9;");
}

TEST(Tables, RowsCarryValueTextsByKindAndDecimals) {
    Component c(SmallTemplate());
    BstrTable<9> settings(4), common(1);
    BstrTable<6> binary(2);
    BstrArray options(8), binaryOptions(6);
    // The ANSI texts of count BSTRs, each followed by "|" but the last.
    auto row = [](const BSTR* items, size_t count) { return Joined(Texts(items, count)); };
    std::string text = FormatInt(c.edit->GetSettingTable(settings.data(), options.data()));
    text += ": " + row(&settings.at(0, 0), 36) + "\noptions: " + row(options.data(), 6);
    text += "\n" + FormatInt(c.edit->GetBinaryTable(binary.data(), binaryOptions.data()));
    text += ": " + row(&binary.at(0, 0), 12) + "\noptions: " + row(binaryOptions.data(), 6);
    text += "\n" + FormatInt(c.edit->GetCommonParameterTable(common.data(), nullptr));
    text += ": " + row(&common.at(0, 0), 9) + "\n";
    EXPECT_EQ(text, DataBytes("small_template_tables.ref"));
    EXPECT_EQ(options[5], nullptr);
}

TEST(Tables, TemplateTextsComeFromTheTemplateWriters) {
    Component c(SmallTemplate());
    CRelayTemplate* shared = nullptr;
    c.edit->GetTemplate(&shared);
    ASSERT_EQ(shared, &c.Object().Template());
    OwnedBstr text;
    c.edit->GetCommonParameterText(text.out());
    EXPECT_EQ(text.ToAnsi(), shared->WriteCommonParameters(0));
    c.edit->GetCharacterText(text.out());
    EXPECT_EQ(text.ToAnsi(), "");
}

TEST(ValueUpdates, ConvertByKindAndStopAtTheCount) {
    Component c(SmallTemplate());
    CRelayTemplate& t = c.Object().Template();
    c.edit->SetSettingValues(3, Array({"2.756", "12.9", "0", "7"})->data());
    // Edit without decimals: atoi; past the count: kept.
    EXPECT_EQ(
        std::vector<float>({t.Value(ParamKind::kSetting, 0), t.Value(ParamKind::kSetting, 1),
                            t.Value(ParamKind::kSetting, 2), t.Value(ParamKind::kSetting, 3)}),
        std::vector<float>({2.756f, 12.0f, 0.0f, 1.0f}));
    BstrTable<9> rows(4);
    c.edit->GetSettingTable(rows.data(), nullptr);
    EXPECT_EQ(rows.Ansi(0, 1), "2.76");

    auto more = Array({"1.5e1", "12.9"});
    c.edit->SetCommonParameterValues(1, more->data());
    c.edit->SetBinaryValues(2, more->data());  // CheckBox and ComboBox: atoi
    EXPECT_EQ(std::vector<float>({t.Value(ParamKind::kCommonParameter, 0),
                                  t.Value(ParamKind::kBinaryInput, 0),
                                  t.Value(ParamKind::kBinaryInput, 1)}),
              std::vector<float>({15.0f, 1.0f, 12.0f}));
}

TEST(ValueUpdates, TextsKeepTheDecimalPointUnderADecimalCommaLocale) {
    GermanLocale german;
    ASSERT_TRUE(german.ok());
    Component c(SmallTemplate() + OwnBlock("T", {"A"}));
    c.edit->SetSettingValues(1, Array({"3.25"})->data());
    BstrTable<9> rows(4);
    c.edit->GetSettingTable(rows.data(), nullptr);
    EXPECT_EQ(rows.Ansi(0, 1), "3.25");
    EXPECT_EQ(c.edit->GetEvaluatedParameters(0).substr(0, 30), "-100000.000;-100000.000;1.000;");
    c.SetOperation(
        "<OperationDataBegin>PR=1;PX=2;RateR=0.5;RateX=1.25;RateZ=2;RateT=3.5;<OperationDataEnd>",
        -1);
    EXPECT_EQ(c.edit->GetOperationData(-1),
              "<OperationDataBegin>PR=1;PX=2;RateR=0.500;RateX=1.250;RateZ=2.000;RateT=3.500;"
              "<OperationDataEnd>");
    EXPECT_EQ(Take(c.report->GetValueListAndResults(0)).substr(0, 16), "TEXT_Z1=4.00Ohm;");
}

TEST(Channels, TableOfAnItemAndNothingPastTheList) {
    Component c(OwnBlock("A", {"x"}));
    Strings values;
    for (int i = 0; i < 21; ++i)
        values.push_back(i % 2 ? "" : "ch" + FormatInt(i));
    values.insert(values.end(), {"a b", "3", "40", "5x"});
    c.edit->SetChannelTable(0, 21, Array(values)->data());

    // The table as rows of "|"-joined texts: per channel its name, value and use, then the four
    // values after them.
    BstrArray out(67), untouched(67);
    EXPECT_EQ(c.edit->GetChannelTable(0, out.data()), 21);
    std::string tables = Joined(Texts(out.data(), 67)) + "\n";
    EXPECT_EQ(c.edit->GetChannelTable(1, untouched.data()), 21);
    EXPECT_EQ(c.edit->GetChannelTable(-1, untouched.data()), 21);
    for (size_t i = 0; i < untouched.size(); ++i)
        EXPECT_EQ(untouched[i], nullptr) << i;

    // Fewer channels: only the first n change, the four trailing values follow them.
    c.edit->SetChannelTable(0, 2, Array({"x0", "x1", "hint", "1", "2", "3"})->data());
    BstrArray after(67);
    c.edit->GetChannelTable(0, after.data());
    tables += Joined(Texts(after.data(), 67)) + "\n";
    EXPECT_EQ(tables, DataBytes("channel_tables.ref"));
    EXPECT_NE(c.edit->GetTestItemsText().find("\tUAC=x0;\r\n\tUBC=x1;\r\n"), std::string::npos);
}

// Negative indexes, indexes past the list, counts past the records and null pointers.
TEST(BadArguments, NullAndAbsurdArgumentsReturnNormally) {
    Component c;
    EXPECT_EQ(c.edit->LoadTestItems(nullptr, -1, -1, -1, -1), 1);
    c.Load(SmallTemplate() + OwnBlock("A", {"x"}));
    c.edit->GetSettingText(nullptr);
    c.edit->GetBinaryText(nullptr);
    EXPECT_EQ((std::vector<int>{c.edit->GetSettingTable(nullptr, nullptr),
                                c.edit->GetBinaryTable(nullptr, nullptr),
                                c.edit->GetCommonParameterTable(nullptr, nullptr),
                                c.edit->GetChannelTable(0, nullptr)}),
              (std::vector<int>{4, 2, 1, 21}));
    for (int32_t index : {-1, 1, -0x7FFFFFFF - 1}) {
        c.edit->SetChannelTable(index, 21, nullptr);
        c.edit->SetChannelTable(index, -5, nullptr);
        BstrArray kind(1);
        c.edit->GetItemKind(index, kind.data());
        EXPECT_EQ(kind[0], nullptr);
        c.edit->GetItemKind(index, nullptr);
        EXPECT_EQ((Strings{c.edit->GetItemTitle(index), c.edit->GetEvaluatedParameters(index),
                           c.edit->ApplyEnteredResults(index)}),
                  (Strings{"", "", ""}));
        c.edit->SetItemSelect(index, 1);
        c.edit->GetItemText(index, nullptr);
        c.edit->SetItemText(index, nullptr);
        c.edit->SetOperationData(nullptr, index);
        c.panel->CreatePanel(nullptr, -1, -1, -1, -1, index);
        c.panel->DrawResult(nullptr, 0, 0, 0, 0, index);
        EXPECT_EQ(Take(c.report->GetValueListAndResults(index)).empty(), index > 0);
    }
    // At most 21 channels and the 4 values after them are read.
    auto values = Array(Strings(600, "9"));
    c.edit->SetSettingValues(600, values->data());
    c.edit->SetSettingValues(600, nullptr);
    c.edit->SetBinaryValues(-0x7FFFFFFF - 1, values->data());
    EXPECT_FLOAT_EQ(c.Object().Template().Value(ParamKind::kSetting, 0), 9.0f);
    c.edit->SetChannelTable(0, 1000, Array(Strings(25, "c"))->data());
    c.edit->GetTemplate(nullptr);
    c.edit->GetCurrentItemTitle(0, nullptr);
    c.info->GetModuleInfo(0, nullptr);
    EXPECT_EQ(c.report->ComposeReport(0, nullptr, "", 0x7FFFFFFF)[0]->title,
              "2147483648.  Test Object - Relay X");
    c.panel->DrawParameterTable(nullptr, 0, 0, -100, -100);
    for (int32_t command : {-1, 8, 1000})
        c.panel->KeypadCommand(command);
    EXPECT_NE(c.edit->GetTestItemsText().find("TESTNAME=A;"), std::string::npos);
}

}  // namespace
}  // namespace quorin::test
