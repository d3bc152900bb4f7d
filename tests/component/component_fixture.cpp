#include "tests/component/component_fixture.h"

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin::test {

const std::string& SmallTemplate() {
    static const std::string text = DataBytes("small_template.txt");
    return text;
}

std::string OwnBlock(const std::string& title, const std::vector<std::string>& names,
                     const std::string& bookmark) {
    std::string inner =
        "TestComName2=Quorin.QuorinCom;\r\n\tHINT=h i;\r\n\tTESTNAME=" + title + ";\r\n";
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string k = FormatInt(static_cast<long long>(i) + 1);
        inner += "\tNAME" + k + "=" + names[i] + ";VALUE" + k + "=v" + k + ";PROPERTY" + k + "=" +
                 k + ";REQUIRE" + k + "=Z1*" + k + ";\r\n";
    }
    if (!bookmark.empty()) inner += "\tBOOKMARK=" + bookmark + ";\r\n";
    inner += "\tSELECT=1;\r\n";
    return "<TestItemBegin>" + inner + "<TestItemEnd>";
}

std::string ForeignBlock(const std::string& inner) {
    return "<TestItemBegin>" + inner + "<TestItemEnd>";
}

std::string SampleSequence() {
    return FileBytes(QUORIN_SAMPLE_SEQUENCE);
}

std::string ForeignItemOf(const std::string& sample) {
    const size_t begin = sample.find("<TestItemBegin>TestComName2=Zelvat");
    const size_t end = sample.find("<TestItemEnd>", begin);
    EXPECT_NE(end, std::string::npos);
    return sample.substr(begin, end + 13 - begin);
}

Component::Component() {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(GetQuorinClassObject(CLSID_QuorinCom, IID_IClassFactory, factory.out()), S_OK);
    if (!factory) return;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_ITestItemEdit, edit.out()), S_OK);
    edit.As(IID_IEmbeddedPanel, &panel);
    edit.As(IID_IModuleInfo, &info);
    edit.As(IID_IResultReport, &report);
}

int Component::Load(const std::string& ansi, int english) {
    OwnedBstr text = OwnedBstr::FromAnsi(ansi);
    return edit->LoadTestItems(text.get(), 0, 0, english, 0);
}

void Component::SetOperation(const std::string& ansi, int index) {
    OwnedBstr text = OwnedBstr::FromAnsi(ansi);
    BSTR raw = text.get();
    edit->SetOperationData(&raw, index);
}

std::string Take(BSTR text) {
    OwnedBstr owned(text);
    return owned.ToAnsi();
}

std::vector<std::string> Texts(const BSTR* items, size_t count) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i)
        texts.push_back(BstrToAnsi(items[i]));
    return texts;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string text;
    for (size_t i = 0; i < texts.size(); ++i)
        text += (i ? "|" : "") + texts[i];
    return text;
}

std::unique_ptr<BstrArray> Array(const std::vector<std::string>& texts) {
    auto array = std::make_unique<BstrArray>(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        (*array)[i] = AnsiToBstr(texts[i]);
    return array;
}

}  // namespace quorin::test
