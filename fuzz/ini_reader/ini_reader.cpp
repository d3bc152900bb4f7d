// Ini files from arbitrary bytes: reading, editing and the raw-section rule never crash, an edit
// reads back as written, and it leaves the other sections' values as they were. Edits made one
// after the other on one text in memory give the text, lists and values that the same edits give
// applied to the text one at a time.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/private_profile.h"
#include "report/report_setting.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    // One read of the file serves every lookup, as a report settings load does.
    const quorin::ProfileText read(content);
    const std::vector<std::string> sections = read.SectionNames();
    std::vector<std::vector<std::string>> keys;
    // A bounded sample keeps each run linear in the input.
    for (size_t i = 0; i < sections.size() && i < 8; ++i) {
        keys.push_back(read.KeyNames(sections[i]));
        if (keys.back().size() > 8) keys.back().resize(8);
        for (const auto& k : keys.back())
            Check(read.FindValue(sections[i], k, nullptr));
    }

    std::string edited(content);
    if (quorin::ProfileSetValue(edited, "ModuleConfig", "TestPoint0", "Z1 0.5 0 deg")) {
        std::string value;
        Check(quorin::ProfileFindValue(edited, "moduleconfig", "testpoint0", &value));
        Check(value == "Z1 0.5 0 deg");
    }
    // Values of sections that were not edited stay as they were.
    const quorin::ProfileText readEdited(edited);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (sections[i].size() == 12 || keys[i].empty()) continue;  // may match "ModuleConfig"
        std::string before, after;
        Check(read.FindValue(sections[i], keys[i][0], &before));
        Check(readEdited.FindValue(sections[i], keys[i][0], &after));
        Check(before == after);
    }
    std::string removed(edited);
    quorin::ProfileSetValue(removed, "ModuleConfig", "TestPoint0", std::nullopt);
    Check(!quorin::ProfileFindValue(removed, "ModuleConfig", "TestPoint0", nullptr));
    quorin::ProfileDeleteSection(removed, "ModuleConfig");
    Check(quorin::ProfileKeyNames(removed, "ModuleConfig").empty());

    // Names taken from the file and a few of our own, edits chosen by the first bytes.
    std::vector<std::string> names = {"ModuleConfig", "TestPoint0", "new", "x"};
    for (size_t i = 0; i < sections.size() && i < 4; ++i) {
        names.push_back(sections[i]);
        if (!keys[i].empty()) names.push_back(keys[i][0]);
    }
    quorin::ProfileText held(content);
    std::string stepwise(content);
    for (size_t i = 0; i + 2 < size && i < 24; i += 3) {
        const std::string& section = names[data[i] % names.size()];
        const std::string& key = names[data[i + 1] % names.size()];
        const std::string value(1, static_cast<char>('a' + data[i + 2] % 26));
        switch (data[i + 2] % 4) {
            case 0:
                held.DeleteSection(section);
                quorin::ProfileDeleteSection(stepwise, section);
                break;
            case 1:
                Check(held.SetValue(section, key, std::nullopt) ==
                      quorin::ProfileSetValue(stepwise, section, key, std::nullopt));
                break;
            default:
                Check(held.SetValue(section, key, value) ==
                      quorin::ProfileSetValue(stepwise, section, key, value));
                break;
        }
        Check(held.Text() == stepwise);
        const quorin::ProfileText fresh(stepwise);
        Check(held.SectionNames() == fresh.SectionNames());
        Check(held.KeyNames(section) == fresh.KeyNames(section));
        std::string a, b;
        Check(held.FindValue(section, key, &a) == fresh.FindValue(section, key, &b));
        Check(a == b);
    }

    const std::string raw = quorin::IniRawSectionRead(content, "WaveAnalyze");
    const std::string written = quorin::IniRawSectionWrite(content, "WaveAnalyze", "a=1");
    Check(written.size() >= content.size() - raw.size());
    Check(quorin::IniRawSectionRead(written, "WaveAnalyze").substr(0, 5) == "a=1\r\n" ||
          quorin::IniRawSectionRead(written, "WaveAnalyze").substr(0, 7) == "\r\na=1\r\n" ||
          content.find("[WaveAnalyze]") != std::string_view::npos);
    return 0;
}
