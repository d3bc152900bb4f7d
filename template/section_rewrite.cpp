#include "template/section_rewrite.h"

namespace quorin {
namespace {

struct Markers {
    std::string_view begin, end;
};

Markers MarkersOf(ParamKind kind) {
    switch (kind) {
        case ParamKind::kSetting:
            return {"<SettingBegin>", "<SettingEnd>"};
        case ParamKind::kCommonParameter:
            return {"<CommonParameterBegin>", "<CommonParameterEnd>"};
        case ParamKind::kBinaryInput:
            break;
    }
    return {"<BinaryBegin>", "<BinaryEnd>"};
}

// [from, to) of the bytes between begin and the first end after it; false when either is missing.
bool Inner(std::string_view text, const Markers& m, size_t& from, size_t& to) {
    const size_t b = text.find(m.begin);
    if (b == std::string_view::npos) return false;
    from = b + m.begin.size();
    to = text.find(m.end, from);
    return to != std::string_view::npos;
}

}  // namespace

std::string RewriteParameterSection(std::string_view text, CRelayTemplate& relayTemplate,
                                    ParamKind kind, int useKilovolts) {
    const Markers markers = MarkersOf(kind);
    size_t from = 0, to = 0;
    if (!Inner(text, markers, from, to)) return std::string(text);
    const std::string written =
        kind == ParamKind::kSetting           ? relayTemplate.WriteSettings(useKilovolts)
        : kind == ParamKind::kCommonParameter ? relayTemplate.WriteCommonParameters(useKilovolts)
                                              : relayTemplate.WriteBinaryInputs();
    size_t wFrom = 0, wTo = 0;
    if (!Inner(written, markers, wFrom, wTo)) return std::string(text);
    std::string out;
    out.reserve(text.size() - (to - from) + (wTo - wFrom));
    out.append(text.substr(0, from));
    out.append(std::string_view(written).substr(wFrom, wTo - wFrom));
    out.append(text.substr(to));
    return out;
}

}  // namespace quorin
