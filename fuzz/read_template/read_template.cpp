// Reads arbitrary bytes as a template (or sequence) into one reused template object, as the
// component does, then runs every writer, the name sections and the value list, writes again in
// the other layouts and reads its own output back: no crash, no read out of bounds, counts within
// their capacities.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "template/name_sections.h"
#include "template/relay_template.h"

namespace {

using quorin::CRelayTemplate;
using quorin::ParamKind;

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckCounts(const CRelayTemplate& t) {
    for (ParamKind kind :
         {ParamKind::kSetting, ParamKind::kCommonParameter, ParamKind::kBinaryInput}) {
        const int count = t.Count(kind);
        Require(count >= 0 && count <= CRelayTemplate::Capacity(kind));
        for (int i = 0; i < count; ++i) {
            const int choices = t.ChoiceCount(kind, i);
            Require(choices >= 0 && choices <= CRelayTemplate::ChoiceCapacity(kind));
            for (int j = 0; j < choices; ++j)
                Require(t.Choice(kind, i, j).size() <= (1u << 30));
        }
    }
    Require(t.ReportCount() >= 0 && t.ReportCount() <= quorin::kMaxReportItems);
    Require(t.LineCount() >= 0 && t.LineCount() <= quorin::kMaxLineItems);
    Require(t.CircleCount() >= 0 && t.CircleCount() <= quorin::kMaxCircleItems);
    Require(t.TextItemCount() >= 0 && t.TextItemCount() <= quorin::kMaxTextItems);
    Require(t.XnPairCount() >= 1 && t.XnPairCount() <= quorin::kMaxCoordinatePairs);
    Require(t.XpPairCount() >= 1 && t.XpPairCount() <= quorin::kMaxCoordinatePairs);
    Require(t.TimeCount() <= quorin::kMaxCharacterValues);
    Require(t.RPairCount() <= quorin::kMaxCharacterValues);
    Require(t.Zones().Count() >= 0 && t.Zones().Count() <= quorin::kMaxZones);
}

size_t Sink(const std::string& text) {
    // Touch the first and last byte so the writers' results are really produced.
    return text.empty() ? 0 : static_cast<unsigned char>(text.front()) + text.back() + text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CRelayTemplate t;  // large and reused, as the component keeps one
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int useKilovolts = size > 0 && (data[0] & 1) ? 1 : 0;
    t.ReadTemplate(text, useKilovolts);
    CheckCounts(t);

    volatile size_t sink = 0;
    sink = sink + Sink(t.WriteSettings(useKilovolts));
    sink = sink + Sink(t.WriteCommonParameters(useKilovolts));
    sink = sink + Sink(t.WriteBinaryInputs());
    Require(t.WriteCharacter().empty());
    sink = sink + Sink(quorin::WriteNameSections(t, 1));
    sink = sink + Sink(quorin::WriteValueList(t, "P"));
    for (ParamKind kind :
         {ParamKind::kSetting, ParamKind::kCommonParameter, ParamKind::kBinaryInput}) {
        for (int i = 0; i < t.Count(kind); ++i)
            sink = sink + Sink(t.ValueText(kind, i));
    }

    // The same records in the other layout (a flag of 2 writes markers only), then read back.
    const int flip = size > 1 ? data[1] % 3 : 0;
    for (ParamKind kind :
         {ParamKind::kSetting, ParamKind::kCommonParameter, ParamKind::kBinaryInput})
        t.SetLayout(kind, flip == 2 ? 2 : (t.Layout(kind) + flip) % 2);
    t.SetReportLayout(flip == 2 ? 2 : (t.ReportLayout() + flip) % 2);
    const std::string written = t.WriteTemplate(useKilovolts);
    t.ReadTemplate(written, useKilovolts);
    CheckCounts(t);
    sink = sink + Sink(t.WriteTemplate(1 - useKilovolts));
    return 0;
}
