// Test points against a relay's characteristic: which zone should trip a fault at an impedance
// point, how fast, and whether the measured trip time passes.
//
// The model: a point has a fault loop, LN or LL; the zones that apply to it are those whose
// fault loop is that loop or "ALL" (ignoring case and surrounding blanks). A zone's state for the
// point is in, out or band (CZoneRegion::State, with the impedance tolerance). Zone times come
// per zone index; a zone without one trips with no time expectation and ranks after every timed
// zone. The expected zone is the fastest zone in state in (ties go to the lower index, then the
// earlier zone); none means no trip. The point is not assessed when a zone in the band has a time
// at or below the expected zone's (any zone in the band, when none is expected).
// Verdicts: no trip expected passes when there was none; an expected zone with time t passes a
// trip within max(relative·t, absolute) of t; one without a time passes any trip; else fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zones/zone_region.h"

namespace quorin {

enum class FaultLoop { kLN, kLL };

// text without the blanks and tabs around it.
std::string_view Trimmed(std::string_view text);

// "LN" or "LL", exactly; false (loop unchanged) for anything else.
bool ParseFaultLoop(std::string_view text, FaultLoop& loop);
const char* FaultLoopName(FaultLoop loop);

// The time tolerance around an operating time t: max(relative·t, absolute) seconds.
struct TimeTolerance {
    double relative = 0.05;
    double absolute = 0.010;
    double Band(double t) const;
};

struct AssessedZone {
    int slot = 0;                // in the zone table
    int index = 0;               // "INDEX=" of the zone record
    std::string label;           // ANSI, as in the record
    std::string loop;            // "FAULTLOOP=" as in the record
    std::optional<double> time;  // seconds
    CZoneRegion region;
};

// Points into the model that made it.
struct Expectation {
    const AssessedZone* zone = nullptr;  // the zone expected to trip; null: no trip
    bool notAssessed = false;
    std::optional<double> Time() const;
};

enum class Verdict { kPass, kFail, kNotAssessed };
const char* VerdictName(Verdict verdict);  // "pass", "fail", "not-assessed"
char ResultChar(Verdict verdict);          // '1', '0', '-'

class CShotModel {
public:
    // The zones of a table (evaluator as for ZoneBoundary) with their times in seconds by zone
    // index; times for indexes that no zone has are ignored.
    CShotModel(const CZoneTable& zones, IZoneEvaluator* evaluator, std::map<int, double> times,
               ImpedanceTolerance impedance = {}, TimeTolerance time = {});
    // Expectations point into the model.
    CShotModel(const CShotModel&) = delete;
    CShotModel& operator=(const CShotModel&) = delete;

    const std::vector<AssessedZone>& Zones() const { return zones_; }
    bool HasIndex(int index) const;
    bool Applies(const AssessedZone& zone, FaultLoop loop) const;
    const ImpedanceTolerance& Impedance() const { return impedance_; }
    const TimeTolerance& Time() const { return time_; }

    Expectation Expect(FaultLoop loop, double r, double x) const;
    // measured: the trip time in seconds, none for no trip.
    Verdict Judge(const Expectation& expectation, std::optional<double> measured) const;

private:
    std::vector<AssessedZone> zones_;
    ImpedanceTolerance impedance_;
    TimeTolerance time_;
};

// A test point: fault loop, impedance in ohms and the measured trip time (none: no trip).
struct TestShot {
    FaultLoop loop = FaultLoop::kLN;
    double r = 0.0, x = 0.0;
    std::optional<double> measured;
};

struct AssessedPoint {
    TestShot shot;
    Expectation expectation;
    Verdict verdict = Verdict::kNotAssessed;
};

std::vector<AssessedPoint> AssessShots(const CShotModel& model, const std::vector<TestShot>& shots);
// One character per point, in order: '1' pass, '0' fail, '-' not assessed.
std::string ResultString(const std::vector<AssessedPoint>& points);

// A generated test point: the zone whose boundary it tests, the search-line angle in degrees and
// what the model expects there (whether it will be assessed is decided with the measurement).
struct GeneratedShot {
    TestShot shot;
    const AssessedZone* zone = nullptr;
    double angle = 0.0;
    Expectation expectation;
};

// For each zone whose index is in zoneIndexes (all zones when empty), in table order, each loop
// it applies to and each angle: for every crossing d of the ray at that angle with the zone, the
// points at |Z| = d - 2·band(d) and d + 2·band(d), those with |Z| <= 0 left out. Stops at
// kMaxGeneratedShots points. The shots point into the model's zones.
inline constexpr size_t kMaxGeneratedShots = 1000000;
std::vector<GeneratedShot> GenerateShots(const CShotModel& model,
                                         const std::vector<FaultLoop>& loops,
                                         const std::vector<double>& angles,
                                         const std::vector<int>& zoneIndexes);

}  // namespace quorin
