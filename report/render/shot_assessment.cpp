#include "report/render/shot_assessment.h"
#include "platform/numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace quorin {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kNoTime = std::numeric_limits<double>::infinity();

double RankTime(const AssessedZone& zone) {
    return zone.time.value_or(kNoTime);
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool ParseFaultLoop(std::string_view text, FaultLoop& loop) {
    if (text == "LN") {
        loop = FaultLoop::kLN;
        return true;
    }
    if (text == "LL") {
        loop = FaultLoop::kLL;
        return true;
    }
    return false;
}

const char* FaultLoopName(FaultLoop loop) {
    return loop == FaultLoop::kLN ? "LN" : "LL";
}

double TimeTolerance::Band(double t) const {
    return std::max(relative * t, absolute);
}

std::optional<double> Expectation::Time() const {
    return zone ? zone->time : std::nullopt;
}

namespace {
// By Verdict: the name in points files and the character of a result string.
constexpr struct {
    const char* name;
    char result;
} kVerdicts[] = {{"pass", '1'}, {"fail", '0'}, {"not-assessed", '-'}};
}  // namespace

const char* VerdictName(Verdict verdict) {
    return kVerdicts[static_cast<int>(verdict)].name;
}

char ResultChar(Verdict verdict) {
    return kVerdicts[static_cast<int>(verdict)].result;
}

CShotModel::CShotModel(const CZoneTable& zones, IZoneEvaluator* evaluator,
                       std::map<int, double> times, ImpedanceTolerance impedance,
                       TimeTolerance time)
    : impedance_(impedance), time_(time) {
    for (int slot = 1; slot <= zones.Count(); ++slot) {
        const CZone& zone = zones.Zone(slot);
        AssessedZone z;
        z.slot = slot;
        z.index = zone.index;
        z.label = zone.label;
        z.loop = zone.faultLoop;
        if (const auto it = times.find(zone.index); it != times.end()) z.time = it->second;
        z.region = CZoneRegion(zone, evaluator);
        zones_.push_back(std::move(z));
    }
}

bool CShotModel::HasIndex(int index) const {
    for (const AssessedZone& zone : zones_)
        if (zone.index == index) return true;
    return false;
}

bool CShotModel::Applies(const AssessedZone& zone, FaultLoop loop) const {
    const std::string_view text = Trimmed(zone.loop);
    return EqualNoCase(text, FaultLoopName(loop)) || EqualNoCase(text, "ALL");
}

Expectation CShotModel::Expect(FaultLoop loop, double r, double x) const {
    Expectation e;
    const AssessedZone* band = nullptr;  // the fastest zone in the band
    auto faster = [](const AssessedZone& a, const AssessedZone* b) {
        return !b || std::make_tuple(RankTime(a), a.index, a.slot) <
                         std::make_tuple(RankTime(*b), b->index, b->slot);
    };
    for (const AssessedZone& zone : zones_) {
        if (!Applies(zone, loop)) continue;
        switch (zone.region.State(r, x, impedance_)) {
            case ZoneState::kIn:
                if (faster(zone, e.zone)) e.zone = &zone;
                break;
            case ZoneState::kBand:
                if (faster(zone, band)) band = &zone;
                break;
            default:
                break;
        }
    }
    e.notAssessed = band && (!e.zone || RankTime(*band) <= RankTime(*e.zone));
    return e;
}

Verdict CShotModel::Judge(const Expectation& expectation, std::optional<double> measured) const {
    if (expectation.notAssessed) return Verdict::kNotAssessed;
    bool pass;
    if (!expectation.zone)
        pass = !measured;
    else if (const std::optional<double> t = expectation.Time())
        pass = measured && std::fabs(*measured - *t) <= time_.Band(*t);
    else
        pass = measured.has_value();
    return pass ? Verdict::kPass : Verdict::kFail;
}

std::vector<AssessedPoint> AssessShots(const CShotModel& model,
                                       const std::vector<TestShot>& shots) {
    std::vector<AssessedPoint> points;
    points.reserve(shots.size());
    for (const TestShot& shot : shots) {
        AssessedPoint p;
        p.shot = shot;
        p.expectation = model.Expect(shot.loop, shot.r, shot.x);
        p.verdict = model.Judge(p.expectation, shot.measured);
        points.push_back(p);
    }
    return points;
}

std::string ResultString(const std::vector<AssessedPoint>& points) {
    std::string result;
    result.reserve(points.size());
    for (const AssessedPoint& p : points)
        result += ResultChar(p.verdict);
    return result;
}

std::vector<GeneratedShot> GenerateShots(const CShotModel& model,
                                         const std::vector<FaultLoop>& loops,
                                         const std::vector<double>& angles,
                                         const std::vector<int>& zoneIndexes) {
    std::vector<GeneratedShot> shots;
    const ImpedanceTolerance& tolerance = model.Impedance();
    for (const AssessedZone& zone : model.Zones()) {
        if (!zoneIndexes.empty() &&
            std::find(zoneIndexes.begin(), zoneIndexes.end(), zone.index) == zoneIndexes.end())
            continue;
        for (const FaultLoop loop : loops) {
            if (!model.Applies(zone, loop)) continue;
            for (const double angle : angles) {
                const double ur = std::cos(angle * kDegree), ux = std::sin(angle * kDegree);
                for (const double d : zone.region.Crossings(ur, ux)) {
                    for (const double z :
                         {d - 2.0 * tolerance.Band(d), d + 2.0 * tolerance.Band(d)}) {
                        if (!(z > 0.0)) continue;
                        if (shots.size() >= kMaxGeneratedShots) return shots;
                        GeneratedShot g;
                        g.shot.loop = loop;
                        g.shot.r = z * ur;
                        g.shot.x = z * ux;
                        g.zone = &zone;
                        g.angle = angle;
                        g.expectation = model.Expect(loop, g.shot.r, g.shot.x);
                        shots.push_back(g);
                    }
                }
            }
        }
    }
    return shots;
}

}  // namespace quorin
