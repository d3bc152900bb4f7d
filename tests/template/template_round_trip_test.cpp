// Generated templates in both layouts (random names with GBK bytes, kinds, units, decimals,
// values, choices, field order and blanks in front of indexed keys): the reader finds what the
// generator meant, and write -> read gives the same records and the same text again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/numtext.h"
#include "template/relay_template.h"
#include "template/template_format.h"
#include "tests/template/template_test_util.h"

namespace quorin {
namespace {

const ParamKind kKinds[] = {ParamKind::kSetting, ParamKind::kCommonParameter,
                            ParamKind::kBinaryInput};

using Pairs = std::vector<std::pair<std::string, std::string>>;

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Uniform(1, 100) <= percent; }

    // Non-empty text of ASCII and GBK characters; never a separator, "=" or a marker bracket.
    // (An empty value cannot survive the format: it is written as "" and reads back as " ".)
    std::string Text(int maxChars) {
        static const std::string kAscii =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 _-+*/().%#@!?&|^~:'\t";
        std::string out;
        const int n = Uniform(1, maxChars);
        for (int i = 0; i < n; ++i) {
            if (Chance(25)) {
                out += static_cast<char>(Uniform(0x81, 0xFE));
                int trail = Uniform(0x40, 0xFE);
                if (trail == 0x7F) trail = 0x80;
                out += static_cast<char>(trail);
            } else {
                out += kAscii[static_cast<size_t>(Uniform(0, static_cast<int>(kAscii.size()) - 1))];
            }
        }
        return out;
    }

    std::string Identifier() {
        std::string id(1, static_cast<char>('A' + Uniform(0, 25)));
        for (int i = Uniform(0, 6); i > 0; --i)
            id += "ABCXYZ0123456789"[Uniform(0, 15)];
        return id;
    }

    // Appends the record's line (see RecordText) as read and as read after writing; a record of
    // another kind than the three is written as its name and closing fields only, so its kind
    // reads back as "". maxNum keeps indexed choice keys unambiguous ("S" 1 12 is "S" 11 2).
    void MakeRecord(ParamKind kind, int useKilovolts, int maxNum, Pairs& pairs, std::string& read,
                    std::string& written) {
        Record r;
        r.name = Text(10);
        r.id = Chance(90) ? Identifier() : Text(6);
        pairs = {{"N", r.name}, {"ID", r.id}};
        const int choiceCapacity = CRelayTemplate::ChoiceCapacity(kind);
        const int pick = Uniform(1, 100);
        r.type = pick <= 45 ? "Edit" : pick <= 70 ? "ComboBox" : pick <= 90 ? "CheckBox" : "Label";
        pairs.push_back({"T", r.type});
        if (r.type == "Edit") {
            r.decimals = Uniform(0, 4);
            const std::string text =
                FormatFixed(Uniform(-999999, 999999) / std::pow(10.0, r.decimals), r.decimals);
            r.value = static_cast<float>(CAtof(text));
            static const char* kUnits[] = {"A", "V", "kV", "kv/hz",   "V/s",
                                           "s", " ", "%d", "\xA6\xB8"};
            const std::string unit = kUnits[Uniform(0, 8)];
            r.unit = kind == ParamKind::kBinaryInput ? unit
                                                     : std::string(UnitFamily(unit, useKilovolts));
            pairs.insert(pairs.end(), {{"L", FormatInt(r.decimals)}, {"V", text}, {"U", unit}});
            for (auto [key, field] : {std::pair("PVA", &r.pva), {"PVB", &r.pvb}, {"PVC", &r.pvc}})
                if (kind == ParamKind::kSetting && Chance(30))
                    pairs.push_back({key, *field = Text(5)});
        } else if (r.type == "ComboBox") {
            r.decimals = 0;
            int num = 1;
            if (Chance(85)) {
                num = Uniform(0, maxNum);
                pairs.push_back({"Num", FormatInt(num)});
            }
            r.value = 1.0f;
            if (Chance(85)) {
                const int v = Uniform(-2, num + 1);
                r.value = static_cast<float>(v);
                pairs.push_back({"V", FormatInt(v)});
            }
            if (Chance(20)) pairs.push_back({"L", FormatInt(Uniform(0, 5))});  // read as 0
            for (int j = 1; j <= num; ++j) {
                const std::string choice = Text(6);
                if (j <= choiceCapacity) r.choices.push_back(choice);
                pairs.push_back({"S" + FormatInt(j), choice});
            }
        } else if (r.type == "CheckBox") {
            const int v = Uniform(-1, 2);
            r.value = static_cast<float>(v);
            r.choices = {Text(4), Text(4)};
            pairs.insert(pairs.end(),
                         {{"V", FormatInt(v)}, {"S1", r.choices[0]}, {"S2", r.choices[1]}});
        }
        if (kind == ParamKind::kBinaryInput) {
            r.re = r.rt = r.rn = "";
            if (Chance(20)) pairs.push_back({"RE", Text(3)});  // not a binary input field
        } else {
            for (auto [key, field] : {std::pair("RE", &r.re), {"RT", &r.rt}, {"RN", &r.rn}})
                if (Chance(40)) pairs.push_back({key, *field = Text(3)});
        }
        std::shuffle(pairs.begin() + 1, pairs.end(), rng_);
        std::string tail = "|" + FormatInt(r.decimals) + "|" + CFormat("%g", r.value) + "|" +
                           r.unit + "|" + r.pva + "," + r.pvb + "," + r.pvc + "|" + r.re + "," +
                           r.rt + "," + r.rn;
        for (const std::string& choice : r.choices)
            tail += "|" + choice;
        const bool valueKind = r.type == "Edit" || r.type == "ComboBox" || r.type == "CheckBox";
        read += r.name + "|" + r.id + "|" + r.type + tail + "\n";
        written += r.name + "|" + r.id + "|" + (valueKind ? r.type : "") + tail + "\n";
    }

    // A section body in the given layout from the records' pairs.
    std::string Body(const std::vector<Pairs>& records, int layout) {
        static const char* kLeads[] = {"", "\t", "\r\n\t", " ", "\r\n"};
        std::string out;
        for (size_t k = 0; k < records.size(); ++k) {
            const std::string number = FormatInt(static_cast<long long>(k + 1));
            for (size_t p = 0; p < records[k].size(); ++p) {
                const auto& [key, value] = records[k][p];
                if (layout == kIndexedLayout) {
                    out += kLeads[Uniform(0, 4)];
                    const bool choice = key[0] == 'S' && key.size() > 1 && key[1] <= '9';
                    out += choice ? "S" + number + key.substr(1) : key + number;
                    out += "=" + value + ";";
                } else {
                    out += p == 0 ? std::string(kLeads[Uniform(0, 4)]) : ",";
                    out += key + "=" + value;
                }
            }
            if (layout == kRecordLayout) out += ";";
        }
        return out + "\r\n";
    }

private:
    struct Record {
        std::string name, id, type, unit, pva, pvb, pvc, re = "0", rt = "0", rn = "0";
        int decimals = 1;
        float value = 0.0f;
        std::vector<std::string> choices;
    };
    std::mt19937 rng_;
};

// The text and the records' lines as read and as read after writing.
struct Model {
    std::string text, read, written;
};

Model MakeTemplate(Generator& g, int useKilovolts, int layoutMode) {
    static const char* kMarkers[] = {"Setting", "CommonParameter", "Binary"};
    static const int kMaxRecords[] = {40, 20, 20};
    Model m;
    m.text = "ProtectiveRelayName=" + g.Text(8) + ";\r\nProperty=" + g.Text(8) + ";\r\n";
    for (int s = 0; s < 3; ++s) {
        const int layout = layoutMode < 2 ? layoutMode : g.Uniform(0, 1);
        std::vector<Pairs> pairs;
        const int maxNum =
            layout == kIndexedLayout ? 9 : CRelayTemplate::ChoiceCapacity(kKinds[s]) + 5;
        m.read += "kind\n";
        m.written += "kind\n";
        for (int i = g.Uniform(0, kMaxRecords[s]); i > 0; --i) {
            pairs.emplace_back();
            g.MakeRecord(kKinds[s], useKilovolts, maxNum, pairs.back(), m.read, m.written);
        }
        m.text += std::string("<") + kMarkers[s] + "Begin>" + g.Body(pairs, layout) + "<" +
                  kMarkers[s] + "End>\r\n";
    }
    std::vector<Pairs> report;
    std::string items;
    for (int i = g.Uniform(0, 10); i > 0; --i) {
        report.push_back({{"N", g.Text(8)}, {"ID", g.Identifier()}});
        items += "report " + report.back()[0].second + "|" + report.back()[1].second + "\n";
    }
    m.read += items;
    m.written += items;
    const int reportLayout = layoutMode < 2 ? layoutMode : g.Uniform(0, 1);
    m.text += "<ReportBegin>" + g.Body(report, reportLayout) + "<ReportEnd>\r\n";
    return m;
}

std::string Dump(const CRelayTemplate& t) {
    std::string out;
    for (ParamKind kind : kKinds)
        out += "kind\n" + test::RecordsText(t, kind);
    for (int i = 0; i < t.ReportCount(); ++i)
        out += "report " + t.ReportName(i) + "|" + t.ReportId(i) + "\n";
    return out;
}

TEST(TemplateRoundTrip, GeneratedTemplatesReadAsMeantAndSurviveWriteAndRead) {
    auto first = std::make_unique<CRelayTemplate>();
    auto second = std::make_unique<CRelayTemplate>();
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Generator g(seed);
        const int useKilovolts = static_cast<int>(seed % 2);
        const Model m = MakeTemplate(g, useKilovolts, static_cast<int>(seed % 3));
        first->ReadTemplate(m.text, useKilovolts);
        ASSERT_EQ(Dump(*first), m.read) << "seed " << seed;
        const std::string written = first->WriteTemplate(useKilovolts);
        second->ReadTemplate(written, useKilovolts);
        ASSERT_EQ(Dump(*second), m.written) << "seed " << seed;
        ASSERT_EQ(second->WriteTemplate(useKilovolts), written) << "seed " << seed;
        for (ParamKind kind : kKinds)
            ASSERT_EQ(second->Layout(kind), first->Layout(kind)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace quorin
