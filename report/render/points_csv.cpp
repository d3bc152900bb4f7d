#include "report/render/points_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "platform/codepage.h"
#include "platform/numtext.h"

namespace quorin {
namespace {

enum Column { kLoop, kR, kX, kMeasured, kZone, kAngle, kExpectedZone, kExpectedTime, kVerdict };
constexpr std::array<std::string_view, 9> kColumns = {
    "loop",      "r_ohm",         "x_ohm",           "measured_time_s", "zone",
    "angle_deg", "expected_zone", "expected_time_s", "verdict"};
constexpr size_t kRequired = 4;  // the first four
// Recomputed by every assessment, so never copied from an input.
bool Recomputed(size_t column) {
    return column == kExpectedZone || column == kExpectedTime || column == kVerdict;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Splits one line into fields; false with error set on a quoting fault.
bool SplitFields(std::string_view line, std::vector<std::string>& fields, std::string& error) {
    fields.clear();
    size_t at = 0;
    while (true) {
        std::string field;
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                const size_t quote = line.find('"', at);
                if (quote == std::string_view::npos) {
                    error = "unterminated quote";
                    return false;
                }
                field.append(line.substr(at, quote - at));
                at = quote + 1;
                if (at < line.size() && line[at] == '"') {
                    field += '"';
                    ++at;
                    continue;
                }
                break;
            }
            if (at < line.size() && line[at] != ',') {
                error = "text after a closing quote";
                return false;
            }
        } else {
            const size_t comma = std::min(line.find(',', at), line.size());
            field.assign(line.substr(at, comma - at));
            at = comma;
        }
        fields.push_back(std::move(field));
        if (at >= line.size()) return true;
        ++at;  // the comma
    }
}

bool ParseNumber(std::string_view text, double& value) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string Number(double value) {
    return FormatFixed(value, 6);
}

std::string Time(const std::optional<double>& t) {
    return t ? Number(*t) : std::string();
}

std::string ExpectedZone(const Expectation& e) {
    return e.zone ? Field(AnsiToUtf8(e.zone->label)) : "none";
}

// A kept input column of an assessed point: the shot's own values as the assessment read them,
// the others as written (an angle that reads as a number in the canonical form).
std::string KeptField(size_t column, const AssessedPoint& p, const std::string& written) {
    double angle = 0.0;
    switch (column) {
        case kLoop:
            return FaultLoopName(p.shot.loop);
        case kR:
            return Number(p.shot.r);
        case kX:
            return Number(p.shot.x);
        case kMeasured:
            return Time(p.shot.measured);
        case kAngle:
            return ParseNumber(written, angle) ? Number(angle) : Field(written);
        default:
            return Field(written);
    }
}

}  // namespace

bool ReadPointsCsv(std::string_view bytes, std::string_view fileName, PointsTable& out,
                   std::string& error) {
    out = PointsTable();
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        error = std::string(fileName) + ":" + FormatInt(lineNumber) + ": " + what;
        out = PointsTable();
        return false;
    };
    std::array<int, kColumns.size()> position;
    position.fill(-1);
    bool header = false;
    std::vector<std::string> fields;
    std::string fault;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', at), bytes.size());
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        if (!SplitFields(line, fields, fault)) return fail(fault);
        if (!header) {
            header = true;
            for (size_t i = 0; i < fields.size(); ++i) {
                const std::string_view name = Trimmed(fields[i]);
                const auto known = std::find(kColumns.begin(), kColumns.end(), name);
                if (known == kColumns.end()) return fail("unknown column " + Quoted(name));
                int& p = position[static_cast<size_t>(known - kColumns.begin())];
                if (p >= 0) return fail("column " + Quoted(name) + " appears twice");
                p = static_cast<int>(i);
                out.columns.emplace_back(name);
            }
            for (size_t c = 0; c < kRequired; ++c)
                if (position[c] < 0) return fail("no column " + Quoted(kColumns[c]));
            continue;
        }
        if (fields.size() != out.columns.size())
            return fail(FormatInt(static_cast<long long>(fields.size())) +
                        " fields where the header has " +
                        FormatInt(static_cast<long long>(out.columns.size())));
        if (out.shots.size() >= kMaxPointRows)
            return fail("more than " + FormatInt(kMaxPointRows) + " points");
        auto field = [&](Column c) -> const std::string& {
            return fields[static_cast<size_t>(position[c])];
        };
        TestShot shot;
        const std::string_view loop = Trimmed(field(kLoop));
        if (!ParseFaultLoop(loop, shot.loop))
            return fail("unknown loop " + Quoted(loop) + ": use LN or LL");
        auto malformed = [&](Column c) {
            return fail("malformed number " + Quoted(field(c)) + " in " + std::string(kColumns[c]));
        };
        if (!ParseNumber(field(kR), shot.r)) return malformed(kR);
        if (!ParseNumber(field(kX), shot.x)) return malformed(kX);
        double angle = 0.0;
        if (position[kAngle] >= 0 && !Trimmed(field(kAngle)).empty() &&
            !ParseNumber(field(kAngle), angle))
            return malformed(kAngle);
        if (!Trimmed(field(kMeasured)).empty()) {
            double t = 0.0;
            if (!ParseNumber(field(kMeasured), t)) return malformed(kMeasured);
            if (t < 0.0)
                return fail("negative time " + Quoted(field(kMeasured)) + " in measured_time_s");
            shot.measured = t;
        }
        out.shots.push_back(shot);
        out.fields.push_back(fields);
    }
    if (!header) {
        lineNumber = std::max(lineNumber, 1);
        return fail("no header row");
    }
    return true;
}

std::string WriteShotsCsv(const std::vector<GeneratedShot>& shots) {
    std::string out =
        "loop,r_ohm,x_ohm,measured_time_s,zone,angle_deg,expected_zone,expected_time_s\n";
    for (const GeneratedShot& g : shots) {
        out += std::string(FaultLoopName(g.shot.loop)) + "," + Number(g.shot.r) + "," +
               Number(g.shot.x) + "," + Time(g.shot.measured) + "," +
               Field(g.zone ? AnsiToUtf8(g.zone->label) : "") + "," + Number(g.angle) + "," +
               ExpectedZone(g.expectation) + "," + Time(g.expectation.Time()) + "\n";
    }
    return out;
}

std::string WriteAssessedCsv(const PointsTable& table, const std::vector<AssessedPoint>& points) {
    std::vector<std::pair<size_t, size_t>> kept;  // (column, field) in file order
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const size_t c = static_cast<size_t>(
            std::find(kColumns.begin(), kColumns.end(), table.columns[i]) - kColumns.begin());
        if (c < kColumns.size() && !Recomputed(c)) kept.emplace_back(c, i);
    }
    std::string out;
    for (const auto& [c, i] : kept)
        out += std::string(kColumns[c]) + ",";
    out += "expected_zone,expected_time_s,verdict\n";
    for (size_t row = 0; row < points.size() && row < table.fields.size(); ++row) {
        const AssessedPoint& p = points[row];
        for (const auto& [c, i] : kept)
            out += KeptField(c, p, table.fields[row][i]) + ",";
        out += ExpectedZone(p.expectation) + "," + Time(p.expectation.Time()) + "," +
               VerdictName(p.verdict) + "\n";
    }
    return out;
}

}  // namespace quorin
